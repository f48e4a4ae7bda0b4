#include "FrmKokyakuList.h"

#include "Accessibility.h"
#include "BusyPanel.h"
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
    Grid明細_ = new ListGridView(this);
    Grid明細_->setListModel(model_);
    const int em = fontMetrics().horizontalAdvance(QChar(0x3042));
    const int widths[] = {em * 2, em * 12, em * 12, em * 10, em * 4, em * 20, em * 4};
    for (int c = 0; c < static_cast<int>(std::size(widths)); ++c)
        Grid明細_->setColumnWidth(c, widths[c]);
    Grid明細_->horizontalHeader()->setStretchLastSection(true);

    // The print panel beside the list.
    frm印刷選択_ = new PrintSelection(this);
    frm印刷選択_->setMinimumWidth(em * 14);
    frm印刷選択_->hide();

    auto* middle = new QHBoxLayout;
    middle->addWidget(Grid明細_, 1);
    middle->addWidget(frm印刷選択_);

    auto* root = new QVBoxLayout(this);
    root->addWidget(buildSearchPanel());
    root->addLayout(middle, 1);
    root->addWidget(buildCounts());
    root->addWidget(buildButtonBar());

    CnMsg_ = makeBusyPanel(this, LMsg_);
    resize(900, 620);
}

QWidget* FrmKokyakuList::buildSearchPanel()
{
    Cn検索条件_ = new QFrame(this);
    Cn検索条件_->setFrameShape(QFrame::StyledPanel);
    auto* g = new QGridLayout(Cn検索条件_);
    lbl検索条件_ = new QLabel(QStringLiteral("<b>検索条件</b>"), Cn検索条件_);
    txtふりがな_ = new TextBox(Cn検索条件_);
    txtふりがな_->setMinimumWidth(fontMetrics().horizontalAdvance(QChar(0x3042)) * 14);
    cmb区分1_ = combo(Cn検索条件_, 8);
    cmb区分2_ = combo(Cn検索条件_, 8);
    cmb誕生月_ = combo(Cn検索条件_, 3);
    cmb性別_ = combo(Cn検索条件_, 3);
    Chk家族_ = new QCheckBox(QStringLiteral("家族を含む"), Cn検索条件_);
    Command2_ = button("検索", Cn検索条件_);
    Command1_ = button("閉じる", Cn検索条件_);

    g->addWidget(lbl検索条件_, 0, 0, 1, 2);
    g->addWidget(caption("ふりがな", Cn検索条件_), 1, 0);
    g->addWidget(txtふりがな_, 1, 1);
    g->addWidget(caption("区分", Cn検索条件_), 1, 2);
    auto* categories = new QHBoxLayout;
    categories->addWidget(cmb区分1_);
    categories->addWidget(cmb区分2_);
    g->addLayout(categories, 1, 3);
    g->addWidget(Chk家族_, 1, 4);
    g->addWidget(caption("誕生月", Cn検索条件_), 2, 0);
    auto* monthSex = new QHBoxLayout;
    monthSex->addWidget(cmb誕生月_);
    monthSex->addSpacing(12);
    monthSex->addWidget(caption("性別", Cn検索条件_));
    monthSex->addWidget(cmb性別_);
    monthSex->addStretch();
    g->addLayout(monthSex, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command2_);
    buttons->addWidget(Command1_);
    g->addLayout(buttons, 2, 3, 1, 2);
    g->setColumnStretch(5, 1);
    return Cn検索条件_;
}

QWidget* FrmKokyakuList::buildCounts()
{
    auto* bar = new QWidget(this);
    auto* h = new QHBoxLayout(bar);
    h->setContentsMargins(0, 0, 0, 0);
    LblDispNum_ = countLabel(bar);
    LblAllNum_ = countLabel(bar);
    LblFamNum_ = countLabel(bar);
    h->addStretch();
    h->addWidget(caption("表示数", bar));
    h->addWidget(LblDispNum_);
    h->addSpacing(16);
    h->addWidget(caption("顧客数", bar));
    h->addWidget(LblAllNum_);
    h->addSpacing(16);
    h->addWidget(caption("家族数", bar));
    h->addWidget(LblFamNum_);
    return bar;
}

