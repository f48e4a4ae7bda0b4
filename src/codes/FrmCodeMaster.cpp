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
    cmb区分_->installEventFilter(this);
}

FrmCodeMaster::~FrmCodeMaster() = default;

void FrmCodeMaster::buildControls()
{
    cmb区分_ = new QComboBox(this);
    cmb区分_->setEditable(false);
    cmb区分_->setMinimumContentsLength(6);
    cmd読込_ = button("読込", this);
    cmdHint_ = button("ヒント", this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("区分"), this));
    top->addWidget(cmb区分_);
    top->addWidget(cmd読込_);
    top->addStretch();
    top->addWidget(cmdHint_);

    datコードマスタ_ = new CodeTableModel(this, env().locations.workFile);
    Gridコードマスタ_ = new CodeGridView(this);
    Gridコードマスタ_->setModel(datコードマスタ_);
    cells_ = new CodeGridDelegate(this);
    Gridコードマスタ_->setItemDelegate(cells_);
    Gridコードマスタ_->verticalHeader()->setDefaultSectionSize(Gridコードマスタ_->fontMetrics().height() + 6);

    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addWidget(Gridコードマスタ_, 1);
    root->addWidget(buildButtonBar());

    Lst性別_ = new SexPickList(this);
    lblMsg_ = new QLabel(QStringLiteral("読み込み中です"), this);
    lblMsg_->setAlignment(Qt::AlignCenter);
    lblMsg_->setFrameShape(QFrame::Panel);
    lblMsg_->setFrameShadow(QFrame::Raised);
    lblMsg_->setAutoFillBackground(true);
    lblMsg_->resize(220, 50);
    lblMsg_->hide();
    resize(440, 620);
}

QWidget* FrmCodeMaster::buildButtonBar()
{
    auto* bar = new QWidget(this);
    auto* v = new QVBoxLayout(bar);
    v->setContentsMargins(0, 0, 0, 0);
    cmd戻る_ = button("戻る", bar);
    cmdメニュー_ = button("メイン", bar);
    cmd登録_ = button("登録", bar);
    cmd削除_ = button("行削除", bar);
    cmdクリア_ = button("クリア", bar);
    cmd閉じる_ = button("閉じる", bar);
    // The legend: each key above its button.
    Label37_ = new QLabel(bar);
    auto* keys = new QHBoxLayout;
    auto* h = new QHBoxLayout;
    const char* const legend[] = {"F1", "F2", "F5", "F6", "F9", "ESC"};
    int i = 0;
    for (QPushButton* b : {cmd戻る_, cmdメニュー_, cmd登録_, cmd削除_, cmdクリア_, cmd閉じる_}) {
        auto* key = new QLabel(QString::fromLatin1(legend[i++]), Label37_);
        key->setAlignment(Qt::AlignCenter);
        keys->addWidget(key, 1);
        h->addWidget(b, 1);
    }
    keys->setContentsMargins(0, 0, 0, 0);
    Label37_->setLayout(keys);
    v->addWidget(Label37_);
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
        {cmb区分_, "cmb区分", "区分"},           {Gridコードマスタ_, "Gridコードマスタ", "コード表"},
        {cmd読込_, "cmd読込", "読込"},           {cmdHint_, "cmdHint", "ヒント"},
        {cmd戻る_, "cmd戻る", "戻る"},           {cmdメニュー_, "cmdメニュー", "メイン"},
        {cmd登録_, "cmd登録", "登録"},           {cmd削除_, "cmd削除", "行削除"},
        {cmdクリア_, "cmdクリア", "クリア"},     {cmd閉じる_, "cmd閉じる", "閉じる"},
        {Label37_, "Label37", "ファンクションキー"}, {lblMsg_, "lblMsg", "読み込み中です"},
    };
    for (const Named& n : all)
        nameControl(n.w, QString::fromUtf8(n.name), QString::fromUtf8(n.caption));
    datコードマスタ_->setObjectName(QStringLiteral("datコードマスタ"));
    setTabOrder(cmb区分_, Gridコードマスタ_);
    // The buttons beside the kind box are reached by the mouse; Tab goes from the grid to the bar.
    for (QPushButton* b : {cmd読込_, cmdHint_})
        b->setFocusPolicy(Qt::ClickFocus);
}

