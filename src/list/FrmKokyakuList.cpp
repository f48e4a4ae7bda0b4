#include "FrmKokyakuList.h"

#include "Accessibility.h"
#include "ComboBox.h"
#include "CustomerListModel.h"
#include "InputMethod.h"
#include "ListGridView.h"
#include "PrintSelection.h"
#include "ProgramEnv.h"
#include "ScreenControls.h"
#include "TextBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <iterator>

namespace rov2 {
namespace {

ComboBox* combo(QWidget* parent, int chars)
{
    auto* c = new ComboBox(parent);
    c->setEditable(true);
    c->setFixedWidth(parent->fontMetrics().horizontalAdvance(QChar(0x3042)) * chars + 30);
    return c;
}

/// A label that shows a count: screen readers hear the value itself.
QLabel* countLabel(QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("0,000,000")));
    l->setFrameShape(QFrame::StyledPanel);
    return l;
}

} // namespace

FrmKokyakuList::FrmKokyakuList(QWidget* parent) : QWidget(parent)
{
    setObjectName(kKokyakuListName);
    setWindowTitle(QStringLiteral("顧客一覧　　　　VAVⅡaruv　Ver1.00"));
    buildControls();
    nameControls();
    setInputOrder();
    connectControls();
    // The screen sees the function keys before the focused control. The
    // filter goes in once the event that opened the screen is done: an
    // application filter installed while a key is being delivered (F10 on the
    // main screen loads this one) makes Qt run the filters before it again for
    // that key, so the main screen would act on F10 twice.
    QTimer::singleShot(0, this, [this] { qApp->installEventFilter(this); });
}

FrmKokyakuList::~FrmKokyakuList() { qApp->removeEventFilter(this); }

void FrmKokyakuList::buildControls()
{
    model_ = new CustomerListModel(this, env().locations.workFile);
    Grid明細 = new ListGridView(this);
    Grid明細->setListModel(model_);
    const int em = fontMetrics().horizontalAdvance(QChar(0x3042));
    const int widths[] = {em * 2, em * 12, em * 12, em * 10, em * 4, em * 20, em * 4};
    for (int c = 0; c < static_cast<int>(std::size(widths)); ++c)
        Grid明細->setColumnWidth(c, widths[c]);
    Grid明細->horizontalHeader()->setStretchLastSection(true);

    // The print panel beside the list.
    frm印刷選択 = new PrintSelection(this);
    frm印刷選択->setMinimumWidth(em * 14);
    frm印刷選択->hide();

    auto* middle = new QHBoxLayout;
    middle->addWidget(Grid明細, 1);
    middle->addWidget(frm印刷選択);

    auto* root = new QVBoxLayout(this);
    root->addWidget(buildSearchPanel());
    root->addLayout(middle, 1);
    root->addWidget(buildCounts());
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
    resize(900, 620);
}

QWidget* FrmKokyakuList::buildSearchPanel()
{
    Cn検索条件 = new QFrame(this);
    Cn検索条件->setFrameShape(QFrame::StyledPanel);
    auto* g = new QGridLayout(Cn検索条件);
    lbl検索条件 = new QLabel(QStringLiteral("<b>検索条件</b>"), Cn検索条件);
    txtふりがな = new TextBox(Cn検索条件);
    txtふりがな->setMinimumWidth(fontMetrics().horizontalAdvance(QChar(0x3042)) * 14);
    cmb区分1 = combo(Cn検索条件, 8);
    cmb区分2 = combo(Cn検索条件, 8);
    cmb誕生月 = combo(Cn検索条件, 3);
    cmb性別 = combo(Cn検索条件, 3);
    Chk家族 = new QCheckBox(QStringLiteral("家族を含む"), Cn検索条件);
    Command2 = button("検索", Cn検索条件);
    Command1 = button("閉じる", Cn検索条件);

    g->addWidget(lbl検索条件, 0, 0, 1, 2);
    g->addWidget(caption("ふりがな", Cn検索条件), 1, 0);
    g->addWidget(txtふりがな, 1, 1);
    g->addWidget(caption("区分", Cn検索条件), 1, 2);
    auto* categories = new QHBoxLayout;
    categories->addWidget(cmb区分1);
    categories->addWidget(cmb区分2);
    g->addLayout(categories, 1, 3);
    g->addWidget(Chk家族, 1, 4);
    g->addWidget(caption("誕生月", Cn検索条件), 2, 0);
    auto* monthSex = new QHBoxLayout;
    monthSex->addWidget(cmb誕生月);
    monthSex->addSpacing(12);
    monthSex->addWidget(caption("性別", Cn検索条件));
    monthSex->addWidget(cmb性別);
    monthSex->addStretch();
    g->addLayout(monthSex, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command2);
    buttons->addWidget(Command1);
    g->addLayout(buttons, 2, 3, 1, 2);
    g->setColumnStretch(5, 1);
    return Cn検索条件;
}

QWidget* FrmKokyakuList::buildCounts()
{
    auto* bar = new QWidget(this);
    auto* h = new QHBoxLayout(bar);
    h->setContentsMargins(0, 0, 0, 0);
    LblDispNum = countLabel(bar);
    LblAllNum = countLabel(bar);
    LblFamNum = countLabel(bar);
    h->addStretch();
    h->addWidget(caption("表示数", bar));
    h->addWidget(LblDispNum);
    h->addSpacing(16);
    h->addWidget(caption("顧客数", bar));
    h->addWidget(LblAllNum);
    h->addSpacing(16);
    h->addWidget(caption("家族数", bar));
    h->addWidget(LblFamNum);
    return bar;
}

