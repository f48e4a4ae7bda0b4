// Keys, leave checks and the hub of the customer screen.
#include "AddCodeName.h"
#include "ComboBox.h"
#include "DateBox.h"
#include "FamilyGrid.h"
#include "FamilyGridView.h"
#include "FrmROV2.h"
#include "JapaneseDate.h"
#include "NumberBox.h"
#include "PostalLookup.h"
#include "ProgramEnv.h"
#include "ScreenStack.h"
#include "TextBox.h"
#include "LimitText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>

namespace rov2 {
namespace {

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

/// Right and Left move between inputs; inside a text they move the cursor
/// until it reaches the end (Right) or the start (Left) of the text.
bool cursorAtEdge(QWidget* input, int key)
{
    QLineEdit* edit = qobject_cast<QLineEdit*>(input);
    if (auto* combo = qobject_cast<QComboBox*>(input))
        edit = combo->lineEdit();
    if (!edit)
        return true;
    if (edit->hasSelectedText())
        return false;
    return key == Qt::Key_Right ? edit->cursorPosition() == edit->text().size() : edit->cursorPosition() == 0;
}

} // namespace

void FrmROV2::connectControls()
{
    connectLeaveChecks();
    connectHub();
    connect(cmd登録_, &QPushButton::clicked, this, [this] { Entry顧客マスタ(cmb顧客名_->text()); });
    connect(cmd削除_, &QPushButton::clicked, this, [this] { Delete顧客(); });
    connect(cmdクリア_, &QPushButton::clicked, this, &FrmROV2::endRecordAction);
    connect(cmd閉じる_, &QPushButton::clicked, this, &QWidget::close);
    connect(cmd顧客参照_, &QPushButton::clicked, this, &FrmROV2::cmd顧客参照_Click);
    connect(cmd顧客参照50_, &QPushButton::clicked, this, &FrmROV2::cmd顧客参照50_Click);
    connect(cmd郵便_, &QPushButton::clicked, this, &FrmROV2::cmd郵便_Click);
    connect(Grid家族_, &FamilyGrid::relationshipsChanged, this, [this] { SetComb(CustomerComb::続柄); });
}

void FrmROV2::connectLeaveChecks()
{
    connect(cmb顧客名_, &ComboBox::left, this, &FrmROV2::cmb顧客名_LostFocus);
    connect(cmb敬称_, &ComboBox::left, this, &FrmROV2::cmb敬称_LostFocus);
    connect(cmb区分1_, &ComboBox::left, this,
            [this] { leave区分(cmb区分1_, CustomerComb::区分1, env().settings.区分登録1); });
    connect(cmb区分2_, &ComboBox::left, this,
            [this] { leave区分(cmb区分2_, CustomerComb::区分2, env().settings.区分登録2); });
    connect(dt生年月日_, &DateBox::left, this, &FrmROV2::dt生年月日_LostFocus);
    connect(txt郵便番号_, &TextBox::left, this, &FrmROV2::txt郵便番号_LostFocus);
}

void FrmROV2::connectHub()
{
    connect(Command3_, &QPushButton::clicked, this, [this] { openScreen(QStringLiteral("FrmKokyakuList")); });
    connect(Command11_, &QPushButton::clicked, this, [this] { openScreen(QStringLiteral("FrmHosyu")); });
    connect(Command5_, &QPushButton::clicked, this, [this] { openScreen(QStringLiteral("FrmCodeMaster")); });
    connect(CmdHint_, &QPushButton::clicked, this, &FrmROV2::CmdHint_Click);
}

bool FrmROV2::cmb顧客名_LostFocus()
{
    if (!LimitTextLength(cmb顧客名_, 40))
        return false;
    const QString name = cmb顧客名_->text();
    if (!name.isEmpty())
        return Read顧客情報(name);
    Clear顧客情報画面();
    return true;
}

bool FrmROV2::checkNameFirst()
{
    // F5 in the name box saves without leaving it: the name typed there must
    // still be read (a stored customer is not overwritten by an empty screen)
    // and held to its length, as leaving the box would.
    if (checkedName_ && *checkedName_ == cmb顧客名_->text())
        return true;
    return cmb顧客名_LostFocus();
}

void FrmROV2::cmb敬称_LostFocus()
{
    if (!LimitTextLength(cmb敬称_, 40))
        return;
    const QString text = cmb敬称_->text();
    if (text.isEmpty() || !env().settings.敬称登録)
        return;
    if (AddCodeName(env().locations.dataFile, env().settings, QStringLiteral("敬称"), text, QString())) {
        SetComb(CustomerComb::敬称);
        cmb敬称_->setText(text);
    }
}

void FrmROV2::leave区分(ComboBox* box, CustomerComb list, bool enabled)
{
    const QString text = box->text();
    if (text.isEmpty() || !enabled)
        return;
    AddCodeName(env().locations.dataFile, env().settings, codeTableKind(list), text, QString());
    SetComb(list);
}

void FrmROV2::dt生年月日_LostFocus()
{
    const auto birth = dt生年月日_->date();
    if (!birth)
        return;
    const QVariant age = num年齢_->value();
    if (!age.isNull() && age.toInt() != 0)
        return; // an age the user entered is never overwritten
    num年齢_->setValue(ageOn(*birth, Clock::today()));
}

void FrmROV2::txt郵便番号_LostFocus()
{
    const QString code = txt郵便番号_->text();
    if (!code.isEmpty() && txt住所1_->text().isEmpty())
        txt住所1_->setText(LookupAddress(env().locations.postalFile, code));
}

bool FrmROV2::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image1_ && event->type() == QEvent::MouseButtonRelease) {
        Image1_Click();
        return true;
    }
    if (event->type() != QEvent::KeyPress || !isActiveWindow())
        return QWidget::eventFilter(watched, event);
    // A key travels up the parents when a control ignores it; act only on its
    // first delivery, to the control that has the focus.
    QWidget* focus = QApplication::focusWidget();
    if (watched != (focus ? static_cast<QObject*>(focus) : this) || (focus && focus->window() != this))
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return QWidget::eventFilter(watched, event);
    if (functionKey(key->key())) {
        // F4 also opens a date box's calendar and a grid cell's drop-down:
        // it was for 顧客50 and goes no further. The other keys still reach
        // the focused control.
        return key->key() == Qt::Key_F4;
    }
    if (focus && !(key->modifiers() & Qt::ShiftModifier) && movementKey(focus, key->key()))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool FrmROV2::functionKey(int key)
{
    QPushButton* target = nullptr;
    switch (key) {
    case Qt::Key_F3: target = cmd顧客参照_; break;
    case Qt::Key_F4: target = cmd顧客参照50_; break;
    case Qt::Key_F5: target = cmd登録_; break;
    case Qt::Key_F6: target = cmd削除_; break;
    case Qt::Key_F9: target = cmdクリア_; break;
    case Qt::Key_F10: target = Command3_; break;
    case Qt::Key_F11: target = Command11_; break;
    case Qt::Key_F12: target = Command5_; break;
    case Qt::Key_Escape:
        // In a cell editor or a pick list of the family grid, Esc first
        // cancels that; it closes the window from anywhere else.
        if (QWidget* focus = QApplication::focusWidget();
            focus && Grid家族_->isAncestorOf(focus) && focus != Grid家族_->Grid家族)
            return false;
        target = cmd閉じる_;
        break;
    default: return false;
    }
    // A click through the key leaves the focus where it is; the save and the
    // delete run the name box's leave check themselves when it is due.
    target->click();
    return true;
}

