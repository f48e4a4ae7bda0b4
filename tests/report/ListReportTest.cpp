// The three list reports over the print tables of a fresh work file.
#include "CustomerFamilyListReport.h"
#include "CustomerListReport.h"
#include "FamilyListReport.h"
#include "GoldenImage.h"
#include "PageSource.h"
#include "QtPrinters.h"
#include "ReportFixture.h"
#include "ReportPainter.h"
#include "ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace rov2::test {
namespace {

using report::BandKind;
using report::LaidOutReport;
using report::PageItem;

/// A control as designed: band-relative twips.
struct Placed {
    const char* name;
    int left, top, width, height;
};

constexpr int kLeft = 600;
constexpr int kTop = 600;

class ListReportTest : public ReportFixture {
protected:
    template <class R>
    std::shared_ptr<const LaidOutReport> run()
    {
        R r(data_.workFile(), settings_);
        EXPECT_TRUE(r.Restart());
        return r.pages();
    }

    /// Checks every control against its design position on a band at @p bandTop.
    void expectPlaced(const report::Page& page, BandKind band, int bandTop, const std::vector<Placed>& controls)
    {
        for (const Placed& p : controls) {
            const PageItem& item = itemNamed(page, QString::fromUtf8(p.name), band);
            EXPECT_EQ(item.rect, QRect(kLeft + p.left, bandTop + p.top, p.width, p.height)) << p.name;
        }
    }
};

const std::vector<Placed> kHeader = {
    {"Label1", 213, 0, 1417, 354},     {"Label11", 6024, 71, 779, 283}, {"txt印刷日", 6803, 71, 2055, 283},
    {"Label12", 9071, 71, 709, 283},   {"Field6", 9709, 71, 354, 283},  {"Label13", 10063, 71, 283, 283},
    {"Field5", 10346, 71, 355, 283},
};

TEST_F(ListReportTest, CustomerBlockOfTheCustomerListAtItsPlaces)
{
    addNumberedCustomers(1);
    const auto r = run<report::rpt顧客一覧>();
    const report::Page& page = r->pages.at(0);
    expectPlaced(page, BandKind::PageHeader, kTop, kHeader);
    const int top = kTop + 465;
    expectPlaced(page, BandKind::Detail, top,
                 {{"lbl顧客名", 71, 142, 850, 283},   {"txt名称", 1063, 142, 2339, 283},
                  {"lblふりがな", 3402, 142, 992, 283}, {"txtふりがな", 4465, 142, 2055, 283},
                  {"lbl敬称", 6591, 142, 637, 283},    {"txt敬称", 7228, 142, 709, 283},
                  {"lbl郵便番号", 7937, 142, 1063, 283}, {"txt郵便番号", 9000, 142, 1417, 283},
                  {"lbl住所１", 71, 496, 850, 283},     {"txt住所1", 1063, 496, 4819, 283},
                  {"lbl住所２", 5953, 496, 708, 283},   {"txt住所2", 6732, 496, 4181, 283},
                  {"lbl電話番号１", 71, 850, 1275, 283}, {"txtTEL1", 1488, 850, 1701, 283},
                  {"lbl電話番号２", 3331, 850, 1275, 283}, {"txtTEL2", 4677, 850, 1772, 283},
                  {"lblＦＡＸ", 6591, 850, 566, 283},    {"txtFAX", 7299, 850, 1984, 283},
                  {"lbl生年月日", 71, 1205, 1063, 283}, {"txt生年月日", 1205, 1205, 2197, 283},
                  {"lbl年齢", 3402, 1205, 637, 283},    {"Field10", 4039, 1205, 426, 283},
                  {"lbl性別", 4535, 1205, 638, 283},    {"Field11", 5173, 1205, 496, 283},
                  {"lblEmail", 5740, 1205, 780, 283},   {"txtEmail", 6591, 1205, 4252, 283},
                  {"lbl区分１", 71, 1559, 850, 283},     {"txt区分1", 1276, 1559, 3189, 283},
                  {"lbl区分２", 4677, 1559, 851, 283},   {"txt区分2", 5598, 1559, 2906, 283},
                  {"lblクイック読込", 8646, 1559, 1346, 283}, {"txtクイック", 10063, 1559, 780, 213},
                  {"lbl印刷名", 0, 1913, 850, 283},     {"txt印刷名", 992, 1913, 2339, 283},
                  {"lblメモ", 3472, 1913, 497, 283},    {"txt顧客メモ", 4181, 1913, 6732, 283}});
    EXPECT_EQ(itemNamed(page, QStringLiteral("Line1"), BandKind::PageHeader).line,
              QLine(kLeft, kTop + 420, kLeft + 11025, kTop + 420));
    EXPECT_EQ(itemNamed(page, QStringLiteral("Line1"), BandKind::Detail).line,
              QLine(kLeft, top + 2268, kLeft + 11055, top + 2268));
    const PageItem& name = itemNamed(page, QStringLiteral("txt名称"), BandKind::Detail);
    EXPECT_EQ(name.text, QStringLiteral("顧客01"));
    EXPECT_EQ(name.font, QStringLiteral("ＭＳ Ｐ明朝"));
    EXPECT_EQ(itemNamed(page, QStringLiteral("lbl顧客名"), BandKind::Detail).font, QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(itemNamed(page, QStringLiteral("Label1"), BandKind::PageHeader).pointSize, 16);
    EXPECT_EQ(itemNamed(page, QStringLiteral("Field10"), BandKind::Detail).text, QStringLiteral("54"));
}

TEST_F(ListReportTest, FamilyBlockOfTheFamilyListAtItsPlaces)
{
    addFamily(QStringLiteral("山田　太郎"), QStringLiteral("山田　花子"), QStringLiteral("やまだ　はなこ"));
    const auto r = run<report::rpt家族情報一覧>();
    const report::Page& page = r->pages.at(0);
    expectPlaced(page, BandKind::PageHeader, kTop, kHeader);
    const int top = kTop + 450;
    expectPlaced(page, BandKind::Detail, top,
                 {{"lbl顧客名", 213, 30, 1133, 300},    {"txt名称", 1559, 30, 6236, 300},
                  {"lbl家族氏名", 425, 425, 1134, 300},  {"txt氏名", 1559, 425, 1843, 300},
                  {"lblふりがな", 3614, 425, 992, 300},  {"Field7", 4677, 425, 2126, 300},
                  {"lbl続柄", 7016, 425, 638, 300},      {"txt続柄", 7654, 425, 637, 300},
                  {"lbl性別", 8504, 425, 638, 300},      {"txt性別", 9283, 425, 497, 300},
                  {"lbl生年月日", 425, 800, 1063, 300},  {"txt家族生年月日", 1559, 800, 2055, 300},
                  {"lbl年齢", 3614, 800, 638, 300},      {"txt年齢", 4323, 800, 496, 300},
                  {"lbl携帯電話", 4890, 800, 1063, 300}, {"txt携帯電話", 6094, 800, 2197, 300},
                  {"lblEmail", 425, 1134, 780, 300},     {"txt家族情報Email", 1559, 1134, 3260, 300},
                  {"lbl勤務先", 4890, 1134, 1063, 300},  {"txt勤務先", 6094, 1134, 4678, 300},
                  {"lblメモ", 425, 1488, 496, 300},      {"txtメモ", 1276, 1488, 9425, 300}});
    EXPECT_EQ(itemNamed(page, QStringLiteral("Line1"), BandKind::PageHeader).line,
              QLine(kLeft, kTop + 425, kLeft + 10913, kTop + 425));
    EXPECT_EQ(itemNamed(page, QStringLiteral("Line1"), BandKind::Detail).line,
              QLine(kLeft, top + 1843, kLeft + 10913, top + 1843));
    EXPECT_EQ(itemNamed(page, QStringLiteral("txt名称"), BandKind::Detail).text, QStringLiteral("山田　太郎"));
    EXPECT_EQ(itemNamed(page, QStringLiteral("txt氏名"), BandKind::Detail).font, QStringLiteral("ＭＳ Ｐゴシック"));
}

TEST_F(ListReportTest, BothBlocksOfTheCustomerWithFamilyList)
{
    addCustomer(QStringLiteral("山田　太郎"), QStringLiteral("やまだ　たろう"));
    addFamily(QStringLiteral("山田　太郎"), QStringLiteral("山田　花子"), QStringLiteral("やまだ　はなこ"));
    const auto r = run<report::rpt顧客家族一覧>();
    const report::Page& page = r->pages.at(0);
    expectPlaced(page, BandKind::PageHeader, kTop, kHeader);
    EXPECT_TRUE(itemsNamed(page, QStringLiteral("Line1"), BandKind::PageHeader).empty());
    const int group = kTop + 435;
    expectPlaced(page, BandKind::GroupHeader, group,
                 {{"lbl顧客名", 71, 40, 850, 283},     {"txt名称", 1063, 40, 2339, 283},
                  {"lbl住所１", 71, 380, 850, 283},     {"txt住所1", 1063, 380, 4819, 283},
                  {"lbl電話番号１", 71, 709, 1275, 283}, {"txtFAX", 7299, 709, 1984, 283},
                  {"lbl生年月日", 71, 1063, 1063, 283}, {"txt生年月日", 1230, 1065, 2175, 283},
                  {"lbl年齢", 3380, 1063, 637, 283},    {"lbl区分２", 4580, 1417, 851, 283},
                  {"txtクイック", 10063, 1417, 780, 300}, {"lbl印刷名", 71, 1772, 850, 283},
                  {"txt顧客メモ", 4181, 1772, 6732, 283}});
    EXPECT_EQ(itemNamed(page, QStringLiteral("Line1"), BandKind::GroupHeader).line,
              QLine(kLeft, group + 5, kLeft + 10913, group + 5));
    EXPECT_EQ(itemNamed(page, QStringLiteral("Line2"), BandKind::GroupHeader).line,
              QLine(kLeft, group + 2126, kLeft + 10913, group + 2126));
    const int detail = group + 2175;
    expectPlaced(page, BandKind::Detail, detail,
                 {{"lbl家族氏名", 213, 71, 1133, 285},  {"txt氏名", 1346, 71, 2056, 285},
                  {"lbl性別", 8504, 60, 638, 285},      {"txt性別", 9283, 71, 497, 285},
                  {"lbl携帯電話", 5102, 425, 1063, 285}, {"txt携帯電話", 6307, 425, 2197, 285},
                  {"lblEmail", 213, 709, 779, 285},     {"txt家族情報Email", 1346, 709, 3685, 285},
                  {"txt勤務先", 6307, 709, 4677, 285},  {"txtメモ", 1276, 1063, 9425, 285}});
    EXPECT_TRUE(itemsNamed(page, QStringLiteral("txt名称"), BandKind::Detail).empty());
    EXPECT_EQ(itemNamed(page, QStringLiteral("Line1"), BandKind::Detail).line,
              QLine(kLeft, detail + 1417, kLeft + 10913, detail + 1417));
    EXPECT_EQ(itemNamed(page, QStringLiteral("txt名称"), BandKind::GroupHeader).text, QStringLiteral("山田　太郎"));
    EXPECT_EQ(itemNamed(page, QStringLiteral("txt氏名"), BandKind::Detail).text, QStringLiteral("山田　花子"));
    EXPECT_EQ(itemNamed(page, QStringLiteral("Field7"), BandKind::Detail).text, QStringLiteral("やまだ　はなこ"));
    EXPECT_EQ(itemNamed(page, QStringLiteral("txtメモ"), BandKind::Detail).font, QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(itemNamed(page, QStringLiteral("txt氏名"), BandKind::Detail).font, QStringLiteral("ＭＳ Ｐ明朝"));
}

TEST_F(ListReportTest, PageNumberAndCountOnEveryPage)
{
    addNumberedCustomers(14); // six customer blocks to a page
    const auto r = run<report::rpt顧客一覧>();
    ASSERT_EQ(r->pages.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const report::Page& p = r->pages[size_t(i)];
        EXPECT_EQ(itemNamed(p, QStringLiteral("Label12"), BandKind::PageHeader).text, QStringLiteral("Page"));
        EXPECT_EQ(itemNamed(p, QStringLiteral("Field6"), BandKind::PageHeader).text, QString::number(i + 1));
        EXPECT_EQ(itemNamed(p, QStringLiteral("Label13"), BandKind::PageHeader).text, QStringLiteral("/"));
        EXPECT_EQ(itemNamed(p, QStringLiteral("Field5"), BandKind::PageHeader).text, QStringLiteral("3"));
    }
    EXPECT_EQ(itemsNamed(r->pages[1], QStringLiteral("txt名称"), BandKind::Detail).front()->text,
              QStringLiteral("顧客07"));
    EXPECT_EQ(itemsNamed(r->pages[2], QStringLiteral("txt名称"), BandKind::Detail).size(), 2u);
}

// A report is laid out as its pages are asked for: the first page is there
// before the rest, and its count only once every page is laid out; printing
// and saving lay out the rest first, so that every page tells the count.
TEST_F(ListReportTest, PagesLaidOutAsAskedForTellTheirCountOnceAllAre)
{
    addNumberedCustomers(14);
    report::rpt顧客一覧 r(data_.workFile(), settings_);
    ASSERT_TRUE(r.Restart());
    const std::shared_ptr<report::PageSource> pages = r.pageSource();
    ASSERT_FALSE(pages->complete());
    EXPECT_EQ(itemNamed(pages->page(0), QStringLiteral("Field5"), BandKind::PageHeader).text, QString());
    ASSERT_EQ(pages->pageCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const report::Page p = pages->page(i);
        EXPECT_EQ(itemNamed(p, QStringLiteral("Field6"), BandKind::PageHeader).text, QString::number(i + 1));
        EXPECT_EQ(itemNamed(p, QStringLiteral("Field5"), BandKind::PageHeader).text, QStringLiteral("3"));
    }

    ASSERT_TRUE(r.Restart());
    const QString pdf = data_.path(QStringLiteral("顧客一覧.pdf"));
    ASSERT_EQ(report::savePdf(*r.pageSource(), pdf), report::PdfResult::Saved);
    const QString text = pdfText(pdf);
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("Page\\s+\\d\\s+/\\s+3"))), 3) << text.toStdString();
}

