#include "TackForm2601.h"

#include "Accessibility.h"
#include "Messages.h"

#include <QDir>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace rov2 {
namespace {

QDoubleSpinBox* offsetBox(QWidget* parent)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(-LabelSettings::kMaxMm, LabelSettings::kMaxMm);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" mm"));
    box->setAlignment(Qt::AlignRight);
    return box;
}

} // namespace

TackForm2601::TackForm2601(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(kTackFormName);
    setWindowTitle(QStringLiteral("タックシール印字位置指定"));
    auto* instruction = new QLabel(QStringLiteral("印刷開始位置をクリックしてください"), this);
    auto* sheetName = new QLabel(QStringLiteral("エーワン 2 x 6"), this);
    nameControl(instruction, QStringLiteral("Label1"), instruction->text());
    nameControl(sheetName, QStringLiteral("Label2"), sheetName->text());

    // The cells keep the sheet's proportions: 1200 by 465 twips, two across.
    auto* sheet = new QGridLayout;
    sheet->setSpacing(4);
    for (int i = 0; i < static_cast<int>(tacks.size()); ++i) {
        auto* cell = new QPushButton(this);
        cell->setAutoDefault(false);
        cell->setFixedSize(80, 31);
        cell->setAutoFillBackground(true);
        const QString side = i % 2 == 0 ? QStringLiteral("左") : QStringLiteral("右");
        nameControl(cell, QStringLiteral("tacks(%1)").arg(i),
                    QStringLiteral("%1段目の%2").arg(i / 2 + 1).arg(side));
        connect(cell, &QPushButton::clicked, this, [this, i] { tacks_Click(i); });
        sheet->addWidget(cell, i / 2, i % 2);
        tacks[static_cast<size_t>(i)] = cell;
    }

    txt横位置 = offsetBox(this);
    txt縦位置 = offsetBox(this);
    nameControl(txt横位置, QStringLiteral("txt横位置"), QStringLiteral("印字位置 横（右へ）"));
    nameControl(txt縦位置, QStringLiteral("txt縦位置"), QStringLiteral("印字位置 縦（下へ）"));
    auto* adjust = new QFormLayout;
    adjust->addRow(QStringLiteral("印字位置調整　横（＋で右へ）"), txt横位置);
    adjust->addRow(QStringLiteral("印字位置調整　縦（＋で下へ）"), txt縦位置);

    cmd閉じる = new QPushButton(QStringLiteral("閉じる"), this);
    cmd閉じる->setAutoDefault(false);
    nameControl(cmd閉じる, QStringLiteral("cmd閉じる"), QStringLiteral("閉じる"));
    connect(cmd閉じる, &QPushButton::clicked, this, &QWidget::close);

    auto* root = new QVBoxLayout(this);
    root->addWidget(instruction);
    root->addWidget(sheetName);
    root->addLayout(sheet);
    root->addLayout(adjust);
    root->addWidget(cmd閉じる, 0, Qt::AlignRight);
    Form_Load();
    // Stored as soon as changed: the next print uses it even if the screen stays open.
    connect(txt横位置, &QDoubleSpinBox::valueChanged, this, &TackForm2601::storeOffset);
    connect(txt縦位置, &QDoubleSpinBox::valueChanged, this, &TackForm2601::storeOffset);
}

void TackForm2601::Form_Load()
{
    // Opening shows the first cell, whatever position is stored.
    paintCells(0);
    const LabelOffset offset = LabelSettings::load();
    const QSignalBlocker h(txt横位置);
    const QSignalBlocker v(txt縦位置);
    txt横位置->setValue(offset.horizontal);
    txt縦位置->setValue(offset.vertical);
}

void TackForm2601::tacks_Click(int index)
{
    if (index < 0 || index >= static_cast<int>(tacks.size()))
        return;
    paintCells(index);
    tackStartPosition() = index;
}

bool TackForm2601::isChosen(int index) const
{
    if (index < 0 || index >= static_cast<int>(tacks.size()))
        return false;
    return tacks[static_cast<size_t>(index)]->styleSheet().contains(chosenColour().name());
}

QColor TackForm2601::chosenColour()
{
    return QColor(0x7B, 0xAF, 0x72);
}

QColor TackForm2601::plainColour()
{
    return QColor(Qt::white);
}

void TackForm2601::paintCells(int chosen)
{
    for (int j = 0; j < static_cast<int>(tacks.size()); ++j) {
        QPushButton* cell = tacks[static_cast<size_t>(j)];
        const QColor colour = j == chosen ? chosenColour() : plainColour();
        cell->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 2px outset #a0a0a0; }"
                                           "QPushButton:focus { border: 2px solid #000000; }")
                                .arg(colour.name()));
    }
}

void TackForm2601::storeOffset()
{
    if (LabelSettings::save({txt横位置->value(), txt縦位置->value()})) {
        offsetFailureTold_ = false;
        return;
    }
    // Once until a save succeeds again: every step of the box saves.
    if (offsetFailureTold_)
        return;
    offsetFailureTold_ = true;
    ShowMessage(MsgOp::その他, MsgKind::メッセージ,
                QStringLiteral("印字位置の調整を保存できませんでした（ディスクの空きが足りないなど）。\n%1\n"
                               "この調整は次の印刷には使われません。")
                    .arg(QDir::toNativeSeparators(LabelSettings::programSettingsPath())));
}

} // namespace rov2

namespace rov2 {

void TackForm2601::keyPressEvent(QKeyEvent* event)
{
    // Esc closes, as on every screen; Enter chooses the cell that has the focus.
    if (event->key() == Qt::Key_Escape) {
        cmd閉じる->click();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* b = qobject_cast<QPushButton*>(focusWidget())) {
            b->click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

} // namespace rov2
