// The code-table screen: its controls, keys and buttons.
#include "FrmCodeMaster.h"

#include "CodeColumn.h"
#include "ScreenControls.h"

#include "Accessibility.h"
#include "CodeGridDelegate.h"
#include "CodeGridView.h"
#include "CodeTableModel.h"
#include "HintButton.h"
#include "InputMethod.h"
#include "Messages.h"
#include "ProgramEnv.h"
#include "ScreenStack.h"
#include "SexPickList.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <utility>

namespace rov2 {
namespace {

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

} // namespace

FrmCodeMaster::FrmCodeMaster(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FrmCodeMaster"));
    setWindowTitle(QStringLiteral("コード表　　VAVⅡaruv　Ver1.00"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    nameControls();
    connectControls();
    connectKeys();
    cmb区分->installEventFilter(this);
}

FrmCodeMaster::~FrmCodeMaster() = default;

void FrmCodeMaster::buildControls()
{
    cmb区分 = new QComboBox(this);
    cmb区分->setEditable(false);
    cmb区分->setMinimumContentsLength(6);
    cmd読込 = button("読込", this);
    cmdHint = button("ヒント", this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("区分"), this));
    top->addWidget(cmb区分);
    top->addWidget(cmd読込);
    top->addStretch();
    top->addWidget(cmdHint);

    datコードマスタ = new CodeTableModel(this, env().locations.workFile);
    Gridコードマスタ = new CodeGridView(this);
    Gridコードマスタ->setModel(datコードマスタ);
    cells_ = new CodeGridDelegate(this);
    Gridコードマスタ->setItemDelegate(cells_);
    Gridコードマスタ->verticalHeader()->setDefaultSectionSize(Gridコードマスタ->fontMetrics().height() + 6);

    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addWidget(Gridコードマスタ, 1);
    root->addWidget(buildButtonBar());

    Lst性別 = new SexPickList(this);
    lblMsg = new QLabel(QStringLiteral("読み込み中です"), this);
    lblMsg->setAlignment(Qt::AlignCenter);
    lblMsg->setFrameShape(QFrame::Panel);
    lblMsg->setFrameShadow(QFrame::Raised);
    lblMsg->setAutoFillBackground(true);
    lblMsg->resize(220, 50);
    lblMsg->hide();
    resize(440, 620);
}

QWidget* FrmCodeMaster::buildButtonBar()
{
    auto* bar = new QWidget(this);
    auto* v = new QVBoxLayout(bar);
    v->setContentsMargins(0, 0, 0, 0);
    cmd戻る = button("戻る", bar);
    cmdメニュー = button("メイン", bar);
    cmd登録 = button("登録", bar);
    cmd削除 = button("行削除", bar);
    cmdクリア = button("クリア", bar);
    cmd閉じる = button("閉じる", bar);
    // The legend: each key above its button.
    Label37 = new QLabel(bar);
    auto* keys = new QHBoxLayout;
    auto* h = new QHBoxLayout;
    const char* const legend[] = {"F1", "F2", "F5", "F6", "F9", "ESC"};
    int i = 0;
    for (QPushButton* b : {cmd戻る, cmdメニュー, cmd登録, cmd削除, cmdクリア, cmd閉じる}) {
        auto* key = new QLabel(QString::fromLatin1(legend[i++]), Label37);
        key->setAlignment(Qt::AlignCenter);
        keys->addWidget(key, 1);
        h->addWidget(b, 1);
    }
    keys->setContentsMargins(0, 0, 0, 0);
    Label37->setLayout(keys);
    v->addWidget(Label37);
    v->addLayout(h);
    return bar;
}

void FrmCodeMaster::nameControls()
{
    struct Named {
        QWidget* w;
        const char* name;
        const char* caption;
    };
    const Named all[] = {
        {cmb区分, "cmb区分", "区分"},           {Gridコードマスタ, "Gridコードマスタ", "コード表"},
        {cmd読込, "cmd読込", "読込"},           {cmdHint, "cmdHint", "ヒント"},
        {cmd戻る, "cmd戻る", "戻る"},           {cmdメニュー, "cmdメニュー", "メイン"},
        {cmd登録, "cmd登録", "登録"},           {cmd削除, "cmd削除", "行削除"},
        {cmdクリア, "cmdクリア", "クリア"},     {cmd閉じる, "cmd閉じる", "閉じる"},
        {Label37, "Label37", "ファンクションキー"}, {lblMsg, "lblMsg", "読み込み中です"},
    };
    for (const Named& n : all)
        nameControl(n.w, QString::fromUtf8(n.name), QString::fromUtf8(n.caption));
    datコードマスタ->setObjectName(QStringLiteral("datコードマスタ"));
    setTabOrder(cmb区分, Gridコードマスタ);
    // The buttons beside the kind box are reached by the mouse; Tab goes from the grid to the bar.
    for (QPushButton* b : {cmd読込, cmdHint})
        b->setFocusPolicy(Qt::ClickFocus);
}

void FrmCodeMaster::connectControls()
{
    connect(cmb区分, &QComboBox::activated, this, [this](int) { kindChosen(); });
    connect(cmd読込, &QPushButton::clicked, this, &FrmCodeMaster::click読込);
    connect(cmdHint, &QPushButton::clicked, this,
            [this] { openHintEditor(this, QStringLiteral("cmdHint"), env().hint); });
    connect(cmd戻る, &QPushButton::clicked, this, &FrmCodeMaster::click戻る);
    connect(cmdメニュー, &QPushButton::clicked, this, &FrmCodeMaster::clickメニュー);
    connect(cmd登録, &QPushButton::clicked, this, [this] { Entryコードマスタ(true); });
    connect(cmd削除, &QPushButton::clicked, this, &FrmCodeMaster::Deleteコードマスタ);
    connect(cmdクリア, &QPushButton::clicked, this, &FrmCodeMaster::clickクリア);
    connect(cmd閉じる, &QPushButton::clicked, this, &FrmCodeMaster::click閉じる);

    connect(datコードマスタ, &CodeTableModel::writeFailed, this,
            [this](int, int column, const QVariant& value) { noteUnwritten(column, value); });
    connect(Gridコードマスタ->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FrmCodeMaster::switchInputMethod);
    connect(Gridコードマスタ, &CodeGridView::markToggleRequested, this, [this](int row) {
        Gridコードマスタ->commitPendingEdit();
        datコードマスタ->toggleMark(row);
    });
    connect(Gridコードマスタ, &CodeGridView::genderListRequested, this, &FrmCodeMaster::openGenderList);
    connect(cells_, &CodeGridDelegate::enterCommitted, Gridコードマスタ, &CodeGridView::moveDown);
    connect(Lst性別, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { takeGender(item->text()); });
    connect(Lst性別, &SexPickList::textEntered, this, &FrmCodeMaster::takeGender);
    connect(Lst性別, &SexPickList::cancelled, this,
            [this] { Gridコードマスタ->setFocus(Qt::OtherFocusReason); });
}

int FrmCodeMaster::twips(int value) const { return value * logicalDpiX() / 1440; }

void FrmCodeMaster::applyColumnLayout(const QString& kind)
{
    for (int c : {codes::行番号, codes::code, codes::Unbound})
        Gridコードマスタ->setColumnHidden(c, true);
    Gridコードマスタ->setColumnHidden(codes::チェック, false);
    Gridコードマスタ->setColumnHidden(codes::sname, false);
    Gridコードマスタ->setColumnWidth(codes::チェック, twips(400));
    const bool relationship = kind == QStringLiteral("続柄");
    Gridコードマスタ->setColumnHidden(codes::性別, !relationship);
    cells_->setGenderButton(relationship);
    Gridコードマスタ->setColumnWidth(codes::sname, twips(relationship ? 3780 : 4580));
    if (relationship)
        Gridコードマスタ->setColumnWidth(codes::性別, twips(800));
    Gridコードマスタ->viewport()->update();
}

bool FrmCodeMaster::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != cmb区分)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        // Back in the kind box after a save or a clear: its list comes back. A
        // list still being edited is not read over.
        if (loadedKind_ != cmb区分->currentText())
            QMetaObject::invokeMethod(this, &FrmCodeMaster::click読込, Qt::QueuedConnection);
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && kindBoxKey(key->key(), key->text()))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void FrmCodeMaster::connectKeys()
{
    // Shortcuts of the window: the screen sees these keys before its controls.
    const std::pair<int, QPushButton*> keys[] = {{Qt::Key_F1, cmd戻る},  {Qt::Key_F2, cmdメニュー},
                                                 {Qt::Key_F5, cmd登録},  {Qt::Key_F6, cmd削除},
                                                 {Qt::Key_F9, cmdクリア}};
    for (const auto& [key, target] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, target, &QPushButton::click);
    }
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &FrmCodeMaster::pressEscape);
}