struct DateCase {
    const char* setting; ///< 年号; nullptr for Null
    const char* stored;
    const char* birth;
    const char* printDate;
};

class ListReportDateTest : public ListReportTest, public ::testing::WithParamInterface<DateCase> {};

TEST_P(ListReportDateTest, BirthAndPrintDatesFollowTheSetting)
{
    const DateCase c = GetParam();
    settings_.年号 = c.setting ? QVariant(QString::fromUtf8(c.setting)) : QVariant();
    const QString stored = QString::fromUtf8(c.stored);
    addCustomer(QStringLiteral("山田　太郎"), QStringLiteral("やまだ　たろう"), stored);
    addFamily(QStringLiteral("山田　太郎"), QStringLiteral("山田　花子"), QStringLiteral("やまだ　はなこ"), stored);
    const QString birth = QString::fromUtf8(c.birth);
    const QString printDate = QString::fromUtf8(c.printDate);

    const auto customers = run<report::rpt顧客一覧>();
    EXPECT_EQ(itemNamed(customers->pages[0], QStringLiteral("txt生年月日"), BandKind::Detail).text, birth);
    EXPECT_EQ(itemNamed(customers->pages[0], QStringLiteral("txt印刷日"), BandKind::PageHeader).text, printDate);
    const auto families = run<report::rpt家族情報一覧>();
    EXPECT_EQ(itemNamed(families->pages[0], QStringLiteral("txt家族生年月日"), BandKind::Detail).text, birth);
    EXPECT_EQ(itemNamed(families->pages[0], QStringLiteral("txt印刷日"), BandKind::PageHeader).text, printDate);
    const auto both = run<report::rpt顧客家族一覧>();
    EXPECT_EQ(itemNamed(both->pages[0], QStringLiteral("txt生年月日"), BandKind::GroupHeader).text, birth);
    EXPECT_EQ(itemNamed(both->pages[0], QStringLiteral("txt家族生年月日"), BandKind::Detail).text, birth);
    EXPECT_EQ(itemNamed(both->pages[0], QStringLiteral("txt印刷日"), BandKind::PageHeader).text, printDate);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ListReportDateTest,
    ::testing::Values(DateCase{"西暦", "2001/08/08", "2001年08月08日", "2024年04月01日"},
                      DateCase{"和暦", "2001/08/08", "平成13年08月08日", "令和06年04月01日"},
                      // Neither: birth dates Western, the print date in the era form.
                      DateCase{"", "2001/08/08", "2001年08月08日", "令和06年04月01日"},
                      DateCase{nullptr, "1989/01/07", "1989年01月07日", "令和06年04月01日"},
                      DateCase{"和暦", "1989/01/08", "平成01年01月08日", "令和06年04月01日"},
                      DateCase{"和暦", "", "", "令和06年04月01日"},
                      DateCase{"西暦", "", "", "2024年04月01日"}),
    [](const ::testing::TestParamInfo<DateCase>& p) { return "case" + std::to_string(p.index); });

