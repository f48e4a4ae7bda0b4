#include "FrmROV2.h"

#include "Accessibility.h"
#include "ComboBox.h"
#include "DateBox.h"
#include "FamilyGrid.h"
#include "FamilyGridView.h"
#include "InputMethod.h"
#include "NumberBox.h"
#include "TextBox.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include <iterator>
#include <QVBoxLayout>

namespace rov2 {

const char* const kMakerPage = "https://www.vavaruv.example.jp/";

namespace {

QLabel* caption(const char* text, QWidget* parent)
{
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QPushButton* button(const char* text, QWidget* parent)
{
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setAutoDefault(false);
    return b;
}

} // namespace

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
    cmb顧客名 = new ComboBox(this);
    cmb顧客名->setEditable(true);
    cmb顧客名->setMinimumWidth(320);
    cmd顧客参照 = button("顧客", this);
    cmd顧客参照50 = button("顧客50", this);

    Tab顧客情報 = new QTabWidget(this);
    Tab顧客情報->addTab(buildPersonalTab(), QStringLiteral("個人情報"));
    Tab顧客情報->addTab(buildFamilyTab(), QStringLiteral("家族情報・その他"));
    Tab顧客情報->tabBar()->setFocusPolicy(Qt::ClickFocus);

    auto* top = new QHBoxLayout;
    top->addWidget(caption("顧客名", this));
    top->addWidget(cmb顧客名, 1);
    top->addWidget(cmd顧客参照);
    top->addWidget(cmd顧客参照50);
    top->addStretch();

    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addWidget(Tab顧客情報, 1);
    root->addWidget(buildButtonBar());

    CnMsg = new QFrame(this);
    CnMsg->setFrameShape(QFrame::Panel);
    CnMsg->setFrameShadow(QFrame::Raised);
    CnMsg->setAutoFillBackground(true);
    LMsg = new QLabel(CnMsg);
    LMsg->setAlignment(Qt::AlignCenter);
    auto* busy = new QVBoxLayout(CnMsg);
    busy->addWidget(LMsg);
    CnMsg->resize(260, 60);
    CnMsg->hide();
    resize(760, 600);
}

QWidget* FrmROV2::buildPersonalTab()
{
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);
    cmb敬称 = new ComboBox(page);
    cmb敬称->setEditable(true);
    txtTEL1 = new TextBox(page);
    txtTEL2 = new TextBox(page);
    txtFAX = new TextBox(page);
    txtふりがな = new TextBox(page);
    cmb区分1 = new ComboBox(page);
    cmb区分1->setEditable(true);
    cmb区分2 = new ComboBox(page);
    cmb区分2->setEditable(true);
    dt生年月日 = new DateBox(page);
    num年齢 = new NumberBox(page);
    cmb性別 = new ComboBox(page);
    cmbクイック = new ComboBox(page);
    txtEmail = new TextBox(page);
    txt郵便番号 = new TextBox(page);
    cmd郵便 = button("郵便", page);
    txt住所1 = new TextBox(page);
    txt住所2 = new TextBox(page);
    txt顧客メモ = new TextBox(page);

    // Codes and numbers get boxes as wide as what they hold; texts take the width.
    const int digit = page->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (QWidget* w : std::initializer_list<QWidget*>{txtTEL1, txtTEL2, txtFAX})
        w->setFixedWidth(digit * 20);
    txt郵便番号->setFixedWidth(digit * 12);
    for (QWidget* w : std::initializer_list<QWidget*>{cmb敬称, cmb区分1, cmb区分2})
        w->setFixedWidth(digit * 26);
    dt生年月日->setMinimumWidth(digit * 20);
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;

