// Postcards as pages: the vertical forms of the shaped lines, the ink landing
// in the laid-out boxes, and the PDF's text.
#include "FontSubstitutes.h"
#include "PostcardLayout.h"
#include "PostcardReport.h"
#include "ReportPainter.h"
#include "TempData.h"
#include "TestNames.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace rov2::test {
namespace {

using report::PostcardAddressee;
using report::PostcardOptions;
using report::ShapedText;
using report::TextFlow;

const QString kMincho = QStringLiteral("ＭＳ 明朝");

std::shared_ptr<const ShapedText> shaped(const QString& text, TextFlow flow)
{
    installFontSubstitutions();
    return report::shapeText(text, kMincho, 200, flow);
}

struct FormRow
{
    const char* character;
    bool vertical; ///< has a form of its own in a vertical line
};

void PrintTo(const FormRow& r, std::ostream* os)
{
    *os << r.character;
}

class VerticalForms : public ::testing::TestWithParam<FormRow>
{
};

TEST_P(VerticalForms, AVerticalLineTakesTheFacesVerticalFormAndKeepsItsText)
{
    const QString c = QString::fromUtf8(GetParam().character);
    const auto down = shaped(c, TextFlow::TopToBottom);
    const auto across = shaped(c, TextFlow::LeftToRight);
    ASSERT_EQ(down->glyphs.size(), 1);
    ASSERT_EQ(across->glyphs.size(), 1);
    EXPECT_NE(across->glyphs[0], 0u) << "the face has no glyph for it";
    EXPECT_EQ(down->glyphs[0] != across->glyphs[0], GetParam().vertical);
    EXPECT_EQ(down->hiddenText[0], GetParam().vertical ? c : QString());
}

INSTANTIATE_TEST_SUITE_P(Characters, VerticalForms,
                         ::testing::Values(FormRow{"ー", true}, FormRow{"「", true}, FormRow{"」", true},
                                           FormRow{"（", true}, FormRow{"）", true}, FormRow{"―", true},
                                           FormRow{"ッ", true}, FormRow{"ぁ", true}, FormRow{"山", false},
                                           FormRow{"一", false}),
                         PrintedName());

TEST(VerticalText, TwoDigitsStandSideBySideInOneEm)
{
    const auto run = shaped(QStringLiteral("第12号"), TextFlow::TopToBottom);
    ASSERT_EQ(run->glyphs.size(), 4);
    EXPECT_DOUBLE_EQ(run->positions[1].y(), run->positions[2].y());
    EXPECT_LT(run->positions[1].x(), run->positions[2].x());
    EXPECT_GT(run->positions[3].y(), run->positions[2].y());
    EXPECT_NEAR(run->length, 3 * run->em, 1e-6);
}

// ---- pages ----

PostcardAddressee addressee(const char* code, const char* name, const char* address)
{
    PostcardAddressee a;
    a.postalCode = QString::fromUtf8(code);
    a.name = QString::fromUtf8(name);
    a.address1 = QString::fromUtf8(address);
    a.address2 = QStringLiteral("コーポ「緑」（東）２０１");
    a.honorific = QStringLiteral("様");
    return a;
}

std::vector<PostcardAddressee> threeCards()
{
    std::vector<PostcardAddressee> cards = {addressee("100-0001", "山田　太郎", "東京都千代田区千代田1-1"),
                                            addressee("5300001", "佐藤　花子", "大阪府大阪市北区梅田3-1-1"),
                                            addressee("0600042", "鈴木　一郎", "北海道札幌市中央区大通西4")};
    cards[2].jointNames = {{QStringLiteral("鈴木　洋子"), QStringLiteral("様")}};
    return cards;
}

report::PostcardSender shop()
{
    return {QStringLiteral("150-0001"), QStringLiteral("東京都渋谷区神宮前1-2-3"),
            QStringLiteral("さくら商店"), QStringLiteral("03-1234-5678")};
}

TEST(PostcardPages, OnePagePerCardEachExactlyTheCard)
{
    installFontSubstitutions();
    for (auto [paper, size] : {std::pair(report::PostcardPaper::Card, QSizeF(100, 148)),
                               std::pair(report::PostcardPaper::LongEnvelope3, QSizeF(120, 235))}) {
        PostcardOptions o;
        o.paper = paper;
        const report::LaidOutReport r = report::layoutPostcards(threeCards(), {}, o);
        EXPECT_EQ(r.pages.size(), 3u);
        EXPECT_EQ(r.page.orientation, QPageLayout::Portrait);
        EXPECT_EQ(r.page.leftMargin + r.page.topMargin + r.page.rightMargin + r.page.bottomMargin, 0);
        EXPECT_EQ(QPageSize(r.page.paper).size(QPageSize::Millimeter), size);
    }
    EXPECT_EQ(report::layoutPostcards({}, {}, {}).pages.size(), 1u);
}

/// Dark pixels of the page image inside @p mm, and outside all of @p boxes.
int darkPixels(const QImage& image, const QRectF& mm, double dpi)
{
    const double k = dpi / 25.4;
    const QRect area =
        QRectF(mm.x() * k, mm.y() * k, mm.width() * k, mm.height() * k).toAlignedRect() & image.rect();
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    return dark;
}

TEST(PostcardPages, TheInkLandsInTheLaidOutBoxes)
{
    installFontSubstitutions();
    constexpr double kDpi = 150;
    for (auto writing : {report::PostcardWriting::Vertical, report::PostcardWriting::Horizontal}) {
        PostcardOptions o;
        o.writing = writing;
        o.printSender = true;
        const PostcardAddressee card = threeCards()[2];
        const report::PostcardLayout layout = report::layoutPostcard(card, shop(), o);
        QImage image = report::renderPage(report::layoutPostcards({card}, shop(), o), 0, kDpi);
        int inside = 0;
        for (const report::PostcardBox& b : layout.boxes) {
            EXPECT_GT(darkPixels(image, b.mm, kDpi), 0) << b.text.toStdString();
            inside += darkPixels(image, b.mm.adjusted(-0.3, -0.3, 0.3, 0.3), kDpi);
        }
        EXPECT_EQ(darkPixels(image, QRectF(0, 0, 100, 148), kDpi), inside) << "ink outside the boxes";
    }
}

/// Each page's text as pdftotext finds it in content order, blanks and line ends left out.
QStringList pdfPages(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), QStringLiteral("-enc"),
                                          QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    QString text = QString::fromUtf8(p.readAllStandardOutput());
    text.remove(QRegularExpression(QStringLiteral("[ \\n\\r\\t\u3000]")));
    QStringList pages = text.split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.back().isEmpty())
        pages.removeLast();
    return pages;
}