struct AgeCase {
    const char* label;
    const char* report;
    const char* ageBox;
    BandKind band;
};

class ListReportAgeTest : public ListReportTest, public ::testing::WithParamInterface<AgeCase> {
protected:
    std::shared_ptr<const LaidOutReport> runNamed(const QString& name)
    {
        if (name == QStringLiteral("rpt顧客一覧"))
            return run<report::rpt顧客一覧>();
        if (name == QStringLiteral("rpt家族情報一覧"))
            return run<report::rpt家族情報一覧>();
        return run<report::rpt顧客家族一覧>();
    }
};

TEST_P(ListReportAgeTest, CountsFromTheBirthDateOnThePrintingDayElseKeepsTheStoredAge)
{
    // Both stored at 40; the first with a birth date that makes them 63 on 2024-04-01.
    const std::pair<const char*, QVariant> stored[] = {{"1", QStringLiteral("1960/12/31")}, {"2", QVariant()}};
    for (const auto& [n, birth] : stored) {
        insert(QStringLiteral("w顧客マスタ印刷"), {{QStringLiteral("名称"), QStringLiteral("顧客") + n},
                                                   {QStringLiteral("ふりがな"), QStringLiteral("こきゃく") + n},
                                                   {QStringLiteral("生年月日"), birth},
                                                   {QStringLiteral("年齢"), 40}});
        insert(QStringLiteral("w家族情報印刷"), {{QStringLiteral("名称"), QStringLiteral("顧客") + n},
                                                 {QStringLiteral("氏名"), QStringLiteral("家族") + n},
                                                 {QStringLiteral("ふりがな"), QStringLiteral("かぞく") + n},
                                                 {QStringLiteral("生年月日"), birth},
                                                 {QStringLiteral("年齢"), 40}});
    }
    const AgeCase& c = GetParam();
    const auto r = runNamed(QString::fromUtf8(c.report));
    QStringList ages;
    for (const PageItem* item : itemsNamed(r->pages.at(0), QString::fromUtf8(c.ageBox), c.band))
        ages << item->text;
    EXPECT_EQ(ages, (QStringList{QStringLiteral("63"), QStringLiteral("40")}));
}

