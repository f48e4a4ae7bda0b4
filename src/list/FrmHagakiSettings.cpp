#include "FrmHagakiSettings.h"

#include "Accessibility.h"
#include "LabelSettings.h"
#include "Messages.h"
#include "PostcardSettings.h"
#include "ScreenControls.h"

#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRadioButton>
#include <QVBoxLayout>

namespace rov2 {
namespace {

using report::PostcardOptions;
using report::PostcardPaper;
using report::PostcardWriting;

/// Two choices of which one is always ticked; the arrows move between them.
QGroupBox* pairBox(const char* title, QRadioButton* first, QRadioButton* second, QWidget* parent)
{
    auto* box = new QGroupBox(QString::fromUtf8(title), parent);
    auto* h = new QHBoxLayout(box);
    for (QRadioButton* r : {first, second}) {
        r->setParent(box);
        h->addWidget(r);
    }
    h->addStretch();
    return box;
}

QRadioButton* choice(const char* name, const char* caption)
{
    auto* r = new QRadioButton(QString::fromUtf8(caption));
    nameControl(r, QString::fromUtf8(name), r->text());
    return r;
}

QDoubleSpinBox* offsetBox(QWidget* parent)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(-report::kMaxPostcardOffsetMm, report::kMaxPostcardOffsetMm);
    box->setDecimals(1);
    box->setSingleStep(0.1);
    box->setSuffix(QStringLiteral(" mm"));
    box->setAlignment(Qt::AlignRight);
    // Stored when the typing is done, not at every digit.
    box->setKeyboardTracking(false);
    return box;
}

} // namespace

FrmHagakiSettings::FrmHagakiSettings(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(kHagakiSettingsName);
    setWindowTitle(QStringLiteral("はがき宛名印刷設定"));
    auto* root = new QVBoxLayout(this);
    root->addWidget(buildChoices());
    root->addWidget(buildAdjustment());
    opt通常はがき = choice("opt通常はがき", "通常はがき");
    opt長形3号 = choice("opt長形3号", "長形3号（封筒）");
    root->addWidget(pairBox("用紙", opt通常はがき, opt長形3号, this));
    // Made last: the order of making is the order of Tab.
    cmd閉じる = button("閉じる", this);
    nameControl(cmd閉じる, QStringLiteral("cmd閉じる"), QStringLiteral("閉じる"));
    root->addWidget(cmd閉じる, 0, Qt::AlignRight);
    Form_Load();
    connectControls();
}

QWidget* FrmHagakiSettings::buildChoices()
{
    auto* page = new QWidget(this);
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(0, 0, 0, 0);
    opt縦書き = choice("opt縦書き", "縦書き");
    opt横書き = choice("opt横書き", "横書き");
    v->addWidget(pairBox("書き方", opt縦書き, opt横書き, page));
    opt漢数字 = choice("opt漢数字", "漢数字（一、二、三）");
    opt数字そのまま = choice("opt数字そのまま", "入力のまま");
    v->addWidget(pairBox("住所の数字", opt漢数字, opt数字そのまま, page));
    chk差出人 = new QCheckBox(QStringLiteral("差出人（自社情報）を印刷する"), page);
    nameControl(chk差出人, QStringLiteral("chk差出人"), chk差出人->text());
    v->addWidget(chk差出人);
    return page;
}

QWidget* FrmHagakiSettings::buildAdjustment()
{
    auto* box = new QGroupBox(QStringLiteral("印字位置調整"), this);
    txt横位置 = offsetBox(box);
    txt縦位置 = offsetBox(box);
    nameControl(txt横位置, QStringLiteral("txt横位置"), QStringLiteral("印字位置 横（右へ）"));
    nameControl(txt縦位置, QStringLiteral("txt縦位置"), QStringLiteral("印字位置 縦（下へ）"));
    auto* form = new QFormLayout(box);
    form->addRow(QStringLiteral("横（＋で右へ）"), txt横位置);
    form->addRow(QStringLiteral("縦（＋で下へ）"), txt縦位置);
    return box;
}