void FrmCodeMaster::connectControls()
{
    connect(cmb区分_, &QComboBox::activated, this, &FrmCodeMaster::cmb区分_Click);
    connect(cmd読込_, &QPushButton::clicked, this, &FrmCodeMaster::cmd読込_Click);
    connect(cmdHint_, &QPushButton::clicked, this, &FrmCodeMaster::cmdHint_Click);
    connect(cmd戻る_, &QPushButton::clicked, this, &FrmCodeMaster::cmd戻る_Click);
    connect(cmdメニュー_, &QPushButton::clicked, this, &FrmCodeMaster::cmdメニュー_Click);
    connect(cmd登録_, &QPushButton::clicked, this, [this] { Entryコードマスタ(true); });
    connect(cmd削除_, &QPushButton::clicked, this, &FrmCodeMaster::Deleteコードマスタ);
    connect(cmdクリア_, &QPushButton::clicked, this, &FrmCodeMaster::cmdクリア_Click);
    connect(cmd閉じる_, &QPushButton::clicked, this, &FrmCodeMaster::cmd閉じる_Click);

    connect(datコードマスタ_, &CodeTableModel::writeFailed, this,
            [this](int, int column, const QVariant& value) { noteUnwritten(column, value); });
    connect(Gridコードマスタ_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FrmCodeMaster::switchInputMethod);
    connect(Gridコードマスタ_, &CodeGridView::markToggleRequested, this, [this](int row) {
        Gridコードマスタ_->commitPendingEdit();
        datコードマスタ_->toggleMark(row);
    });
    connect(Gridコードマスタ_, &CodeGridView::genderListRequested, this, &FrmCodeMaster::openGenderList);
    connect(cells_, &CodeGridDelegate::enterCommitted, Gridコードマスタ_, &CodeGridView::moveDown);
    connect(Lst性別_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { takeGender(item->text()); });
    connect(Lst性別_, &SexPickList::textEntered, this, &FrmCodeMaster::takeGender);
    connect(Lst性別_, &SexPickList::cancelled, this,
            [this] { Gridコードマスタ_->setFocus(Qt::OtherFocusReason); });
}

int FrmCodeMaster::twips(int value) const { return value * logicalDpiX() / 1440; }

void FrmCodeMaster::applyColumnLayout(const QString& kind)
{
    for (int c : {codes::行番号, codes::code, codes::Unbound})
        Gridコードマスタ_->setColumnHidden(c, true);
    Gridコードマスタ_->setColumnHidden(codes::チェック, false);
    Gridコードマスタ_->setColumnHidden(codes::sname, false);
    Gridコードマスタ_->setColumnWidth(codes::チェック, twips(400));
    const bool relationship = kind == QStringLiteral("続柄");
    Gridコードマスタ_->setColumnHidden(codes::性別, !relationship);
    cells_->setGenderButton(relationship);
    Gridコードマスタ_->setColumnWidth(codes::sname, twips(relationship ? 3780 : 4580));
    if (relationship)
        Gridコードマスタ_->setColumnWidth(codes::性別, twips(800));
    Gridコードマスタ_->viewport()->update();
}

bool FrmCodeMaster::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != cmb区分_)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        // Back in the kind box after a save or a clear: its list comes back. A
        // list still being edited is not read over.
        if (loadedKind_ != cmb区分_->currentText())
            QMetaObject::invokeMethod(this, &FrmCodeMaster::cmd読込_Click, Qt::QueuedConnection);
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
    const std::pair<int, QPushButton*> keys[] = {{Qt::Key_F1, cmd戻る_},  {Qt::Key_F2, cmdメニュー_},
                                                 {Qt::Key_F5, cmd登録_},  {Qt::Key_F6, cmd削除_},
                                                 {Qt::Key_F9, cmdクリア_}};
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
    if (Lst性別_->isVisible()) {
        Lst性別_->hide();
        Gridコードマスタ_->setFocus(Qt::OtherFocusReason);
    } else if (Gridコードマスタ_->currentEditor()) {
        Gridコードマスタ_->discardPendingEdit();
        Gridコードマスタ_->setFocus(Qt::OtherFocusReason);
    } else {
        close();
    }
}

