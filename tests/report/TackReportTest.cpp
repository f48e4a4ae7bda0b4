// The label report: where every label and text box lands on the A4 sheet of
// twelve, what a label shows, and the page as an image and as PDF text.
#include "TackReport.h"

#include "QtPrinters.h"
#include "ReportFixture.h"
#include "ReportPainter.h"
#include "GoldenImage.h"
#include "TestNames.h"

#include <QImage>
#include <QProcess>
#include <QRectF>
#include <gtest/gtest.h>

namespace rov2::test {
namespace {

using report::BandKind;
using report::LaidOutReport;
using report::PageItem;
using report::rptTack2601;

constexpr double kMmPerTwip = 25.4 / 1440;

/// The physical sheet: labels 86.4 x 42.3 mm, the first 18.6 mm from the left
/// and 21.2 mm from the top, two across, six down, without gaps.
QRectF physicalLabelMm(int position)
{
    return {18.6 + (position % 2) * 86.4, 21.2 + (position / 2) * 42.3, 86.4, 42.3};
}

QRectF toMm(const QRect& twips)
{
    return {twips.x() * kMmPerTwip, twips.y() * kMmPerTwip, twips.width() * kMmPerTwip,
            twips.height() * kMmPerTwip};
}

class TackReportTest : public ReportFixture
{
protected:
    void addLabel(const QVariant& name, const QVariant& code, const QVariant& address1,
                  const QVariant& address2)
    {
        insert(QStringLiteral("wタックシール印刷"), {{QStringLiteral("名称"), name},
                                                     {QStringLiteral("郵便番号"), code},
                                                     {QStringLiteral("住所1"), address1},
                                                     {QStringLiteral("住所2"), address2}});
    }
    /// @p n full labels "宛名NN　様".
    void addLabels(int n, int from = 1)
    {
        for (int i = from; i < from + n; ++i)
            addLabel(QStringLiteral("宛名%1　様").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("100-0001"),
                     QStringLiteral("東京都千代田区千代田一丁目%1番地").arg(i),
                     QStringLiteral("サンプルマンション%1号室").arg(i));
    }
    void addBlanks(int n)
    {
        for (int i = 0; i < n; ++i)
            addLabel({}, {}, {}, {});
    }
    std::shared_ptr<const LaidOutReport> run(double dxMm = 0, double dyMm = 0)
    {
        rptTack2601 r(data_.workFile());
        r.setOffsetMm(dxMm, dyMm);
        EXPECT_TRUE(r.Restart());
        return r.pages();
    }
    /// The texts of one control over a page, in the order they were placed.
    static QStringList texts(const report::Page& page, const char* control)
    {
        QStringList out;
        for (const PageItem* item : itemsNamed(page, QString::fromUtf8(control), BandKind::Detail))
            out << item->text;
        return out;
    }
};

/// The design positions of the five controls, from the label's top-left corner.
struct Designed
{
    const char* name;
    int left, top, width, height;
    double size;
};
const Designed kControls[] = {
    {"Label1", 270, 90, 270, 270, 10},       {"txt郵便番号", 540, 90, 1440, 270, 10},
    {"txt住所1", 270, 360, 4530, 450, 11.5}, {"txt住所2", 270, 810, 4590, 450, 11.5},
    {"txt名称", 270, 1260, 4545, 885, 14.5},
};

class LabelPositionTest : public TackReportTest, public ::testing::WithParamInterface<int>
{
};

// Each of the twelve positions: the boxes at the designed twips on the page,
// and every one of them inside its label of the real sheet, in millimetres.
TEST_P(LabelPositionTest, BoxesSitInsideTheirLabelOnTheSheet)
{
    const int position = GetParam();
    addBlanks(position);
    addLabels(1);
    const auto r = run();
    ASSERT_EQ(r->pages.size(), 1u);
    const int labelLeft = 1059 + (position % 2) * 4895;
    const int labelTop = 1207 + (position / 2) * 2408;
    const QRectF sheetLabel = physicalLabelMm(position);
    for (const Designed& c : kControls) {
        // The blank labels before it place their boxes too, empty.
        std::vector<const PageItem*> items;
        for (const PageItem* item : itemsNamed(r->pages[0], QString::fromUtf8(c.name), BandKind::Detail))
            if (!item->text.isEmpty())
                items.push_back(item);
        ASSERT_EQ(items.size(), 1u) << c.name;
        const PageItem& item = *items.front();
        EXPECT_EQ(item.rect, QRect(labelLeft + c.left, labelTop + c.top, c.width, c.height)) << c.name;
        EXPECT_DOUBLE_EQ(item.pointSize, c.size) << c.name;
        EXPECT_EQ(item.font, QStringLiteral("ＭＳ Ｐ明朝")) << c.name;
        const QRectF mm = toMm(item.rect);
        EXPECT_TRUE(sheetLabel.contains(mm))
            << c.name << " at " << mm.x() << "," << mm.y() << " " << mm.width() << "x" << mm.height()
            << " mm, label " << sheetLabel.x() << "," << sheetLabel.y();
    }
}
INSTANTIATE_TEST_SUITE_P(Sheet, LabelPositionTest, ::testing::Range(0, 12), ValueName{"Position"});

TEST_F(TackReportTest, PageIsA4PortraitWithTheLabelMargins)
{
    addLabels(1);
    const auto r = run();
    EXPECT_EQ(r->page.paper, QPageSize::A4);
    EXPECT_EQ(r->page.orientation, QPageLayout::Portrait);
    EXPECT_EQ(r->page.leftMargin, 1059);
    EXPECT_EQ(r->page.rightMargin, 1059);
    EXPECT_EQ(r->page.topMargin, 1207);
    EXPECT_EQ(r->page.bottomMargin, 400);
    EXPECT_EQ(r->page.printableWidth, 9790);
    // The band area holds exactly six rows of labels.
    EXPECT_GE(r->page.bodyHeight(), 6 * 2408);
    EXPECT_LT(r->page.bodyHeight(), 7 * 2408);
}

// Labels fill across, then down; the thirteenth starts the next sheet at the top left.
TEST_F(TackReportTest, TwelvePerSheetAcrossThenDown)
{
    addLabels(13);
    const auto r = run();
    ASSERT_EQ(r->pages.size(), 2u);
    const auto names = itemsNamed(r->pages[0], QStringLiteral("txt名称"), BandKind::Detail);
    ASSERT_EQ(names.size(), 12u);
    for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(names[static_cast<size_t>(k)]->text,
                  QStringLiteral("宛名%1　様").arg(k + 1, 2, 10, QLatin1Char('0')));
        EXPECT_EQ(names[static_cast<size_t>(k)]->rect.topLeft(),
                  QPoint(1059 + (k % 2) * 4895 + 270, 1207 + (k / 2) * 2408 + 1260));
    }
    EXPECT_EQ(texts(r->pages[1], "txt名称"), QStringList{QStringLiteral("宛名13　様")});
    EXPECT_EQ(itemNamed(r->pages[1], QStringLiteral("txt名称"), BandKind::Detail).rect.topLeft(),
              QPoint(1059 + 270, 1207 + 1260));
}

// "〒" only beside a postal code: a blank label and a label without a code show none.
TEST_F(TackReportTest, PostalMarkOnlyWithACode)
{
    addBlanks(1);
    addLabel(QStringLiteral("甲　様"), QStringLiteral("100-0001"), QStringLiteral("東京都"), {});
    addLabel(QStringLiteral("乙　様"), {}, QStringLiteral("大阪府"), {});
    addLabel(QStringLiteral("丙　様"), QString(""), QStringLiteral("京都府"), {});
    addLabel(QStringLiteral("丁　様"), QStringLiteral("5300001"), QStringLiteral("大阪府"), {});
    const auto r = run();
    const auto marks = itemsNamed(r->pages[0], QStringLiteral("Label1"), BandKind::Detail);
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0]->rect.topLeft(), QPoint(1059 + 4895 + 270, 1207 + 90));     // position 1
    EXPECT_EQ(marks[1]->rect.topLeft(), QPoint(1059 + 270, 1207 + 2 * 2408 + 90)); // position 4
    EXPECT_EQ(marks[0]->text, QStringLiteral("〒"));
}

