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
    ShowMessage(MsgOp::その他, MsgKind::メッセージ, text);
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
    connect(cmd編集_, &QPushButton::clicked, this, &FrmHint::cmd編集_Click);
    connect(cmd登録_, &QPushButton::clicked, this, &FrmHint::cmd登録_Click);
    connect(cmd削除_, &QPushButton::clicked, this, &FrmHint::cmd削除_Click);
    connect(cmdクリア_, &QPushButton::clicked, txtContents_, &QPlainTextEdit::clear);
    connect(cmd閉じる_, &QPushButton::clicked, this, &QWidget::close);
}

void FrmHint::buildControls()
{
    auto* caption = new QLabel(QStringLiteral("機能名"), this);
    lblFormName_ = valueLabel("lblFormName", this);
    lblCtlName_ = valueLabel("lblCtlName", this);
    lblFormTitle_ = valueLabel("lblFormTitle", this);
    txtContents_ = new QPlainTextEdit(this);
    SetImeOpen(txtContents_, 1);

    auto* names = new QGridLayout;
    names->addWidget(caption, 0, 0, 1, 2);
    names->addWidget(lblFormTitle_, 1, 0, 1, 2);
    names->addWidget(lblFormName_, 2, 0);
    names->addWidget(lblCtlName_, 2, 1);

    auto* buttons = new QHBoxLayout;
    cmd編集_ = button("編集", this);
    cmd登録_ = button("登録", this);
    cmd削除_ = button("削除", this);
    cmdクリア_ = button("クリア", this);
    cmd閉じる_ = button("閉じる", this);
    for (QPushButton* b : {cmd編集_, cmd登録_, cmd削除_, cmdクリア_, cmd閉じる_})
        buttons->addWidget(b);

    auto* root = new QVBoxLayout(this);
    root->addLayout(names);
    root->addWidget(txtContents_, 1);
    root->addLayout(buttons);
    resize(480, 360);
}

void FrmHint::nameControls()
{
    nameControl(txtContents_, QStringLiteral("txtContents"), QStringLiteral("内容"));
    nameControl(cmd編集_, QStringLiteral("cmd編集"), QStringLiteral("編集"));
    nameControl(cmd登録_, QStringLiteral("cmd登録"), QStringLiteral("登録"));
    nameControl(cmd削除_, QStringLiteral("cmd削除"), QStringLiteral("削除"));
    nameControl(cmdクリア_, QStringLiteral("cmdクリア"), QStringLiteral("クリア"));
    nameControl(cmd閉じる_, QStringLiteral("cmd閉じる"), QStringLiteral("閉じる"));
}

void FrmHint::Form_Load()
{
    const HintHandOver& h = env().hint;
    lblFormName_->setText(h.formName);
    lblFormTitle_->setText(h.formCaption);
    lblCtlName_->setText(h.controlName);
    ReadHint();
    txtContents_->setFocus(Qt::OtherFocusReason);
}

bool FrmHint::hasKey() const { return !lblFormName_->text().isEmpty() && !lblCtlName_->text().isEmpty(); }

void FrmHint::ReadHint()
{
    if (!hasKey())
        return;
    const auto note = HintStore::read(env().locations.defaultDataFile, lblFormName_->text(), lblCtlName_->text());
    if (note && note->found)
        txtContents_->setPlainText(note->contents);
}

bool FrmHint::EntryHint()
{
    if (!hasKey())
        return false;
    return HintStore::write(env().locations.defaultDataFile, lblFormName_->text(), lblCtlName_->text(),
                            lblFormTitle_->text(), txtContents_->toPlainText());
}

bool FrmHint::Deleteヒント()
{
    if (!hasKey())
        return false;
    if (!HintStore::remove(env().locations.defaultDataFile, lblFormName_->text(), lblCtlName_->text()))
        return false;
    txtContents_->clear();
    return true;
}

void FrmHint::cmd登録_Click()
{
    if (!ShowMessage(MsgOp::登録, MsgKind::確認, kSubject))
        return;
    if (EntryHint())
        ShowMessage(MsgOp::登録, MsgKind::完了, kSubject);
    else
        notice(QStringLiteral("ヒント を登録できませんでした。データファイルを確認してください。"));
}

void FrmHint::cmd削除_Click()
{
    if (!ShowMessage(MsgOp::削除, MsgKind::確認, kSubject))
        return;
    if (Deleteヒント())
        ShowMessage(MsgOp::削除, MsgKind::完了, kSubject);
    else
        notice(QStringLiteral("ヒント を削除できませんでした。データファイルを確認してください。"));
}

void FrmHint::cmd編集_Click()
{
    setEditing(!editing_);
    txtContents_->setFocus(Qt::OtherFocusReason);
}

void FrmHint::setEditing(bool on)
{
    editing_ = on;
    txtContents_->setReadOnly(!on);
    QPalette p = cmd編集_->palette();
    p.setColor(QPalette::Button, on ? kEditingColour : palette().color(QPalette::Button));
    cmd編集_->setPalette(p);
    cmd編集_->setAutoFillBackground(on);
}

} // namespace rov2
