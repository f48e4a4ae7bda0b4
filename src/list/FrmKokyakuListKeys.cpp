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
#include <QPointer>
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

void FrmKokyakuList::connectControls()
{
    connect(Command3, &QPushButton::clicked, this, &FrmKokyakuList::openSearchPanel);
    connect(Command2, &QPushButton::clicked, this, [this] {
        Cn検索条件->hide();
        Read顧客一覧();
    });
    connect(Command1, &QPushButton::clicked, Cn検索条件, &QWidget::hide);
    connect(cmd_ENT, &QPushButton::clicked, this, &FrmKokyakuList::Read顧客一覧);
    connect(cmd印刷, &QPushButton::clicked, this, &FrmKokyakuList::togglePrintPanel);
    connect(cmdCSV出力, &QPushButton::clicked, this, &FrmKokyakuList::CSV出力);
    connect(cmdクリア, &QPushButton::clicked, this, &FrmKokyakuList::Clear顧客一覧);
    connect(cmd全選択, &QPushButton::clicked, this, [this] { OnOff顧客一覧(true); });
    connect(cmd全解除, &QPushButton::clicked, this, [this] { OnOff顧客一覧(false); });
    connect(cmd削除, &QPushButton::clicked, this, &FrmKokyakuList::Delete顧客マスタ);
    connect(cmdメニュー, &QPushButton::clicked, this, &FrmKokyakuList::goToMain);
    connect(cmd戻る, &QPushButton::clicked, this, &FrmKokyakuList::goBack);
    connect(cmd閉じる, &QPushButton::clicked, this, &QWidget::close);
    connect(CmdHint, &QPushButton::clicked, this, &FrmKokyakuList::clickHint);
    connect(Grid明細, &ListGridView::rowOpened, this, &FrmKokyakuList::openRow);
    connectPrintPanel();
}

void FrmKokyakuList::openSearchPanel()
{
    Cn検索条件->show();
    txtふりがな->clear();
    for (ComboBox* c : {cmb区分1, cmb区分2, cmb性別, cmb誕生月})
        c->setText(QString());
    Chk家族->setChecked(false);
    txtふりがな->setFocus(Qt::OtherFocusReason);
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

void FrmKokyakuList::goToMain()
{
    ScreenStack(QStringLiteral("PUSH"), this);
    if (QWidget* main = screenNamed(kMainScreenName))
        bringForward(main);
}

void FrmKokyakuList::goBack()
{
    if (ScreenStack(QStringLiteral("POP"), this).toBool())
        close();
}

void FrmKokyakuList::clickHint() { openHintEditor(this, QStringLiteral("CmdHint"), env().hint); }

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
    case Qt::Key_F1: target = cmd戻る; break;
    case Qt::Key_F2: target = cmdメニュー; break;
    case Qt::Key_F6: target = cmd削除; break;
    case Qt::Key_F7: target = cmd印刷; break;
    case Qt::Key_F9: target = cmdクリア; break;
    case Qt::Key_F11: target = cmd全選択; break;
    case Qt::Key_F12: target = cmd全解除; break;
    case Qt::Key_Escape: target = cmd閉じる; break;
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
    if (Cn検索条件->isAncestorOf(focus)) {
        // Filters (and a combo box's own line edit) pass on to the next input.
        focusNextChild();
        return true;
    }
    return false; // the grid opens its row
}

void registerKokyakuList()
{
    registerScreen(kKokyakuListName, [] {
        static QPointer<FrmKokyakuList> loaded;
        if (!loaded) {
            loaded = new FrmKokyakuList;
            loaded->setAttribute(Qt::WA_DeleteOnClose);
            loaded->Form_Load();
        }
        return loaded.data();
    });
}

} // namespace rov2