INSTANTIATE_TEST_SUITE_P(
    Reports, ListReportAgeTest,
    ::testing::Values(AgeCase{"Customers", "rpt顧客一覧", "Field10", BandKind::Detail},
                      AgeCase{"Families", "rpt家族情報一覧", "txt年齢", BandKind::Detail},
                      AgeCase{"CustomersWithFamiliesCustomer", "rpt顧客家族一覧", "Field10", BandKind::GroupHeader},
                      AgeCase{"CustomersWithFamiliesMember", "rpt顧客家族一覧", "txt年齢", BandKind::Detail}),
    [](const ::testing::TestParamInfo<AgeCase>& p) { return std::string(p.param.label); });

TEST_F(ListReportTest, CustomerWithFamilyPrintsFamilyBlocksOnlyForCopiedMembers)
{
    addCustomer(QStringLiteral("山田　太郎"), QStringLiteral("やまだ　たろう"));
    addCustomer(QStringLiteral("佐藤　一郎"), QStringLiteral("さとう　いちろう"));
    addCustomer(QStringLiteral("鈴木　恵子"), QStringLiteral("すずき　けいこ"));
    addFamily(QStringLiteral("山田　太郎"), QStringLiteral("山田　花子"), QStringLiteral("やまだ　はなこ"));
    addFamily(QStringLiteral("山田　太郎"), QStringLiteral("山田　一郎"), QStringLiteral("やまだ　いちろう"));
    const auto r = run<report::rpt顧客家族一覧>();
    ASSERT_EQ(r->pages.size(), 1u);
    std::vector<std::pair<QString, int>> blocks; // what starts where, in page order
    for (const PageItem& item : r->pages[0].items) {
        if (item.name == QStringLiteral("txt名称") && item.band == BandKind::GroupHeader)
            blocks.emplace_back(item.text, item.rect.top() - 40);
        if (item.name == QStringLiteral("txt氏名") && item.band == BandKind::Detail)
            blocks.emplace_back(item.text, item.rect.top() - 71);
    }
    // Customers in name order, each member in name order under its customer.
    const int top = kTop + 435;
    const std::vector<std::pair<QString, int>> expected = {
        {QStringLiteral("佐藤　一郎"), top},
        {QStringLiteral("山田　太郎"), top + 2175},
        {QStringLiteral("山田　一郎"), top + 2 * 2175},
        {QStringLiteral("山田　花子"), top + 2 * 2175 + 1455},
        {QStringLiteral("鈴木　恵子"), top + 2 * 2175 + 2 * 1455},
    };
    EXPECT_EQ(blocks, expected);
    // No empty family block anywhere: every family caption belongs to a member.
    EXPECT_EQ(itemsNamed(r->pages[0], QStringLiteral("lbl家族氏名"), BandKind::Detail).size(), 2u);
}