void FrmCodeMaster::pressEscape()
{
    // Esc first cancels a name being typed or the open gender list.
    if (Lst性別->isVisible()) {
        Lst性別->hide();
        Gridコードマスタ->setFocus(Qt::OtherFocusReason);
    } else if (Gridコードマスタ->currentEditor()) {
        Gridコードマスタ->discardPendingEdit();
        Gridコードマスタ->setFocus(Qt::OtherFocusReason);
    } else {
        close();
    }
}

bool FrmCodeMaster::kindBoxKey(int key, const QString& text)
{
    if (isEnter(key)) {
        Gridコードマスタ->setFocus(Qt::TabFocusReason);
        return true;
    }
    // The box is a list: what is typed or deleted goes nowhere.
    return key == Qt::Key_Delete || key == Qt::Key_Backspace || (!text.isEmpty() && text.at(0).isPrint());
}

void FrmCodeMaster::kindChosen()
{
    applyColumnLayout(cmb区分->currentText());
    click読込();
}

void FrmCodeMaster::focusKindBox()
{
    if (cmb区分->hasFocus() && loadedKind_ != cmb区分->currentText())
        click読込(); // no focus change will tell the box
    cmb区分->setFocus(Qt::OtherFocusReason);
}

void FrmCodeMaster::click戻る()
{
    if (ScreenStack(QStringLiteral("POP"), this).toBool())
        close();
}