// The print position adjustment moves every item of every page by the same amount.
TEST_F(TackReportTest, OffsetMovesEveryLabelPage)
{
    addLabels(14);
    const auto plain = run();
    struct Case
    {
        double dx, dy;
        int expectedDx, expectedDy;
    };
    for (const Case c : {Case{2.5, -1.0, 142, -57}, Case{-5.0, 5.0, -283, 283}, Case{9.0, -9.0, 283, -283}}) {
        const auto moved = run(c.dx, c.dy);
        ASSERT_EQ(moved->pages.size(), plain->pages.size());
        for (size_t p = 0; p < plain->pages.size(); ++p) {
            ASSERT_EQ(moved->pages[p].items.size(), plain->pages[p].items.size());
            for (size_t i = 0; i < plain->pages[p].items.size(); ++i)
                EXPECT_EQ(moved->pages[p].items[i].rect,
                          plain->pages[p].items[i].rect.translated(c.expectedDx, c.expectedDy))
                    << "page " << p << " item " << i << " offset " << c.dx << "," << c.dy;
        }
    }
}

// One object for the whole run: a restart reads the table afresh.
TEST_F(TackReportTest, RestartReadsTheTableAgain)
{
    rptTack2601 r(data_.workFile());
    addLabels(1);
    ASSERT_TRUE(r.Restart());
    EXPECT_EQ(texts(r.pages()->pages[0], "txt名称").size(), 1);
    addLabels(3, 2);
    ASSERT_TRUE(r.Restart());
    EXPECT_EQ(texts(r.pages()->pages[0], "txt名称").size(), 4);
}