TEST_F(ListReportTest, EmptyPrintTableGivesTheHeaderAlone)
{
    const auto customers = run<report::rpt顧客一覧>();
    const auto families = run<report::rpt家族情報一覧>();
    const auto both = run<report::rpt顧客家族一覧>();
    for (const auto& r : {customers, families, both}) {
        ASSERT_EQ(r->pages.size(), 1u);
        for (const PageItem& item : r->pages[0].items) {
            EXPECT_EQ(item.band, BandKind::PageHeader) << item.name.toStdString();
        }
        EXPECT_EQ(itemNamed(r->pages[0], QStringLiteral("Field5"), BandKind::PageHeader).text, QStringLiteral("1"));
    }
}

TEST_F(ListReportTest, MissingWorkFileGivesTheHeaderAloneAndSaysSo)
{
    report::rpt顧客一覧 r(data_.path(QStringLiteral("nowhere.mdb")), settings_);
    EXPECT_FALSE(r.Restart());
    ASSERT_EQ(r.pages()->pages.size(), 1u);
}

TEST_F(ListReportTest, PdfHoldsTheNamesInTheReportsOrder)
{
    addCustomer(QStringLiteral("渡辺　直樹"), QStringLiteral("わたなべ　なおき"));
    addCustomer(QStringLiteral("阿部　愛"), QStringLiteral("あべ　あい"));
    addCustomer(QStringLiteral("小林　誠"), QStringLiteral("こばやし　まこと"));
    report::rpt顧客一覧 r(data_.workFile(), settings_);
    ASSERT_TRUE(r.Restart());
    const QString pdf = data_.path(QStringLiteral("顧客一覧.pdf"));
    ASSERT_EQ(report::savePdf(*r.pages(), pdf), report::PdfResult::Saved);
    const QString text = pdfText(pdf);
    const qsizetype abe = text.indexOf(QStringLiteral("阿部"));
    const qsizetype kobayashi = text.indexOf(QStringLiteral("小林"));
    const qsizetype watanabe = text.indexOf(QStringLiteral("渡辺"));
    EXPECT_GE(abe, 0) << text.toStdString();
    EXPECT_LT(abe, kobayashi);
    EXPECT_LT(kobayashi, watanabe);
    EXPECT_TRUE(text.contains(QStringLiteral("印刷日")));
    EXPECT_TRUE(text.contains(QStringLiteral("令和06年04月01日")));
}

