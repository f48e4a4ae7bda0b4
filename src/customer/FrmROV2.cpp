#include "FrmROV2.h"

#include "Accessibility.h"
#include "BusyPanel.h"
#include "ComboBox.h"
#include "DateBox.h"
#include "FamilyGrid.h"
#include "FamilyGridView.h"
#include "InputMethod.h"
#include "NumberBox.h"
#include "ProgramEnv.h"
#include "ScreenControls.h"
#include "TextBox.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QStyle>
#include <QTabWidget>

#include <iterator>
#include <QVBoxLayout>

namespace rov2 {

const char* const kMakerPage = "https://www.vavaruv.example.jp/";

FrmROV2::FrmROV2(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmROV2"));
    setWindowTitle(QStringLiteral("VAVⅡaruv　Ver1.00"));
    buildControls();
    nameControls();
    setInputOrder();
    connectControls();
    // The window sees every key before the focused control (function keys).
    qApp->installEventFilter(this);
}

FrmROV2::~FrmROV2() { qApp->removeEventFilter(this); }

void FrmROV2::buildControls()
{
    cmb顧客名_ = new ComboBox(this);
    cmb顧客名_->setEditable(true);
    cmb顧客名_->setMinimumWidth(320);
    cmd顧客参照_ = button("顧客", this);
    cmd顧客参照50_ = button("顧客50", this);

    Tab顧客情報_ = new QTabWidget(this);
    Tab顧客情報_->addTab(buildPersonalTab(), QStringLiteral("個人情報"));
    Tab顧客情報_->addTab(buildFamilyTab(), QStringLiteral("家族情報・その他"));
    Tab顧客情報_->tabBar()->setFocusPolicy(Qt::ClickFocus);

    auto* top = new QHBoxLayout;
    top->addWidget(caption("顧客名", this));
    top->addWidget(cmb顧客名_, 1);
    top->addWidget(cmd顧客参照_);
    top->addWidget(cmd顧客参照50_);
    top->addStretch();

    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addWidget(Tab顧客情報_, 1);
    root->addWidget(buildButtonBar());

    CnMsg_ = makeBusyPanel(this, LMsg_);
    // Wide enough for the family grid's columns on the second tab, with room
    // for the tab frame and the margins around it.
    const int around = 4 * style()->pixelMetric(QStyle::PM_LayoutLeftMargin) + 16;
    resize(qMax(760, Grid家族_->contentWidth() + around), 600);
}

QWidget* FrmROV2::buildPersonalTab()
{
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    cmb敬称_ = new ComboBox(page);
    cmb敬称_->setEditable(true);
    txtTEL1_ = new TextBox(page);
    txtTEL2_ = new TextBox(page);
    txtFAX_ = new TextBox(page);
    txtふりがな_ = new TextBox(page);
    cmb区分1_ = new ComboBox(page);
    cmb区分1_->setEditable(true);
    cmb区分2_ = new ComboBox(page);
    cmb区分2_->setEditable(true);
    dt生年月日_ = new DateBox(page);
    num年齢_ = new NumberBox(page);
    cmb性別_ = new ComboBox(page);
    cmbクイック_ = new ComboBox(page);
    txtEmail_ = new TextBox(page);
    txt郵便番号_ = new TextBox(page);
    cmd郵便_ = button("郵便", page);
    txt住所1_ = new TextBox(page);
    txt住所2_ = new TextBox(page);
    txt顧客メモ_ = new TextBox(page);

    // Codes and numbers get boxes as wide as what they hold; texts take the width.
    const int digit = page->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (QWidget* w : std::initializer_list<QWidget*>{txtTEL1_, txtTEL2_, txtFAX_})
        w->setFixedWidth(digit * 20);
    txt郵便番号_->setFixedWidth(digit * 12);
    for (QWidget* w : std::initializer_list<QWidget*>{cmb敬称_, cmb区分1_, cmb区分2_})
        w->setFixedWidth(digit * 26);
    dt生年月日_->setMinimumWidth(digit * 20);
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;

    g->addWidget(caption("敬称", page), 0, 0);
    g->addWidget(cmb敬称_, 0, 1, left);
    g->addWidget(caption("電話番号", page), 1, 0);
    g->addWidget(txtTEL1_, 1, 1, left);
    g->addWidget(caption("電話２", page), 1, 2);
    g->addWidget(txtTEL2_, 1, 3, left);
    g->addWidget(caption("FAX", page), 2, 2);
    g->addWidget(txtFAX_, 2, 3, left);
    g->addWidget(caption("ふりがな", page), 3, 0);
    g->addWidget(txtふりがな_, 3, 1, 1, 3);
    g->addWidget(caption("区分", page), 4, 0);
    g->addWidget(cmb区分1_, 4, 1, left);
    g->addWidget(cmb区分2_, 4, 3, left);
    g->addWidget(caption("生年月日", page), 5, 0);
    g->addWidget(dt生年月日_, 5, 1, left);
    g->addWidget(caption("年齢", page), 5, 2);
    auto* ageSex = new QHBoxLayout;
    ageSex->addWidget(num年齢_);
    ageSex->addSpacing(digit * 2);
    ageSex->addWidget(caption("性別", page));
    ageSex->addWidget(cmb性別_);
    ageSex->addSpacing(digit * 2);
    ageSex->addWidget(caption("クイック", page));
    ageSex->addWidget(cmbクイック_);
    ageSex->addStretch();
    g->addLayout(ageSex, 5, 3);
    g->addWidget(caption("E-Mail", page), 6, 0);
    g->addWidget(txtEmail_, 6, 1, 1, 3);
    g->addWidget(caption("郵便番号", page), 7, 0);
    auto* postal = new QHBoxLayout;
    postal->addWidget(txt郵便番号_);
    postal->addWidget(cmd郵便_);
    postal->addStretch();
    g->addLayout(postal, 7, 1);
    g->addWidget(caption("住所１", page), 8, 0);
    g->addWidget(txt住所1_, 8, 1, 1, 3);
    g->addWidget(caption("住所２", page), 9, 0);
    g->addWidget(txt住所2_, 9, 1, 1, 3);
    g->addWidget(caption("メモ", page), 10, 0);
    g->addWidget(txt顧客メモ_, 10, 1, 1, 3);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    g->setRowStretch(11, 1);
    return page;
}

QWidget* FrmROV2::buildFamilyTab()
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    txt印刷名_ = new TextBox(page);
    row->addWidget(caption("印刷名", page));
    row->addWidget(txt印刷名_, 1);
    v->addLayout(row);
    Grid家族_ = new FamilyGrid(page, env().locations, env().settings);
    Grid家族_->setObjectName(QStringLiteral("fra家族"));
    v->addWidget(Grid家族_, 1);
    return page;
}