TEST_F(TackReportTest, LabelPageLooksAsBefore)
{
    addBlanks(3);
    addLabels(8);
    addLabel(QStringLiteral("とても長い名前の株式会社サンプル商事　御中"), {}, QStringLiteral("北海道札幌市"),
             {});
    const auto r = run();
    ASSERT_NO_FATAL_FAILURE(expectLooksAsBefore(report::renderPage(*r, 0, 72),
                                                goldenFolder() + QStringLiteral("/rptTack2601-page1.png"),
                                                data_.path(QStringLiteral("rptTack2601-actual.png")), 0.005));
}

/// The text of a PDF in the order it was drawn.
QString pdfTextRaw(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), QStringLiteral("-enc"),
                                          QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST_F(TackReportTest, PdfHoldsTheLabelsInLabelOrder)
{
    addBlanks(11);
    addLabels(3);
    const auto r = run();
    ASSERT_EQ(r->pages.size(), 2u);
    const QString pdf = data_.path(QStringLiteral("labels.pdf"));
    ASSERT_EQ(report::savePdf(*r, pdf), report::PdfResult::Saved);
    const QString text = pdfTextRaw(pdf);
    ASSERT_FALSE(text.isEmpty()) << "pdftotext gave nothing";
    qsizetype at = -1;
    // Each label top to bottom (code, address lines, name), the labels in their order.
    for (const char* piece : {"100-0001", "千代田一丁目1番地", "マンション1号室", "宛名01",
                              "千代田一丁目2番地", "宛名02", "千代田一丁目3番地", "宛名03"}) {
        const qsizetype found = text.indexOf(QString::fromUtf8(piece), at + 1);
        EXPECT_GT(found, at) << piece << " in:\n" << text.toStdString();
        at = found;
    }
    // A page break between the last label of the first sheet and the next.
    EXPECT_EQ(text.left(text.indexOf(QStringLiteral("宛名01"))).count(QChar(u'\f')), 0);
    EXPECT_EQ(text.left(text.indexOf(QStringLiteral("千代田一丁目2番地"))).count(QChar(u'\f')), 1);
}

} // namespace
} // namespace rov2::test