TEST_F(ListReportTest, SavingReplacesAnOldFileWholeAndLeavesNoTemporaryFile)
{
    addNumberedCustomers(8);
    const QString pdf = data_.path(QStringLiteral("list.pdf"));
    {
        QFile old(pdf);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        ASSERT_GT(old.write("old contents"), 0);
    }
    report::rpt顧客一覧 r(data_.workFile(), settings_);
    ASSERT_TRUE(r.Restart());
    ASSERT_EQ(report::savePdf(*r.pages(), pdf), report::PdfResult::Saved);
    EXPECT_TRUE(pdfText(pdf).contains(QStringLiteral("顧客08")));
    EXPECT_EQ(QDir(data_.folder()).entryList({QStringLiteral("list*")}, QDir::Files), QStringList{"list.pdf"});
    // A folder that does not exist: nothing written, the reason returned.
    EXPECT_EQ(report::savePdf(*r.pages(), data_.path(QStringLiteral("none/list.pdf"))),
              report::PdfResult::CannotWrite);
    EXPECT_FALSE(QFile::exists(data_.path(QStringLiteral("none/list.pdf"))));
}

TEST_F(ListReportTest, CancelledPrintDialogPrintsNothing)
{
    addNumberedCustomers(3);
    const QString out = data_.path(QStringLiteral("printed.pdf"));
    ScriptedDialogs d;
    d.cancelPrint();
    report::rpt顧客一覧 r(data_.workFile(), settings_);
    ASSERT_TRUE(r.Restart());
    EXPECT_EQ(r.PrintReport(true, data_.ownFiles()), report::PrintResult::Cancelled);
    EXPECT_EQ(d.printRequests(), 1);
    EXPECT_FALSE(QFile::exists(out));

    d.confirmPrint(out);
    EXPECT_EQ(r.PrintReport(true, data_.ownFiles()), report::PrintResult::Printed);
    EXPECT_EQ(d.printRequests(), 2);
    EXPECT_TRUE(pdfText(out).contains(QStringLiteral("顧客03")));
    EXPECT_TRUE(d.allUsed());
}