QWidget* FrmROV2::buildButtonBar()
{
    auto* bar = new QWidget(this);
    auto* v = new QVBoxLayout(bar);
    v->setContentsMargins(0, 0, 0, 0);
    Label20_ = new QLabel(QStringLiteral("F5:登録　F9:クリア　F6:削除　F10:一覧　F11:保守　F12:コード表　Esc:閉じる"
                                        "　　F3:顧客　F4:顧客50"),
                         bar);
    v->addWidget(Label20_);
    auto* h = new QHBoxLayout;
    cmd登録_ = button("登録", bar);
    cmdクリア_ = button("クリア", bar);
    cmd削除_ = button("削除", bar);
    Command3_ = button("一覧", bar);
    Command11_ = button("保守", bar);
    Command5_ = button("コード表", bar);
    CmdHint_ = button("ヒント", bar);
    cmd閉じる_ = button("閉じる", bar);
    for (QPushButton* b : {cmd登録_, cmdクリア_, cmd削除_, Command3_, Command11_, Command5_, CmdHint_, cmd閉じる_})
        h->addWidget(b);
    h->addStretch();
    LblEntNum_ = new QLabel(QStringLiteral("登録数:"), bar);
    h->addWidget(LblEntNum_);
    Image1_ = new QLabel(bar);
    Image1_->setText(QStringLiteral("<b>VAVⅡaruv</b>"));
    Image1_->setCursor(Qt::PointingHandCursor);
    Image1_->setFrameShape(QFrame::StyledPanel);
    Image1_->installEventFilter(this);
    h->addWidget(Image1_);
    v->addLayout(h);
    return bar;
}