TEST(PostcardPages, ThePdfCarriesEachCardsPostalCodeNamesAndVerticalForms)
{
    installFontSubstitutions();
    TempData temp;
    const QString pdf = temp.path(QStringLiteral("はがき 宛名.pdf"));
    PostcardOptions o;
    o.printSender = true;
    ASSERT_EQ(report::savePdf(report::layoutPostcards(threeCards(), shop(), o), pdf),
              report::PdfResult::Saved);
    const QStringList pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 3) << pages.join(QLatin1Char('|')).toStdString();
    const char* const expected[3][3] = {
        {"1000001", "山田", "太郎様"}, {"5300001", "佐藤", "花子様"}, {"0600042", "鈴木", "一郎様"}};
    for (int i = 0; i < 3; ++i) {
        for (const char* part : expected[i])
            EXPECT_TRUE(pages[i].contains(QString::fromUtf8(part)))
                << i << " " << part << " in " << pages[i].toStdString();
        EXPECT_TRUE(pages[i].contains(QStringLiteral("コーポ「緑」（東）二〇一"))) << pages[i].toStdString();
        EXPECT_TRUE(pages[i].contains(QStringLiteral("さくら商店"))) << pages[i].toStdString();
    }
    EXPECT_TRUE(pages[2].contains(QStringLiteral("洋子様")));
}

} // namespace
} // namespace rov2::test