struct MemoCase {
    const char* label;
    const char* report;
    const char* control;
    BandKind band;
};

void PrintTo(const MemoCase& c, std::ostream* os) { *os << c.label; }

class LongMemoTest : public ListReportTest, public ::testing::WithParamInterface<MemoCase> {};

TEST_P(LongMemoTest, EndsInAnEllipsisWithinItsBox)
{
    const QString memo = QStringLiteral("長いメモの続き").repeated(60);
    const QString owner = QStringLiteral("山田　太郎");
    insert(QStringLiteral("w顧客マスタ印刷"), {{QStringLiteral("名称"), owner}, {QStringLiteral("顧客メモ"), memo}});
    insert(QStringLiteral("w家族情報印刷"), {{QStringLiteral("名称"), owner},
                                             {QStringLiteral("氏名"), QStringLiteral("山田　花子")},
                                             {QStringLiteral("メモ"), memo}});
    const std::string which = GetParam().report;
    const auto r = which == "rpt顧客一覧"       ? run<report::rpt顧客一覧>()
                   : which == "rpt家族情報一覧" ? run<report::rpt家族情報一覧>()
                                                : run<report::rpt顧客家族一覧>();
    const PageItem& item = itemNamed(r->pages.at(0), QString::fromUtf8(GetParam().control), GetParam().band);
    ASSERT_TRUE(item.text.endsWith(QChar(0x2026))) << item.text.toStdString();
    EXPECT_TRUE(memo.startsWith(item.text.chopped(1)));
    QFont font(item.font);
    font.setPixelSize(qRound(item.pointSize * 20));
    // The painter condenses a text to 40 % at most: two and a half box widths fit.
    const double width = QFontMetricsF(font).horizontalAdvance(item.text);
    EXPECT_LE(width, 2.5 * item.rect.width());
    EXPECT_GT(width, 2.25 * item.rect.width()); // cut at the end of what fits, not sooner
}

