// The engine on its own: bands, columns, groups, paging and the routines'
// changes, on small definitions made here (the label sheet's among them).
#include "ReportFixture.h"
#include "ReportLayout.h"

#include <QSet>

#include <gtest/gtest.h>

namespace rov2::report {
namespace {

using test::itemNamed;
using test::itemsNamed;

Control box(const char* name, ControlKind kind, int left, int top, int width = 1000, int height = 300)
{
    Control c;
    c.name = QString::fromUtf8(name);
    c.kind = kind;
    c.field = c.name;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    return c;
}

RowSet rowsOf(const QStringList& columns, const std::vector<QVariantList>& values)
{
    RowSet rows(columns);
    for (const QVariantList& v : values)
        rows.append(QVector<QVariant>(v.begin(), v.end()));
    return rows;
}

/// The label sheet: A4, two columns of 4895 twips, labels 2408 high.
ReportDefinition labelSheet()
{
    ReportDefinition d;
    d.page.paper = QPageSize::A4;
    d.page.leftMargin = 1059;
    d.page.rightMargin = 1059;
    d.page.topMargin = 1207;
    d.page.bottomMargin = 400;
    d.page.printableWidth = 9790;
    Band header;
    header.kind = BandKind::PageHeader;
    Band detail;
    detail.kind = BandKind::Detail;
    detail.height = 2408;
    detail.columns = 2;
    detail.columnWidth = 4895;
    Control mark = box("Label1", ControlKind::Label, 270, 90, 270, 270);
    mark.text = QStringLiteral("〒");
    detail.controls = {mark, box("名称", ControlKind::Field, 270, 1260, 4545, 885),
                       box("郵便番号", ControlKind::Field, 540, 90, 1440, 270)};
    Band footer;
    footer.kind = BandKind::PageFooter;
    d.bands = {header, detail, footer};
    return d;
}

RowSet labels(int blanks, int n)
{
    std::vector<QVariantList> v;
    for (int i = 0; i < blanks; ++i)
        v.push_back({QVariant(), QVariant()});
    for (int i = 1; i <= n; ++i)
        v.push_back({QStringLiteral("宛名%1").arg(i), QStringLiteral("100-0001")});
    return rowsOf({QStringLiteral("名称"), QStringLiteral("郵便番号")}, v);
}

TEST(ReportLayoutTest, PaperOfA4InTwips)
{
    PageSettings s;
    s.paper = QPageSize::A4;
    EXPECT_EQ(s.paperTwips(), QSize(11906, 16838));
    s.orientation = QPageLayout::Landscape;
    EXPECT_EQ(s.paperTwips(), QSize(16838, 11906));
}

struct ColumnCase {
    int blanks;
    int labels;
    int pages;
    int firstPage;  ///< page of the first address label
    QPoint first;   ///< its top-left corner on the paper
};

class LabelColumnsTest : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(LabelColumnsTest, AcrossThenDownWithBlanksBefore)
{
    const ColumnCase c = GetParam();
    const LaidOutReport r = layoutReport(labelSheet(), labels(c.blanks, c.labels));
    ASSERT_EQ(static_cast<int>(r.pages.size()), c.pages);
    const auto names = itemsNamed(r.pages[size_t(c.firstPage)], QStringLiteral("名称"), BandKind::Detail);
    const PageItem* first = nullptr;
    for (const PageItem* item : names)
        if (item->text == QStringLiteral("宛名1"))
            first = item;
    ASSERT_TRUE(first);
    EXPECT_EQ(first->rect.topLeft(), c.first + QPoint(270, 1260));
    // Twelve labels to a sheet, each label its own place.
    for (const Page& p : r.pages) {
        const auto onPage = itemsNamed(p, QStringLiteral("名称"), BandKind::Detail);
        EXPECT_LE(onPage.size(), 12u);
        QSet<QPair<int, int>> places;
        for (const PageItem* item : onPage)
            places.insert({item->rect.left(), item->rect.top()});
        EXPECT_EQ(places.size(), static_cast<qsizetype>(onPage.size()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, LabelColumnsTest,
    ::testing::Values(ColumnCase{0, 3, 1, 0, {1059, 1207}},                 // top left
                      ColumnCase{5, 1, 1, 0, {1059 + 4895, 1207 + 2 * 2408}}, // right label of the third row
                      ColumnCase{11, 3, 2, 0, {1059 + 4895, 1207 + 5 * 2408}}, // last label, then the next sheet
                      ColumnCase{0, 13, 2, 0, {1059, 1207}}),
    [](const ::testing::TestParamInfo<ColumnCase>& p) {
        return "blanks" + std::to_string(p.param.blanks) + "_labels" + std::to_string(p.param.labels);
    });

TEST(ReportLayoutTest, ThirteenthLabelStartsTheNextSheetTopLeft)
{
    const LaidOutReport r = layoutReport(labelSheet(), labels(11, 3));
    const auto second = itemsNamed(r.pages[1], QStringLiteral("名称"), BandKind::Detail);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(second[0]->text, QStringLiteral("宛名2"));
    EXPECT_EQ(second[0]->rect.topLeft(), QPoint(1059 + 270, 1207 + 1260));
    EXPECT_EQ(second[1]->rect.topLeft(), QPoint(1059 + 4895 + 270, 1207 + 1260));
}

TEST(ReportLayoutTest, DetailRoutineHidesAControlPerRow)
{
    FormatHooks hooks;
    hooks.detail = [](BandFormat& f) {
        f.control(QStringLiteral("Label1"))->visible = !f.control(QStringLiteral("郵便番号"))->text.isEmpty();
    };
    const LaidOutReport r = layoutReport(labelSheet(), labels(2, 2), hooks);
    // Blank labels keep their place but show no 〒.
    EXPECT_EQ(itemsNamed(r.pages[0], QStringLiteral("Label1"), BandKind::Detail).size(), 2u);
    EXPECT_EQ(itemsNamed(r.pages[0], QStringLiteral("名称"), BandKind::Detail).size(), 4u);
    EXPECT_EQ(itemNamed(r.pages[0], QStringLiteral("Label1"), BandKind::Detail).rect.topLeft(),
              QPoint(1059 + 270, 1207 + 2408 + 90));
}

TEST(ReportLayoutTest, BandOfHeightZeroTakesNoPlaceEvenInColumns)
{
    FormatHooks hooks;
    hooks.detail = [](BandFormat& f) {
        if (f.field(QStringLiteral("名称")).toString() == QStringLiteral("宛名2"))
            f.band.height = 0;
        if (f.field(QStringLiteral("名称")).toString() == QStringLiteral("宛名3"))
            f.band.visible = false;
    };
    const LaidOutReport r = layoutReport(labelSheet(), labels(0, 4), hooks);
    const auto names = itemsNamed(r.pages[0], QStringLiteral("名称"), BandKind::Detail);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[1]->text, QStringLiteral("宛名4"));
    EXPECT_EQ(names[1]->rect.left(), 1059 + 4895 + 270);
}

ReportDefinition groupedList()
{
    ReportDefinition d;
    d.page.topMargin = 0;
    d.page.bottomMargin = 0;
    Band header;
    header.kind = BandKind::PageHeader;
    header.height = 500;
    header.controls = {box("No", ControlKind::PageNumber, 0, 0), box("Of", ControlKind::PageCount, 1000, 0)};
    Band group;
    group.kind = BandKind::GroupHeader;
    group.height = 1000;
    group.groupField = QStringLiteral("t.名称");
    group.controls = {box("名称", ControlKind::Field, 0, 0)};
    group.controls[0].field = QStringLiteral("t.名称");
    Band detail;
    detail.kind = BandKind::Detail;
    detail.height = 700;
    detail.controls = {box("氏名", ControlKind::Field, 100, 0)};
    Band gfooter;
    gfooter.kind = BandKind::GroupFooter;
    gfooter.height = 200;
    gfooter.controls = {box("Sum", ControlKind::Label, 0, 0)};
    Band pfooter;
    pfooter.kind = BandKind::PageFooter;
    pfooter.height = 400;
    pfooter.controls = {box("Foot", ControlKind::Label, 0, 0)};
    d.bands = {header, group, detail, gfooter, pfooter};
    return d;
}

RowSet familyRows(int customers, int members)
{
    std::vector<QVariantList> v;
    for (int c = 1; c <= customers; ++c)
        for (int m = 1; m <= members; ++m)
            v.push_back({QStringLiteral("顧客%1").arg(c), QStringLiteral("家族%1-%2").arg(c).arg(m)});
    return rowsOf({QStringLiteral("t.名称"), QStringLiteral("u.氏名")}, v);
}

TEST(ReportLayoutTest, GroupHeaderOnEachChangeAndFooterAfterEachGroup)
{
    const LaidOutReport r = layoutReport(groupedList(), familyRows(2, 2));
    ASSERT_EQ(r.pages.size(), 1u);
    std::vector<std::pair<QString, int>> order;
    for (const PageItem& item : r.pages[0].items)
        if (item.band != BandKind::PageHeader && item.band != BandKind::PageFooter)
            order.emplace_back(item.name, item.rect.top());
    const std::vector<std::pair<QString, int>> expected = {
        {QStringLiteral("名称"), 500},  {QStringLiteral("氏名"), 1500}, {QStringLiteral("氏名"), 2200},
        {QStringLiteral("Sum"), 2900},  {QStringLiteral("名称"), 3100}, {QStringLiteral("氏名"), 4100},
        {QStringLiteral("氏名"), 4800}, {QStringLiteral("Sum"), 5500}};
    EXPECT_EQ(order, expected);
    // A bare field name finds a qualified column when no other column ends the same way.
    EXPECT_EQ(itemNamed(r.pages[0], QStringLiteral("氏名"), BandKind::Detail).text, QStringLiteral("家族1-1"));
}

TEST(ReportLayoutTest, PagesBreakBeforeABandThatDoesNotFitAndKnowTheirCount)
{
    // 16838 high, header 500, footer 400: 15938 for groups of 1000 + 3 x 700 + 200 = 3300.
    const LaidOutReport r = layoutReport(groupedList(), familyRows(10, 3));
    const int bodyBottom = 16838 - 400;
    for (const Page& p : r.pages)
        for (const PageItem& item : p.items)
            if (item.band != BandKind::PageFooter) {
                EXPECT_LE(item.rect.bottom() + 1, bodyBottom) << item.name.toStdString();
            }
    const int count = static_cast<int>(r.pages.size());
    EXPECT_EQ(count, 3); // 4.8 groups to a page, cut band by band
    for (int i = 0; i < count; ++i) {
        const Page& p = r.pages[size_t(i)];
        EXPECT_EQ(itemNamed(p, QStringLiteral("No"), BandKind::PageHeader).text, QString::number(i + 1));
        EXPECT_EQ(itemNamed(p, QStringLiteral("Of"), BandKind::PageHeader).text, QString::number(count));
        EXPECT_EQ(itemNamed(p, QStringLiteral("Foot"), BandKind::PageFooter).rect.top(), bodyBottom);
    }
    // Every row printed once, in order.
    QStringList names;
    for (const Page& p : r.pages)
        for (const PageItem* item : itemsNamed(p, QStringLiteral("氏名"), BandKind::Detail))
            names << item->text;
    ASSERT_EQ(names.size(), 30);
    EXPECT_EQ(names.first(), QStringLiteral("家族1-1"));
    EXPECT_EQ(names.last(), QStringLiteral("家族10-3"));
}

TEST(ReportLayoutTest, RoutinesSeeTheirRowAndPage)
{
    std::vector<std::pair<QString, int>> seen;
    FormatHooks hooks;
    hooks.pageHeader = [&](BandFormat& f) { seen.emplace_back(QStringLiteral("page"), f.pageNumber); };
    hooks.groupHeader = [&](BandFormat& f) { seen.emplace_back(f.field(QStringLiteral("t.名称")).toString(), f.row); };
    hooks.detail = [&](BandFormat& f) {
        f.control(QStringLiteral("氏名"))->text += QStringLiteral("様");
        seen.emplace_back(f.field(QStringLiteral("氏名")).toString(), f.row);
    };
    const LaidOutReport r = layoutReport(groupedList(), familyRows(2, 1), hooks);
    const std::vector<std::pair<QString, int>> expected = {
        {QStringLiteral("page"), 1}, {QStringLiteral("顧客1"), 0}, {QStringLiteral("家族1-1"), 0},
        {QStringLiteral("顧客2"), 1}, {QStringLiteral("家族2-1"), 1}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(itemNamed(r.pages[0], QStringLiteral("氏名"), BandKind::Detail).text, QStringLiteral("家族1-1様"));
}

TEST(ReportLayoutTest, NoRowsGiveOnePageWithHeaderAndFooterOnly)
{
    const LaidOutReport r = layoutReport(groupedList(), familyRows(0, 0));
    ASSERT_EQ(r.pages.size(), 1u);
    for (const PageItem& item : r.pages[0].items) {
        EXPECT_TRUE(item.band == BandKind::PageHeader || item.band == BandKind::PageFooter) << item.name.toStdString();
    }
    EXPECT_EQ(itemNamed(r.pages[0], QStringLiteral("Of"), BandKind::PageHeader).text, QStringLiteral("1"));
}

TEST(ReportLayoutTest, ABandTallerThanThePageStillPrintsOnce)
{
    ReportDefinition d = groupedList();
    d.band(BandKind::Detail)->height = 20000;
    const LaidOutReport r = layoutReport(d, familyRows(1, 2));
    int details = 0;
    for (const Page& p : r.pages)
        details += static_cast<int>(itemsNamed(p, QStringLiteral("氏名"), BandKind::Detail).size());
    EXPECT_EQ(details, 2);
    // The group header's page, one page per detail, and the group footer that no longer fits.
    EXPECT_EQ(r.pages.size(), 4u);
}

} // namespace
} // namespace rov2::report
