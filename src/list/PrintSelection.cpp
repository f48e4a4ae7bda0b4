#include "PrintSelection.h"

#include "Accessibility.h"
#include "ScreenControls.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace rov2 {
PrintSelection::PrintSelection(QWidget* parent) : QGroupBox(QStringLiteral("印刷選択"), parent)
{
    struct Box
    {
        QCheckBox** box;
        const char* name;
        const char* caption;
    };
    const Box boxes[] = {{&chkタック, "chkタック", "タックシール"},
                         {&chkタックプレビュー, "chkタックプレビュー", "タックシールプレビュー"},
                         {&chk顧客リスト, "chk顧客リスト", "顧客リスト"},
                         {&chkリストプレビュー, "chkリストプレビュー", "顧客リストプレビュー"},
                         {&chkはがき, "chkはがき", "はがき宛名"},
                         {&chkはがきプレビュー, "chkはがきプレビュー", "はがき宛名プレビュー"}};
    auto* v = new QVBoxLayout(this);
    for (const Box& b : boxes) {
        *b.box = new QCheckBox(QString::fromUtf8(b.caption), this);
        nameControl(*b.box, QString::fromUtf8(b.name), QString::fromUtf8(b.caption));
        QCheckBox* box = *b.box;
        connect(box, &QCheckBox::clicked, this, [this, box] { boxClicked(box); });
        v->addWidget(box);
    }
    cmd印刷開始 = button(QStringLiteral("印刷開始"), this);
    cmdオプション = button(QStringLiteral("オプション"), this);
    cmd選択閉じる = button(QStringLiteral("閉じる"), this);
    nameControl(cmd印刷開始, QStringLiteral("cmd印刷開始"), QStringLiteral("印刷開始"));
    nameControl(cmdオプション, QStringLiteral("cmdオプション"), QStringLiteral("オプション"));
    nameControl(cmd選択閉じる, QStringLiteral("cmd選択閉じる"), QStringLiteral("閉じる"));
    v->addSpacing(8);
    v->addWidget(cmd印刷開始);
    v->addWidget(cmdオプション);
    v->addWidget(cmd選択閉じる);
    v->addStretch();
}

void PrintSelection::boxClicked(QCheckBox* box)
{
    // One choice at most: a box that is now ticked clears the others; one
    // that is now clear leaves them as they are (all clear).
    if (!box->isChecked())
        return;
    for (QCheckBox* other :
         {chkタック, chkタックプレビュー, chk顧客リスト, chkリストプレビュー, chkはがき, chkはがきプレビュー})
        if (other != box)
            other->setChecked(false);
}

PrintChoice PrintSelection::choice() const
{
    if (chkタック->isChecked())
        return PrintChoice::Tack;
    if (chk顧客リスト->isChecked())
        return PrintChoice::List;
    if (chkタックプレビュー->isChecked())
        return PrintChoice::TackPreview;
    if (chkリストプレビュー->isChecked())
        return PrintChoice::ListPreview;
    if (chkはがき->isChecked())
        return PrintChoice::Postcard;
    if (chkはがきプレビュー->isChecked())
        return PrintChoice::PostcardPreview;
    return PrintChoice::None;
}

bool PrintSelection::labelsChosen() const
{
    return chkタック->isChecked() || chkタックプレビュー->isChecked();
}

bool PrintSelection::postcardsChosen() const
{
    return chkはがき->isChecked() || chkはがきプレビュー->isChecked();
}

QWidget* PrintSelection::firstInput() const
{
    return chkタック;
}

} // namespace rov2
