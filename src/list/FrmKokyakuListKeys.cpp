// Keys, buttons and the ways out of the customer list.
#include "ComboBox.h"
#include "CustomerListModel.h"
#include "FrmKokyakuList.h"
#include "HintButton.h"
#include "ListGridView.h"
#include "ProgramEnv.h"
#include "ScreenStack.h"
#include "TextBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>

namespace rov2 {
namespace {

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

void bringForward(QWidget* w)
{
    if (w->isMinimized() || w->isMaximized())
        w->showNormal();
    else
        w->show();
    w->raise();
    w->activateWindow();
}

} // namespace

void FrmKokyakuList::Command2_Click()
{
    Cn検索条件_->hide();
    Read顧客一覧();
}

void FrmKokyakuList::connectControls()
{
    connect(Command3_, &QPushButton::clicked, this, &FrmKokyakuList::Command3_Click);
    connect(Command2_, &QPushButton::clicked, this, &FrmKokyakuList::Command2_Click);
    connect(Command1_, &QPushButton::clicked, Cn検索条件_, &QWidget::hide);
    connect(cmd_ENT_, &QPushButton::clicked, this, &FrmKokyakuList::Read顧客一覧);
    connect(cmd印刷_, &QPushButton::clicked, this, &FrmKokyakuList::cmd印刷_Click);
    connect(cmdCSV出力_, &QPushButton::clicked, this, &FrmKokyakuList::CSV出力);
    connect(cmdクリア_, &QPushButton::clicked, this, &FrmKokyakuList::Clear顧客一覧);
    connect(cmd全選択_, &QPushButton::clicked, this, [this] { OnOff顧客一覧(true); });
    connect(cmd全解除_, &QPushButton::clicked, this, [this] { OnOff顧客一覧(false); });
    connect(cmd削除_, &QPushButton::clicked, this, &FrmKokyakuList::Delete顧客マスタ);
    connect(cmdメニュー_, &QPushButton::clicked, this, &FrmKokyakuList::cmdメニュー_Click);
    connect(cmd戻る_, &QPushButton::clicked, this, &FrmKokyakuList::cmd戻る_Click);
    connect(cmd閉じる_, &QPushButton::clicked, this, &QWidget::close);
    connect(CmdHint_, &QPushButton::clicked, this, &FrmKokyakuList::CmdHint_Click);
    connect(Grid明細_, &ListGridView::rowOpened, this, &FrmKokyakuList::openRow);
    connectPrintPanel();
}

void FrmKokyakuList::Command3_Click()
{
    Cn検索条件_->show();
    txtふりがな_->clear();
    for (ComboBox* c : {cmb区分1_, cmb区分2_, cmb性別_, cmb誕生月_})
        c->setText(QString());
    Chk家族_->setChecked(false);
    txtふりがな_->setFocus(Qt::OtherFocusReason);
}


void FrmKokyakuList::openRow(int row)
{
    const QString name = model_->customerName(row);
    if (name.isEmpty())
        return;
    env().selectedCustomerName = name;
    // The customer screen takes the name over when it becomes the active window.
    if (QWidget* main = screenNamed(kMainScreenName))
        bringForward(main);
}

void FrmKokyakuList::cmdメニュー_Click()
{
    ScreenStack(StackOp::Push, this);
    if (QWidget* main = screenNamed(kMainScreenName))
        bringForward(main);
}

void FrmKokyakuList::cmd戻る_Click()
{
    if (ScreenStack(StackOp::Pop, this).toBool())
        close();
}

void FrmKokyakuList::CmdHint_Click() { openHintEditor(this, QStringLiteral("CmdHint"), env().hint); }

bool FrmKokyakuList::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !isActiveWindow())
        return QWidget::eventFilter(watched, event);
    // A key travels up the parents when a control ignores it; act only on its
    // first delivery, to the control that has the focus. A drop-down list that
    // is open is a window of its own and keeps its keys (Esc closes it).
    QWidget* focus = QApplication::focusWidget();
    if (watched != (focus ? static_cast<QObject*>(focus) : this) || (focus && focus->window() != this))
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return QWidget::eventFilter(watched, event);
    if (functionKey(key->key()))
        return true;
    if (isEnter(key->key()) && focus && enterKey(focus))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool FrmKokyakuList::functionKey(int key)
{
    QPushButton* target = nullptr;
    switch (key) {
    case Qt::Key_F1: target = cmd戻る_; break;
    case Qt::Key_F2: target = cmdメニュー_; break;
    case Qt::Key_F6: target = cmd削除_; break;
    case Qt::Key_F7: target = cmd印刷_; break;
    case Qt::Key_F9: target = cmdクリア_; break;
    case Qt::Key_F11: target = cmd全選択_; break;
    case Qt::Key_F12: target = cmd全解除_; break;
    case Qt::Key_Escape: target = cmd閉じる_; break;
    default: return false;
    }
    target->click();
    return true;
}

/// Enter moves through the filters to the search button, and presses a button.
bool FrmKokyakuList::enterKey(QWidget* focus)
{
    if (auto* b = qobject_cast<QPushButton*>(focus)) {
        b->click();
        return true;
    }
    if (Cn検索条件_->isAncestorOf(focus)) {
        // Filters (and a combo box's own line edit) pass on to the next input.
        focusNextChild();
        return true;
    }
    return false; // the grid opens its row
}

} // namespace rov2
