#include "FrmHint.h"

#include "Accessibility.h"
#include "HintButton.h"
#include "HintStore.h"
#include "InputMethod.h"
#include "Messages.h"
#include "ProgramEnv.h"
#include "ScreenControls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace rov2 {
namespace {

const QString kSubject = QStringLiteral("ヒント");
/// Light red, the colour of the 編集 button while the note is open for editing.
const QColor kEditingColour(0xFF, 0xC0, 0xC0);

QLabel* valueLabel(const char* name, QWidget* parent)
{
    // The label's text is what is read out; the control name only describes it.
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromUtf8(name));
    l->setAccessibleDescription(QString::fromUtf8(name));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

void notice(const QString& text)
{
    ShowMessage(QStringLiteral("その他"), QStringLiteral("メッセージ"), text);
}

} // namespace

FrmHint::FrmHint(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(kHintScreenName);
    setWindowTitle(QStringLiteral("ヒント"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    nameControls();
    setEditing(false);
    connect(cmd編集, &QPushButton::clicked, this, &FrmHint::click編集);
    connect(cmd登録, &QPushButton::clicked, this, &FrmHint::click登録);
    connect(cmd削除, &QPushButton::clicked, this, &FrmHint::click削除);
    connect(cmdクリア, &QPushButton::clicked, txtContents, &QPlainTextEdit::clear);
    connect(cmd閉じる, &QPushButton::clicked, this, &QWidget::close);
}

void FrmHint::buildControls()
{
    auto* caption = new QLabel(QStringLiteral("機能名"), this);
    lblFormName = valueLabel("lblFormName", this);
    lblCtlName = valueLabel("lblCtlName", this);
    lblFormTitle = valueLabel("lblFormTitle", this);
    txtContents = new QPlainTextEdit(this);
    SetImeOpen(txtContents, 1);

    auto* names = new QGridLayout;
    names->addWidget(caption, 0, 0, 1, 2);
    names->addWidget(lblFormTitle, 1, 0, 1, 2);
    names->addWidget(lblFormName, 2, 0);
    names->addWidget(lblCtlName, 2, 1);

    auto* buttons = new QHBoxLayout;
    cmd編集 = button("編集", this);
    cmd登録 = button("登録", this);
    cmd削除 = button("削除", this);
    cmdクリア = button("クリア", this);
    cmd閉じる = button("閉じる", this);
    for (QPushButton* b : {cmd編集, cmd登録, cmd削除, cmdクリア, cmd閉じる})
        buttons->addWidget(b);

    auto* root = new QVBoxLayout(this);
    root->addLayout(names);
    root->addWidget(txtContents, 1);
    root->addLayout(buttons);
    resize(480, 360);
}

void FrmHint::nameControls()
{
    nameControl(txtContents, QStringLiteral("txtContents"), QStringLiteral("内容"));
    nameControl(cmd編集, QStringLiteral("cmd編集"), QStringLiteral("編集"));
    nameControl(cmd登録, QStringLiteral("cmd登録"), QStringLiteral("登録"));
    nameControl(cmd削除, QStringLiteral("cmd削除"), QStringLiteral("削除"));
    nameControl(cmdクリア, QStringLiteral("cmdクリア"), QStringLiteral("クリア"));
    nameControl(cmd閉じる, QStringLiteral("cmd閉じる"), QStringLiteral("閉じる"));
}

void FrmHint::Form_Load()
{
    const HintHandOver& h = env().hint;
    lblFormName->setText(h.formName);
    lblFormTitle->setText(h.formCaption);
    lblCtlName->setText(h.controlName);
    ReadHint();
    txtContents->setFocus(Qt::OtherFocusReason);
}

bool FrmHint::hasKey() const { return !lblFormName->text().isEmpty() && !lblCtlName->text().isEmpty(); }

void FrmHint::ReadHint()
{
    if (!hasKey())
        return;
    const auto note = HintStore::read(env().locations.defaultDataFile, lblFormName->text(), lblCtlName->text());
    if (note && note->found)
        txtContents->setPlainText(note->contents);
}

bool FrmHint::EntryHint()
{
    if (!hasKey())
        return false;
    return HintStore::write(env().locations.defaultDataFile, lblFormName->text(), lblCtlName->text(),
                            lblFormTitle->text(), txtContents->toPlainText());
}

bool FrmHint::Deleteヒント()
{
    if (!hasKey())
        return false;
    if (!HintStore::remove(env().locations.defaultDataFile, lblFormName->text(), lblCtlName->text()))
        return false;
    txtContents->clear();
    return true;
}

void FrmHint::click登録()
{
    if (!ShowMessage(QStringLiteral("登録"), QStringLiteral("確認"), kSubject))
        return;
    if (EntryHint())
        ShowMessage(QStringLiteral("登録"), QStringLiteral("完了"), kSubject);
    else
        notice(QStringLiteral("ヒント を登録できませんでした。データファイルを確認してください。"));
}

void FrmHint::click削除()
{
    if (!ShowMessage(QStringLiteral("削除"), QStringLiteral("確認"), kSubject))
        return;
    if (Deleteヒント())
        ShowMessage(QStringLiteral("削除"), QStringLiteral("完了"), kSubject);
    else
        notice(QStringLiteral("ヒント を削除できませんでした。データファイルを確認してください。"));
}

void FrmHint::click編集()
{
    setEditing(!editing_);
    txtContents->setFocus(Qt::OtherFocusReason);
}

void FrmHint::setEditing(bool on)
{
    editing_ = on;
    txtContents->setReadOnly(!on);
    QPalette p = cmd編集->palette();
    p.setColor(QPalette::Button, on ? kEditingColour : palette().color(QPalette::Button));
    cmd編集->setPalette(p);
    cmd編集->setAutoFillBackground(on);
}

} // namespace rov2