INSTANTIATE_TEST_SUITE_P(
    Reports, LongMemoTest,
    ::testing::Values(MemoCase{"customerList", "rpt顧客一覧", "txt顧客メモ", BandKind::Detail},
                      MemoCase{"familyList", "rpt家族情報一覧", "txtメモ", BandKind::Detail},
                      MemoCase{"customerFamilyList", "rpt顧客家族一覧", "txt顧客メモ", BandKind::GroupHeader},
                      MemoCase{"customerFamilyListMember", "rpt顧客家族一覧", "txtメモ", BandKind::Detail}),
    [](const ::testing::TestParamInfo<MemoCase>& p) { return std::string(p.param.label); });

/// The size of the first page of a PDF in points, as pdfinfo reports it.
QSizeF pdfPageSize(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {path});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral(R"(Page size:\s+([\d.]+) x ([\d.]+))"))
                                          .match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

struct PaperCase {
    const char* label;
    QPageSize::PageSizeId paper;
    QPageLayout::Orientation orientation;
};

void PrintTo(const PaperCase& c, std::ostream* os) { *os << c.label; }

class PrinterPaperTest : public ListReportTest, public ::testing::WithParamInterface<PaperCase> {};

TEST_P(PrinterPaperTest, PrintsUprightOnThePaperChosenInTheDialog)
{
    addNumberedCustomers(3);
    const QString out = data_.path(QStringLiteral("printed.pdf"));
    ScriptedDialogs d;
    d.choosePaper(GetParam().paper, GetParam().orientation).confirmPrint(out);
    report::rpt顧客一覧 r(data_.workFile(), settings_);
    ASSERT_TRUE(r.Restart());
    EXPECT_EQ(r.PrintReport(true, data_.ownFiles()), report::PrintResult::Printed);
    const QSizeF expected = QPageSize(GetParam().paper).size(QPageSize::Point);
    const QSizeF printed = pdfPageSize(out);
    EXPECT_NEAR(printed.width(), expected.width(), 1.0);
    EXPECT_NEAR(printed.height(), expected.height(), 1.0);
    EXPECT_TRUE(pdfText(out).contains(QStringLiteral("顧客03")));
    // The preview and PDF keep the report's own A4.
    EXPECT_EQ(r.pages()->page.paper, QPageSize::A4);
}

INSTANTIATE_TEST_SUITE_P(Papers, PrinterPaperTest,
                         ::testing::Values(PaperCase{"b5Landscape", QPageSize::JisB5, QPageLayout::Landscape},
                                           PaperCase{"letter", QPageSize::Letter, QPageLayout::Portrait},
                                           PaperCase{"a4", QPageSize::A4, QPageLayout::Portrait}),
                         [](const ::testing::TestParamInfo<PaperCase>& p) { return std::string(p.param.label); });

class GoldenPageTest : public ListReportTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(GoldenPageTest, FirstPageLooksAsBefore)
{
    copySample(12);
    settings_.年号 = QStringLiteral("和暦");
    const QString name = QString::fromUtf8(GetParam());
    std::shared_ptr<const LaidOutReport> r;
    if (name == QStringLiteral("rpt顧客一覧"))
        r = run<report::rpt顧客一覧>();
    else if (name == QStringLiteral("rpt家族情報一覧"))
        r = run<report::rpt家族情報一覧>();
    else
        r = run<report::rpt顧客家族一覧>();
    ASSERT_NO_FATAL_FAILURE(expectLooksAsBefore(report::renderPage(*r, 0, 72),
                                                goldenFolder() + QLatin1Char('/') + name + QStringLiteral("-page1.png"),
                                                data_.path(name + QStringLiteral("-actual.png")), 0.01));
}

INSTANTIATE_TEST_SUITE_P(Reports, GoldenPageTest, ::testing::Values("rpt顧客一覧", "rpt家族情報一覧", "rpt顧客家族一覧"),
                         [](const ::testing::TestParamInfo<const char*>& p) { return "report" + std::to_string(p.index); });

} // namespace
} // namespace rov2::test