    g->addWidget(caption("敬称", page), 0, 0);
    g->addWidget(cmb敬称, 0, 1, left);
    g->addWidget(caption("電話番号", page), 1, 0);
    g->addWidget(txtTEL1, 1, 1, left);
    g->addWidget(caption("電話２", page), 1, 2);
    g->addWidget(txtTEL2, 1, 3, left);
    g->addWidget(caption("FAX", page), 2, 2);
    g->addWidget(txtFAX, 2, 3, left);
    g->addWidget(caption("ふりがな", page), 3, 0);
    g->addWidget(txtふりがな, 3, 1, 1, 3);
    g->addWidget(caption("区分", page), 4, 0);
    g->addWidget(cmb区分1, 4, 1, left);
    g->addWidget(cmb区分2, 4, 3, left);
    g->addWidget(caption("生年月日", page), 5, 0);
    g->addWidget(dt生年月日, 5, 1, left);
    g->addWidget(caption("年齢", page), 5, 2);
    auto* ageSex = new QHBoxLayout;
    ageSex->addWidget(num年齢);
    ageSex->addSpacing(digit * 2);
    ageSex->addWidget(caption("性別", page));
    ageSex->addWidget(cmb性別);
    ageSex->addSpacing(digit * 2);
    ageSex->addWidget(caption("クイック", page));
    ageSex->addWidget(cmbクイック);
    ageSex->addStretch();
    g->addLayout(ageSex, 5, 3);
    g->addWidget(caption("E-Mail", page), 6, 0);
    g->addWidget(txtEmail, 6, 1, 1, 3);
    g->addWidget(caption("郵便番号", page), 7, 0);
    auto* postal = new QHBoxLayout;
    postal->addWidget(txt郵便番号);
    postal->addWidget(cmd郵便);
    postal->addStretch();
    g->addLayout(postal, 7, 1);
    g->addWidget(caption("住所１", page), 8, 0);
    g->addWidget(txt住所1, 8, 1, 1, 3);
    g->addWidget(caption("住所２", page), 9, 0);
    g->addWidget(txt住所2, 9, 1, 1, 3);
    g->addWidget(caption("メモ", page), 10, 0);
    g->addWidget(txt顧客メモ, 10, 1, 1, 3);
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
    txt印刷名 = new TextBox(page);
    row->addWidget(caption("印刷名", page));
    row->addWidget(txt印刷名, 1);
    v->addLayout(row);
    Grid家族 = new FamilyGrid(page);
    Grid家族->setObjectName(QStringLiteral("fra家族"));
    v->addWidget(Grid家族, 1);
    return page;
}

