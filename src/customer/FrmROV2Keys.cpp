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
#include "TextHelpers.h"

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
    connect(cmd登録, &QPushButton::clicked, this, [this] { Entry顧客マスタ(cmb顧客名->text()); });
    connect(cmd削除, &QPushButton::clicked, this, [this] { Delete顧客(); });
    connect(cmdクリア, &QPushButton::clicked, this, &FrmROV2::endRecordAction);
    connect(cmd閉じる, &QPushButton::clicked, this, &QWidget::close);
    connect(Grid家族, &FamilyGrid::relationshipsChanged, this, [this] { SetComb(QStringLiteral("続柄")); });
}

void FrmROV2::connectLeaveChecks()
{
    connect(cmb顧客名, &ComboBox::left, this, &FrmROV2::leave顧客名);
    connect(cmb敬称, &ComboBox::left, this, &FrmROV2::leave敬称);
    connect(cmb区分1, &ComboBox::left, this,
            [this] { leave区分(cmb区分1, QStringLiteral("区分1"), env().settings.区分登録1); });
    connect(cmb区分2, &ComboBox::left, this,
            [this] { leave区分(cmb区分2, QStringLiteral("区分2"), env().settings.区分登録2); });
    connect(dt生年月日, &DateBox::left, this, &FrmROV2::leave生年月日);
    connect(txt郵便番号, &TextBox::left, this, &FrmROV2::leave郵便番号);
}

void FrmROV2::connectHub()
{
    connect(Command3, &QPushButton::clicked, this, [this] { openScreen(QStringLiteral("FrmKokyakuList")); });
    connect(Command11, &QPushButton::clicked, this, [this] { openScreen(QStringLiteral("FrmHosyu")); });
    connect(Command5, &QPushButton::clicked, this, [this] { openScreen(QStringLiteral("FrmCodeMaster")); });
    connect(CmdHint, &QPushButton::clicked, this, &FrmROV2::clickHint);
}

void FrmROV2::leave顧客名()
{
    if (!LimitTextLength(cmb顧客名, 40))
        return;
    const QString name = cmb顧客名->text();
    if (name.isEmpty())
        Clear顧客情報画面();
    else
        Read顧客情報(name);
}

void FrmROV2::leave敬称()
{
    if (!LimitTextLength(cmb敬称, 40))
        return;
    const QString text = cmb敬称->text();
    if (text.isEmpty() || !env().settings.敬称登録)
        return;
    if (AddCodeName(QStringLiteral("敬称"), text, QString())) {
        SetComb(QStringLiteral("敬称"));
        cmb敬称->setText(text);
    }
}

void FrmROV2::leave区分(ComboBox* box, const QString& kind, bool enabled)
{
    const QString text = box->text();
    if (text.isEmpty() || !enabled)
        return;
    AddCodeName(kind, text, QString());
    SetComb(kind);
}

void FrmROV2::leave生年月日()
{
    const auto birth = dt生年月日->date();
    if (!birth)
        return;
    const QVariant age = num年齢->value();
    if (!age.isNull() && age.toInt() != 0)
        return; // an age the user entered is never overwritten
    num年齢->setValue(ageOn(*birth, Clock::today()));
}

void FrmROV2::leave郵便番号()
{
    const QString code = txt郵便番号->text();
    if (!code.isEmpty() && txt住所1->text().isEmpty())
        txt住所1->setText(LookupAddress(code));
}

bool FrmROV2::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease) {
        clickLogo();
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
    if (functionKey(key->key()))
        return false; // the focused control still receives the key
    if (focus && !(key->modifiers() & Qt::ShiftModifier) && movementKey(focus, key->key()))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool FrmROV2::functionKey(int key)
{
    QPushButton* target = nullptr;
    switch (key) {
    case Qt::Key_F3: target = cmd顧客参照; break;
    case Qt::Key_F4: target = cmd顧客参照50; break;
    case Qt::Key_F5: target = cmd登録; break;
    case Qt::Key_F6: target = cmd削除; break;
    case Qt::Key_F9: target = cmdクリア; break;
    case Qt::Key_F10: target = Command3; break;
    case Qt::Key_F11: target = Command11; break;
    case Qt::Key_F12: target = Command5; break;
    case Qt::Key_Escape:
        // In a cell editor or a pick list of the family grid, Esc first
        // cancels that; it closes the window from anywhere else.
        if (QWidget* focus = QApplication::focusWidget();
            focus && Grid家族->isAncestorOf(focus) && focus != Grid家族->Grid家族)
            return false;
        target = cmd閉じる;
        break;
    default: return false;
    }
    // A click through the key leaves the focus where it is: F5 in the name
    // box saves the name as typed, without its leave check.
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
    if (input == cmb敬称 && isEnter(key) && cmb敬称->text().isEmpty() && cmb敬称->count() > 0)
        cmb敬称->setText(cmb敬称->itemText(0));
    struct Move {
        QWidget* from;
        QWidget* next;
        QWidget* previous;
    };
    const Move moves[] = {
        {cmb顧客名, cmb敬称, nullptr}, {cmb敬称, txtTEL1, cmb顧客名},   {cmb区分1, cmb区分2, txtふりがな},
        {cmb区分2, dt生年月日, cmb区分1}, {cmb性別, cmbクイック, num年齢}, {cmbクイック, txtEmail, cmb性別},
        {txt顧客メモ, txt印刷名, txt住所2},
    };
    for (const Move& m : moves) {
        if (m.from != input)
            continue;
        if (QWidget* to = forward ? m.next : m.previous)
            moveTo(to);
        return true;
    }
    if (input == txt印刷名 && key == Qt::Key_Left) {
        moveTo(txt顧客メモ);
        return true;
    }
    return false;
}

void FrmROV2::moveTo(QWidget* target)
{
    for (int i = 0; i < Tab顧客情報->count(); ++i)
        if (Tab顧客情報->widget(i)->isAncestorOf(target))
            Tab顧客情報->setCurrentIndex(i);
    target->setFocus(Qt::TabFocusReason);
}

void FrmROV2::openScreen(const QString& name)
{
    QWidget* target = screenNamed(name);
    if (!target)
        return; // that screen is not part of this build
    ScreenStack(QStringLiteral("PUSH"), this);
    opened_.removeAll(target);
    opened_.append(target);
    target->setWindowState(target->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    target->show();
    target->raise();
    target->activateWindow();
}

void FrmROV2::clickHint()
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

void FrmROV2::clickLogo() { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kMakerPage))); }

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