void FrmROV2::nameControls()
{
    struct Named {
        QWidget* w;
        const char* name;
        const char* caption;
    };
    const Named all[] = {
        {cmb顧客名_, "cmb顧客名", "顧客名"},     {cmd顧客参照_, "cmd顧客参照", "顧客"},
        {cmd顧客参照50_, "cmd顧客参照50", "顧客50"}, {Tab顧客情報_, "Tab顧客情報", "顧客情報"},
        {cmb敬称_, "cmb敬称", "敬称"},           {txtTEL1_, "txtTEL1", "電話番号"},
        {txtTEL2_, "txtTEL2", "電話２"},         {txtFAX_, "txtFAX", "FAX"},
        {txtふりがな_, "txtふりがな", "ふりがな"}, {cmb区分1_, "cmb区分1", "区分1"},
        {cmb区分2_, "cmb区分2", "区分2"},        {dt生年月日_, "dt生年月日", "生年月日"},
        {num年齢_, "num年齢", "年齢"},           {cmb性別_, "cmb性別", "性別"},
        {cmbクイック_, "cmbクイック", "クイック"}, {txtEmail_, "txtEmail", "E-Mail"},
        {txt郵便番号_, "txt郵便番号", "郵便番号"}, {cmd郵便_, "cmd郵便", "郵便"},
        {txt住所1_, "txt住所1", "住所１"},       {txt住所2_, "txt住所2", "住所２"},
        {txt顧客メモ_, "txt顧客メモ", "メモ"},   {txt印刷名_, "txt印刷名", "印刷名"},
        {Grid家族_->Grid家族, "Grid家族", "家族情報"},     {cmd登録_, "cmd登録", "登録"},
        {cmdクリア_, "cmdクリア", "クリア"},     {cmd削除_, "cmd削除", "削除"},
        {Command3_, "Command3", "一覧"},         {Command11_, "Command11", "保守"},
        {Command5_, "Command5", "コード表"},     {CmdHint_, "CmdHint", "ヒント"},
        {cmd閉じる_, "cmd閉じる", "閉じる"},     {Label20_, "Label20", "ファンクションキー"},
        {Image1_, "Image1", "ロゴ"},             {CnMsg_, "CnMsg", "処理中"},
    };
    for (const Named& n : all)
        nameControl(n.w, QString::fromUtf8(n.name), QString::fromUtf8(n.caption));
    // The count and the busy text are heard by what they show.
    nameValueControl(LblEntNum_, QStringLiteral("LblEntNum"));
    nameValueControl(LMsg_, QStringLiteral("LMsg"));
}

void FrmROV2::setInputOrder()
{
    // Enter, Down and Up follow this order; the look-up buttons beside the
    // inputs are reached by their keys and the mouse, not by Enter.
    for (QPushButton* b : {cmd顧客参照_, cmd顧客参照50_, cmd郵便_})
        b->setFocusPolicy(Qt::ClickFocus);
    QWidget* const order[] = {cmb顧客名_, cmb敬称_, txtTEL1_, txtTEL2_, txtFAX_, txtふりがな_, cmb区分1_, cmb区分2_,
                              dt生年月日_, num年齢_, cmb性別_, cmbクイック_, txtEmail_, txt郵便番号_, txt住所1_, txt住所2_,
                              txt顧客メモ_, txt印刷名_, Grid家族_->Grid家族, cmd登録_, cmdクリア_, cmd削除_, Command3_, Command11_,
                              Command5_, CmdHint_, cmd閉じる_};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    // Japanese text: names, readings, addresses, memos; the rest takes codes and numbers.
    for (QWidget* w : std::initializer_list<QWidget*>{cmb顧客名_, cmb敬称_, txtふりがな_, cmb区分1_, cmb区分2_, txt住所1_,
                                                      txt住所2_, txt顧客メモ_, txt印刷名_})
        SetImeOpen(w, 1);
    for (QWidget* w : std::initializer_list<QWidget*>{txtTEL1_, txtTEL2_, txtFAX_, txtEmail_, txt郵便番号_, num年齢_,
                                                      dt生年月日_, cmb性別_, cmbクイック_})
        SetImeOpen(w, 0);
}

void FrmROV2::showBusy(const QString& text)
{
    showBusyPanel(CnMsg_, LMsg_, text);
}

void FrmROV2::hideBusy() { CnMsg_->hide(); }

} // namespace rov2