bool FrmROV2::movementKey(QWidget* input, int key)
{
    const bool forward = isEnter(key) || key == Qt::Key_Right;
    if (!forward && key != Qt::Key_Left)
        return false;
    if (!isEnter(key) && !cursorAtEdge(input, key))
        return false;
    if (input == cmb敬称_ && isEnter(key) && cmb敬称_->text().isEmpty() && cmb敬称_->count() > 0)
        cmb敬称_->setText(cmb敬称_->itemText(0));
    struct Move {
        QWidget* from;
        QWidget* next;
        QWidget* previous;
    };
    const Move moves[] = {
        {cmb顧客名_, cmb敬称_, nullptr}, {cmb敬称_, txtTEL1_, cmb顧客名_},   {cmb区分1_, cmb区分2_, txtふりがな_},
        {cmb区分2_, dt生年月日_, cmb区分1_}, {cmb性別_, cmbクイック_, num年齢_}, {cmbクイック_, txtEmail_, cmb性別_},
        {txt顧客メモ_, txt印刷名_, txt住所2_},
    };
    for (const Move& m : moves) {
        if (m.from != input)
            continue;
        if (QWidget* to = forward ? m.next : m.previous)
            moveTo(to);
        return true;
    }
    if (input == txt印刷名_ && key == Qt::Key_Left) {
        moveTo(txt顧客メモ_);
        return true;
    }
    return false;
}

void FrmROV2::moveTo(QWidget* target)
{
    for (int i = 0; i < Tab顧客情報_->count(); ++i)
        if (Tab顧客情報_->widget(i)->isAncestorOf(target))
            Tab顧客情報_->setCurrentIndex(i);
    target->setFocus(Qt::TabFocusReason);
}

void FrmROV2::openScreen(const QString& name)
{
    QWidget* target = screenNamed(name);
    if (!target)
        return; // that screen is not part of this build
    ScreenStack(StackOp::Push, this);
    opened_.removeAll(target);
    opened_.append(target);
    target->setWindowState(target->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    target->show();
    target->raise();
    target->activateWindow();
}

void FrmROV2::CmdHint_Click()
{
    env().hint = {objectName(), QStringLiteral("CmdHint"), windowTitle()};
    if (QWidget* hint = screenNamed(QStringLiteral("FrmHint"))) {
        opened_.removeAll(hint);
        opened_.append(hint);
        hint->show();
        hint->raise();
        hint->activateWindow();
    }
}

void FrmROV2::Image1_Click() { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kMakerPage))); }

void FrmROV2::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void FrmROV2::closeEvent(QCloseEvent* event)
{
    unloadOtherWindows();
    event->accept();
    QCoreApplication::quit();
}

void FrmROV2::unloadOtherWindows()
{
    // Last opened first, letting each window finish closing before the next.
    QList<QPointer<QWidget>> others;
    for (const QPointer<QWidget>& w : opened_)
        if (w)
            others.prepend(w);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible() && !others.contains(w) && !(w->windowType() == Qt::Popup))
            others.append(w);
    for (const QPointer<QWidget>& w : others) {
        if (w)
            w->close();
        QCoreApplication::processEvents();
    }
}

} // namespace rov2