bool FrmCodeMaster::kindBoxKey(int key, const QString& text)
{
    if (isEnter(key)) {
        Gridコードマスタ_->setFocus(Qt::TabFocusReason);
        return true;
    }
    // The box is a list: what is typed or deleted goes nowhere.
    return key == Qt::Key_Delete || key == Qt::Key_Backspace || (!text.isEmpty() && text.at(0).isPrint());
}

void FrmCodeMaster::cmb区分_Click()
{
    applyColumnLayout(cmb区分_->currentText());
    cmd読込_Click();
}

void FrmCodeMaster::focusKindBox()
{
    if (cmb区分_->hasFocus() && loadedKind_ != cmb区分_->currentText())
        cmd読込_Click(); // no focus change will tell the box
    cmb区分_->setFocus(Qt::OtherFocusReason);
}

void FrmCodeMaster::cmd戻る_Click()
{
    if (ScreenStack(StackOp::Pop, this).toBool())
        close();
}

void FrmCodeMaster::cmdメニュー_Click()
{
    ScreenStack(StackOp::Push, this);
    if (QWidget* main = screenNamed(kMainScreenName)) {
        main->setWindowState(main->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        main->show();
        main->raise();
        main->activateWindow();
    }
}

void FrmCodeMaster::cmdクリア_Click()
{
    FormInit();
    if (!Clearコード明細())
        ShowMessage(MsgOp::その他, MsgKind::メッセージ,
                    QStringLiteral("コード表 をクリアできませんでした。作業ファイルを確認してください。"));
    cmb区分_->setCurrentIndex(0);
    applyColumnLayout(cmb区分_->currentText());
    focusKindBox();
}

void FrmCodeMaster::cmd閉じる_Click()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == kHintScreenName)
            w->close();
    close();
}

void FrmCodeMaster::cmdHint_Click() { openHintEditor(this, QStringLiteral("cmdHint"), env().hint); }

void FrmCodeMaster::cmd読込_Click()
{
    lblMsg_->move((width() - lblMsg_->width()) / 2, (height() - lblMsg_->height()) / 2);
    lblMsg_->raise();
    lblMsg_->show();
    lblMsg_->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    Readコードマスタ();
    lblMsg_->hide();
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
    ShowMessage(MsgOp::その他, MsgKind::メッセージ,
                what + QStringLiteral(" を書き込めませんでした。") +
                    QDir::toNativeSeparators(datコードマスタ_->workFile()) + QStringLiteral(" を確認してください。"));
}

void FrmCodeMaster::switchInputMethod(const QModelIndex& current)
{
    if (!current.isValid())
        return;
    const int open = current.column() == codes::sname ? 1 : 0;
    SetImeOpen(Gridコードマスタ_, open);
    SetImeOpen(Gridコードマスタ_->currentEditor(), open);
}

void FrmCodeMaster::openGenderList(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    genderRow_ = index.row();
    Gridコードマスタ_->setCurrentIndex(index);
    // Right of the gender cell, at the top of its row; pulled back inside the window.
    QWidget* viewport = Gridコードマスタ_->viewport();
    const int x = Gridコードマスタ_->columnViewportPosition(codes::性別) +
                  Gridコードマスタ_->columnWidth(codes::性別);
    const QPoint corner = viewport->mapTo(this, QPoint(x, Gridコードマスタ_->rowViewportPosition(index.row())));
    const QSize size = Lst性別_->sizeHint();
    const QPoint at(qMax(0, qMin(corner.x(), width() - size.width())),
                    qMax(0, qMin(corner.y(), height() - size.height())));
    Lst性別_->popUp(at, index.data(Qt::EditRole).toString());
}

void FrmCodeMaster::takeGender(const QString& text)
{
    if (genderRow_ >= 0 && genderRow_ < datコードマスタ_->rowCount())
        datコードマスタ_->setData(datコードマスタ_->index(genderRow_, codes::性別), text);
    Gridコードマスタ_->setFocus(Qt::OtherFocusReason);
    if (genderRow_ >= 0)
        Gridコードマスタ_->setCurrentIndex(datコードマスタ_->index(genderRow_, codes::性別));
    Lst性別_->hide();
    genderRow_ = -1;
}

} // namespace rov2