void FrmCodeMaster::clickメニュー()
{
    ScreenStack(QStringLiteral("PUSH"), this);
    if (QWidget* main = screenNamed(kMainScreenName)) {
        main->setWindowState(main->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        main->show();
        main->raise();
        main->activateWindow();
    }
}

void FrmCodeMaster::clickクリア()
{
    FormInit();
    if (!Clearコード明細())
        ShowMessage(QStringLiteral("その他"), QStringLiteral("メッセージ"),
                    QStringLiteral("コード表 をクリアできませんでした。作業ファイルを確認してください。"));
    cmb区分->setCurrentIndex(0);
    applyColumnLayout(cmb区分->currentText());
    focusKindBox();
}

void FrmCodeMaster::click閉じる()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == kHintScreenName)
            w->close();
    close();
}

void FrmCodeMaster::click読込()
{
    lblMsg->move((width() - lblMsg->width()) / 2, (height() - lblMsg->height()) / 2);
    lblMsg->raise();
    lblMsg->show();
    lblMsg->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    Readコードマスタ();
    lblMsg->hide();
}

void FrmCodeMaster::noteUnwritten(int column, const QVariant& value)
{
    // The refusal comes while the cell's editor closes: the notice waits until
    // that is over, and a full disk that refuses several cells gives one notice.
    const bool pending = !unwritten_.isEmpty();
    if (column == codes::sname && !value.toString().isEmpty())
        unwritten_ = value.toString();
    else if (!pending)
        unwritten_ = column == codes::性別 ? QStringLiteral("性別") : QStringLiteral("チェック");
    if (!pending)
        QMetaObject::invokeMethod(this, &FrmCodeMaster::tellUnwritten, Qt::QueuedConnection);
}

void FrmCodeMaster::tellUnwritten()
{
    const QString what = std::exchange(unwritten_, QString());
    ShowMessage(QStringLiteral("その他"), QStringLiteral("メッセージ"),
                what + QStringLiteral(" を書き込めませんでした。") +
                    QDir::toNativeSeparators(datコードマスタ->workFile()) + QStringLiteral(" を確認してください。"));
}

void FrmCodeMaster::switchInputMethod(const QModelIndex& current)
{
    if (!current.isValid())
        return;
    const int open = current.column() == codes::sname ? 1 : 0;
    SetImeOpen(Gridコードマスタ, open);
    SetImeOpen(Gridコードマスタ->currentEditor(), open);
}

void FrmCodeMaster::openGenderList(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    genderRow_ = index.row();
    Gridコードマスタ->setCurrentIndex(index);
    // Right of the gender cell, at the top of its row; pulled back inside the window.
    QWidget* viewport = Gridコードマスタ->viewport();
    const int x = Gridコードマスタ->columnViewportPosition(codes::性別) +
                  Gridコードマスタ->columnWidth(codes::性別);
    const QPoint corner = viewport->mapTo(this, QPoint(x, Gridコードマスタ->rowViewportPosition(index.row())));
    const QSize size = Lst性別->sizeHint();
    const QPoint at(qMax(0, qMin(corner.x(), width() - size.width())),
                    qMax(0, qMin(corner.y(), height() - size.height())));
    Lst性別->popUp(at, index.data(Qt::EditRole).toString());
}

void FrmCodeMaster::takeGender(const QString& text)
{
    if (genderRow_ >= 0 && genderRow_ < datコードマスタ->rowCount())
        datコードマスタ->setData(datコードマスタ->index(genderRow_, codes::性別), text);
    Gridコードマスタ->setFocus(Qt::OtherFocusReason);
    if (genderRow_ >= 0)
        Gridコードマスタ->setCurrentIndex(datコードマスタ->index(genderRow_, codes::性別));
    Lst性別->hide();
    genderRow_ = -1;
}

} // namespace rov2