QWidget* FrmKokyakuList::buildButtonBar()
{
    auto* bar = new QWidget(this);
    auto* v = new QVBoxLayout(bar);
    v->setContentsMargins(0, 0, 0, 0);
    Label20_ = new QLabel(QStringLiteral("F1:戻る　F2:メイン　F6:行削除　F7:印刷　F9:クリア　F11:全選択　F12:全解除　"
                                        "Esc:閉じる　　Space:選択　Enter:顧客を開く"),
                         bar);
    v->addWidget(Label20_);
    auto* h = new QHBoxLayout;
    Command3_ = button("検索", bar);
    cmd_ENT_ = button("読込", bar);
    cmd印刷_ = button("印刷", bar);
    cmdCSV出力_ = button("CSV出力", bar);
    // Shift_JIS is what the spreadsheet opens by a double-click.
    cmbCSV文字コード_ = new ComboBox(bar);
    cmbCSV文字コード_->replaceItems({QStringLiteral("Shift_JIS"), QStringLiteral("UTF-8")}, true);
    cmbCSV文字コード_->setCurrentIndex(0);
    cmdクリア_ = button("クリア", bar);
    cmd全選択_ = button("全選択", bar);
    cmd全解除_ = button("全解除", bar);
    cmd削除_ = button("行削除", bar);
    cmdメニュー_ = button("メイン", bar);
    cmd戻る_ = button("戻る", bar);
    cmd閉じる_ = button("閉じる", bar);
    CmdHint_ = button("ヒント", bar);
    for (QWidget* b : std::initializer_list<QWidget*>{Command3_, cmd_ENT_, cmd印刷_, cmdCSV出力_, cmbCSV文字コード_, cmdクリア_,
                                                      cmd全選択_, cmd全解除_, cmd削除_, cmdメニュー_, cmd戻る_, cmd閉じる_})
        h->addWidget(b);
    h->addStretch();
    h->addWidget(CmdHint_);
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
        {Cn検索条件_, "Cn検索条件", "検索条件"}, {lbl検索条件_, "lbl検索条件", "検索条件"},
        {txtふりがな_, "txtふりがな", "ふりがな"}, {cmb区分1_, "cmb区分1", "区分1"},
        {cmb区分2_, "cmb区分2", "区分2"},         {cmb誕生月_, "cmb誕生月", "誕生月"},
        {cmb性別_, "cmb性別", "性別"},             {Chk家族_, "Chk家族", "家族を含む"},
        {Command2_, "Command2", "検索"},           {Command1_, "Command1", "閉じる"},
        {Grid明細_, "Grid明細", "顧客一覧"},       {frm印刷選択_, "frm印刷選択", "印刷選択"},
        {Label20_, "Label20", "ファンクションキー"}, {Command3_, "Command3", "検索"},
        {cmd_ENT_, "cmd_ENT", "読込"},             {cmd印刷_, "cmd印刷", "印刷"},
        {cmdCSV出力_, "cmdCSV出力", "CSV出力"},    {cmbCSV文字コード_, "cmbCSV文字コード", "CSVの文字コード"},
        {cmdクリア_, "cmdクリア", "クリア"},       {cmd全選択_, "cmd全選択", "全選択"},
        {cmd全解除_, "cmd全解除", "全解除"},       {cmd削除_, "cmd削除", "行削除"},
        {cmdメニュー_, "cmdメニュー", "メイン"},   {cmd戻る_, "cmd戻る", "戻る"},
        {cmd閉じる_, "cmd閉じる", "閉じる"},       {CmdHint_, "CmdHint", "ヒント"},
        {CnMsg_, "CnMsg", "処理中"},
    };
    for (const Named& n : all)
        nameControl(n.w, QString::fromUtf8(n.name), QString::fromUtf8(n.caption));
    // Labels that show a value keep no fixed spoken name: the value is what is heard.
    const std::pair<QLabel*, const char*> values[] = {
        {LblDispNum_, "LblDispNum"}, {LblAllNum_, "LblAllNum"}, {LblFamNum_, "LblFamNum"}, {LMsg_, "LMsg"}};
    for (const auto& [label, name] : values) {
        label->setObjectName(QString::fromUtf8(name));
        label->setAccessibleDescription(QString::fromUtf8(name));
    }
}

void FrmKokyakuList::setInputOrder()
{
    QWidget* const order[] = {txtふりがな_, cmb区分1_, cmb区分2_, cmb誕生月_, cmb性別_, Chk家族_, Command2_, Command1_,
                              Grid明細_, Command3_, cmd_ENT_, cmd印刷_, cmdCSV出力_, cmbCSV文字コード_, cmdクリア_,
                              cmd全選択_, cmd全解除_, cmd削除_, cmdメニュー_, cmd戻る_, cmd閉じる_, CmdHint_};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    for (QWidget* w : std::initializer_list<QWidget*>{txtふりがな_, cmb区分1_, cmb区分2_})
        SetImeOpen(w, 1);
    for (QWidget* w : std::initializer_list<QWidget*>{cmb誕生月_, cmb性別_})
        SetImeOpen(w, 0);
}

void FrmKokyakuList::showBusy(const QString& text)
{
    showBusyPanel(CnMsg_, LMsg_, text);
}

void FrmKokyakuList::hideBusy() { CnMsg_->hide(); }

} // namespace rov2