void FrmHagakiSettings::connectControls()
{
    connect(cmd閉じる, &QPushButton::clicked, this, &QWidget::close);
    // One of each pair is enough: both change together.
    for (QRadioButton* r : {opt縦書き, opt漢数字, opt通常はがき}) {
        connect(r, &QRadioButton::toggled, this, &FrmHagakiSettings::store);
        connect(r, &QRadioButton::toggled, this, &FrmHagakiSettings::followTicks);
    }
    connect(chk差出人, &QCheckBox::toggled, this, &FrmHagakiSettings::store);
    connect(txt横位置, &QDoubleSpinBox::valueChanged, this, &FrmHagakiSettings::store);
    connect(txt縦位置, &QDoubleSpinBox::valueChanged, this, &FrmHagakiSettings::store);
}

void FrmHagakiSettings::Form_Load()
{
    const PostcardOptions o = PostcardSettings::load();
    const QSignalBlocker blockers[] = {
        QSignalBlocker(opt縦書き),       QSignalBlocker(opt横書き),     QSignalBlocker(opt漢数字),
        QSignalBlocker(opt数字そのまま), QSignalBlocker(chk差出人),     QSignalBlocker(txt横位置),
        QSignalBlocker(txt縦位置),       QSignalBlocker(opt通常はがき), QSignalBlocker(opt長形3号)};
    (o.writing == PostcardWriting::Vertical ? opt縦書き : opt横書き)->setChecked(true);
    (o.kanjiNumerals ? opt漢数字 : opt数字そのまま)->setChecked(true);
    chk差出人->setChecked(o.printSender);
    txt横位置->setValue(o.offsetXMm);
    txt縦位置->setValue(o.offsetYMm);
    (o.paper == PostcardPaper::Card ? opt通常はがき : opt長形3号)->setChecked(true);
    followTicks();
    (opt縦書き->isChecked() ? opt縦書き : opt横書き)->setFocus(Qt::OtherFocusReason);
}

void FrmHagakiSettings::followTicks()
{
    // Tab and Enter stop at the ticked one of a pair only, whichever it is.
    for (QRadioButton* r : {opt縦書き, opt横書き, opt漢数字, opt数字そのまま, opt通常はがき, opt長形3号})
        r->setFocusPolicy(r->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

PostcardOptions FrmHagakiSettings::options() const
{
    PostcardOptions o;
    o.writing = opt横書き->isChecked() ? PostcardWriting::Horizontal : PostcardWriting::Vertical;
    o.kanjiNumerals = opt漢数字->isChecked();
    o.printSender = chk差出人->isChecked();
    o.offsetXMm = txt横位置->value();
    o.offsetYMm = txt縦位置->value();
    o.paper = opt長形3号->isChecked() ? PostcardPaper::LongEnvelope3 : PostcardPaper::Card;
    return o;
}

void FrmHagakiSettings::store()
{
    if (PostcardSettings::save(options())) {
        failureTold_ = false;
        return;
    }
    // Once until a save succeeds again: every step of a box saves.
    if (failureTold_)
        return;
    failureTold_ = true;
    ShowMessage(
        MsgOp::その他, MsgKind::メッセージ,
        QStringLiteral("はがき宛名の設定を保存できませんでした（ディスクの空きが足りないなど）。\n%1\n"
                       "この設定は次の印刷には使われません。")
            .arg(QDir::toNativeSeparators(LabelSettings::programSettingsPath())));
}

void FrmHagakiSettings::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        cmd閉じる->click();
        return;
    }
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QWidget::keyPressEvent(event);
        return;
    }
    // Enter goes on to the next input as on every screen; on a button it presses it.
    if (auto* b = qobject_cast<QPushButton*>(focusWidget())) {
        b->click();
        return;
    }
    focusNextChild();
}

} // namespace rov2