QWidget* FrmROV2::buildButtonBar()
{
    auto* bar = new QWidget(this);
    auto* v = new QVBoxLayout(bar);
    v->setContentsMargins(0, 0, 0, 0);
    Label20 = new QLabel(QStringLiteral("F5:登録　F9:クリア　F6:削除　F10:一覧　F11:保守　F12:コード表　Esc:閉じる"
                                        "　　F3:顧客　F4:顧客50"),
                         bar);
    v->addWidget(Label20);
    auto* h = new QHBoxLayout;
    cmd登録 = button("登録", bar);
    cmdクリア = button("クリア", bar);
    cmd削除 = button("削除", bar);
    Command3 = button("一覧", bar);
    Command11 = button("保守", bar);
    Command5 = button("コード表", bar);
    CmdHint = button("ヒント", bar);
    cmd閉じる = button("閉じる", bar);
    for (QPushButton* b : {cmd登録, cmdクリア, cmd削除, Command3, Command11, Command5, CmdHint, cmd閉じる})
        h->addWidget(b);
    h->addStretch();
    LblEntNum = new QLabel(QStringLiteral("登録数:"), bar);
    h->addWidget(LblEntNum);
    Image1 = new QLabel(bar);
    Image1->setText(QStringLiteral("<b>VAVⅡaruv</b>"));
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setFrameShape(QFrame::StyledPanel);
    Image1->installEventFilter(this);
    h->addWidget(Image1);
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
        {cmb顧客名, "cmb顧客名", "顧客名"},     {cmd顧客参照, "cmd顧客参照", "顧客"},
        {cmd顧客参照50, "cmd顧客参照50", "顧客50"}, {Tab顧客情報, "Tab顧客情報", "顧客情報"},
        {cmb敬称, "cmb敬称", "敬称"},           {txtTEL1, "txtTEL1", "電話番号"},
        {txtTEL2, "txtTEL2", "電話２"},         {txtFAX, "txtFAX", "FAX"},
        {txtふりがな, "txtふりがな", "ふりがな"}, {cmb区分1, "cmb区分1", "区分1"},
        {cmb区分2, "cmb区分2", "区分2"},        {dt生年月日, "dt生年月日", "生年月日"},
        {num年齢, "num年齢", "年齢"},           {cmb性別, "cmb性別", "性別"},
        {cmbクイック, "cmbクイック", "クイック"}, {txtEmail, "txtEmail", "E-Mail"},
        {txt郵便番号, "txt郵便番号", "郵便番号"}, {cmd郵便, "cmd郵便", "郵便"},
        {txt住所1, "txt住所1", "住所１"},       {txt住所2, "txt住所2", "住所２"},
        {txt顧客メモ, "txt顧客メモ", "メモ"},   {txt印刷名, "txt印刷名", "印刷名"},
        {Grid家族->Grid家族, "Grid家族", "家族情報"},     {cmd登録, "cmd登録", "登録"},
        {cmdクリア, "cmdクリア", "クリア"},     {cmd削除, "cmd削除", "削除"},
        {Command3, "Command3", "一覧"},         {Command11, "Command11", "保守"},
        {Command5, "Command5", "コード表"},     {CmdHint, "CmdHint", "ヒント"},
        {cmd閉じる, "cmd閉じる", "閉じる"},     {Label20, "Label20", "ファンクションキー"},
        {LblEntNum, "LblEntNum", "登録数"},     {Image1, "Image1", "ロゴ"},
        {CnMsg, "CnMsg", "処理中"},             {LMsg, "LMsg", "処理中の表示"},
    };
    for (const Named& n : all)
        nameControl(n.w, QString::fromUtf8(n.name), QString::fromUtf8(n.caption));
}

void FrmROV2::setInputOrder()
{
    // Enter, Down and Up follow this order; the look-up buttons beside the
    // inputs are reached by their keys and the mouse, not by Enter.
    for (QPushButton* b : {cmd顧客参照, cmd顧客参照50, cmd郵便})
        b->setFocusPolicy(Qt::ClickFocus);
    QWidget* const order[] = {cmb顧客名, cmb敬称, txtTEL1, txtTEL2, txtFAX, txtふりがな, cmb区分1, cmb区分2,
                              dt生年月日, num年齢, cmb性別, cmbクイック, txtEmail, txt郵便番号, txt住所1, txt住所2,
                              txt顧客メモ, txt印刷名, Grid家族->Grid家族, cmd登録, cmdクリア, cmd削除, Command3, Command11,
                              Command5, CmdHint, cmd閉じる};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    // Japanese text: names, readings, addresses, memos; the rest takes codes and numbers.
    for (QWidget* w : std::initializer_list<QWidget*>{cmb顧客名, cmb敬称, txtふりがな, cmb区分1, cmb区分2, txt住所1,
                                                      txt住所2, txt顧客メモ, txt印刷名})
        SetImeOpen(w, 1);
    for (QWidget* w : std::initializer_list<QWidget*>{txtTEL1, txtTEL2, txtFAX, txtEmail, txt郵便番号, num年齢,
                                                      dt生年月日, cmb性別, cmbクイック})
        SetImeOpen(w, 0);
}

void FrmROV2::showBusy(const QString& text)
{
    LMsg->setText(text);
    CnMsg->move((width() - CnMsg->width()) / 2, (height() - CnMsg->height()) / 2);
    CnMsg->raise();
    CnMsg->show();
    CnMsg->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void FrmROV2::hideBusy() { CnMsg->hide(); }

} // namespace rov2