QWidget* FrmKokyakuList::buildButtonBar()
{
    auto* bar = new QWidget(this);
    auto* v = new QVBoxLayout(bar);
    v->setContentsMargins(0, 0, 0, 0);
    Label20 = new QLabel(QStringLiteral("F1:戻る　F2:メイン　F6:行削除　F7:印刷　F9:クリア　F11:全選択　F12:全解除　"
                                        "Esc:閉じる　　Space:選択　Enter:顧客を開く"),
                         bar);
    v->addWidget(Label20);
    auto* h = new QHBoxLayout;
    Command3 = button("検索", bar);
    cmd_ENT = button("読込", bar);
    cmd印刷 = button("印刷", bar);
    cmdCSV出力 = button("CSV出力", bar);
    // Shift_JIS is what the spreadsheet opens by a double-click.
    cmbCSV文字コード = new ComboBox(bar);
    cmbCSV文字コード->replaceItems({QStringLiteral("Shift_JIS"), QStringLiteral("UTF-8")}, true);
    cmbCSV文字コード->setCurrentIndex(0);
    cmdクリア = button("クリア", bar);
    cmd全選択 = button("全選択", bar);
    cmd全解除 = button("全解除", bar);
    cmd削除 = button("行削除", bar);
    cmdメニュー = button("メイン", bar);
    cmd戻る = button("戻る", bar);
    cmd閉じる = button("閉じる", bar);
    CmdHint = button("ヒント", bar);
    for (QWidget* b : std::initializer_list<QWidget*>{Command3, cmd_ENT, cmd印刷, cmdCSV出力, cmbCSV文字コード, cmdクリア,
                                                      cmd全選択, cmd全解除, cmd削除, cmdメニュー, cmd戻る, cmd閉じる})
        h->addWidget(b);
    h->addStretch();
    h->addWidget(CmdHint);
    v->addLayout(h);
    return bar;
}

void FrmKokyakuList::nameControls()
{
    struct Named {
        QWidget* w;
        const char* name;
        const char* caption;
    };
    const Named all[] = {
        {Cn検索条件, "Cn検索条件", "検索条件"}, {lbl検索条件, "lbl検索条件", "検索条件"},
        {txtふりがな, "txtふりがな", "ふりがな"}, {cmb区分1, "cmb区分1", "区分1"},
        {cmb区分2, "cmb区分2", "区分2"},         {cmb誕生月, "cmb誕生月", "誕生月"},
        {cmb性別, "cmb性別", "性別"},             {Chk家族, "Chk家族", "家族を含む"},
        {Command2, "Command2", "検索"},           {Command1, "Command1", "閉じる"},
        {Grid明細, "Grid明細", "顧客一覧"},       {frm印刷選択, "frm印刷選択", "印刷選択"},
        {Label20, "Label20", "ファンクションキー"}, {Command3, "Command3", "検索"},
        {cmd_ENT, "cmd_ENT", "読込"},             {cmd印刷, "cmd印刷", "印刷"},
        {cmdCSV出力, "cmdCSV出力", "CSV出力"},    {cmbCSV文字コード, "cmbCSV文字コード", "CSVの文字コード"},
        {cmdクリア, "cmdクリア", "クリア"},       {cmd全選択, "cmd全選択", "全選択"},
        {cmd全解除, "cmd全解除", "全解除"},       {cmd削除, "cmd削除", "行削除"},
        {cmdメニュー, "cmdメニュー", "メイン"},   {cmd戻る, "cmd戻る", "戻る"},
        {cmd閉じる, "cmd閉じる", "閉じる"},       {CmdHint, "CmdHint", "ヒント"},
        {CnMsg, "CnMsg", "処理中"},
    };
    for (const Named& n : all)
        nameControl(n.w, QString::fromUtf8(n.name), QString::fromUtf8(n.caption));
    // Labels that show a value keep no fixed spoken name: the value is what is heard.
    const std::pair<QLabel*, const char*> values[] = {
        {LblDispNum, "LblDispNum"}, {LblAllNum, "LblAllNum"}, {LblFamNum, "LblFamNum"}, {LMsg, "LMsg"}};
    for (const auto& [label, name] : values) {
        label->setObjectName(QString::fromUtf8(name));
        label->setAccessibleDescription(QString::fromUtf8(name));
    }
}

void FrmKokyakuList::setInputOrder()
{
    QWidget* const order[] = {txtふりがな, cmb区分1, cmb区分2, cmb誕生月, cmb性別, Chk家族, Command2, Command1,
                              Grid明細, Command3, cmd_ENT, cmd印刷, cmdCSV出力, cmbCSV文字コード, cmdクリア,
                              cmd全選択, cmd全解除, cmd削除, cmdメニュー, cmd戻る, cmd閉じる, CmdHint};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    for (QWidget* w : std::initializer_list<QWidget*>{txtふりがな, cmb区分1, cmb区分2})
        SetImeOpen(w, 1);
    for (QWidget* w : std::initializer_list<QWidget*>{cmb誕生月, cmb性別})
        SetImeOpen(w, 0);
}

void FrmKokyakuList::showBusy(const QString& text)
{
    LMsg->setText(text);
    CnMsg->move((width() - CnMsg->width()) / 2, (height() - CnMsg->height()) / 2);
    CnMsg->raise();
    CnMsg->show();
    CnMsg->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void FrmKokyakuList::hideBusy() { CnMsg->hide(); }

} // namespace rov2
