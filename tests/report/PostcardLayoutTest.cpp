// The address side of a postcard as data: every box in millimetres on the
// card, checked against the printed postal frame and the card's edges.
#include "PostcardLayout.h"

#include "FontSubstitutes.h"
#include "TestNames.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace rov2::test {
namespace {

using report::PostcardAddressee;
using report::PostcardBox;
using report::PostcardLayout;
using report::PostcardOptions;
using report::PostcardPaper;
using report::PostcardPart;
using report::PostcardSender;
using report::PostcardWriting;

PostcardAddressee yamada()
{
    PostcardAddressee a;
    a.postalCode = QStringLiteral("100-0001");
    a.address1 = QStringLiteral("東京都千代田区千代田1-2-3");
    a.address2 = QStringLiteral("コーポ千代田101号室");
    a.name = QStringLiteral("山田　太郎");
    a.honorific = QStringLiteral("様");
    return a;
}

PostcardSender shop()
{
    return {QStringLiteral("5300001"), QStringLiteral("大阪府大阪市北区梅田3-1-1"),
            QStringLiteral("山田商店"), QStringLiteral("06-1234-5678")};
}

PostcardLayout layout(const PostcardAddressee& a, const PostcardOptions& o = {}, const PostcardSender& s = {})
{
    installFontSubstitutions();
    return report::layoutPostcard(a, s, o);
}

const PostcardBox& only(const PostcardLayout& card, PostcardPart part, int index = 0)
{
    for (const PostcardBox* b : card.boxesOf(part))
        if (b->index == index)
            return *b;
    ADD_FAILURE() << "no box of part " << int(part) << " index " << index;
    static const PostcardBox none;
    return none;
}

QString joinedTexts(const PostcardLayout& card, PostcardPart part)
{
    QString all;
    for (const PostcardBox* b : card.boxesOf(part))
        all += b->text;
    return all;
}

// ---- the postal code in the printed frame ----

struct FrameRow
{
    PostcardPaper paper;
    PostcardWriting writing;
    double dx;
    double dy;
};

void PrintTo(const FrameRow& r, std::ostream* os)
{
    *os << (r.paper == PostcardPaper::Card ? "card" : "envelope")
        << (r.writing == PostcardWriting::Vertical ? " down " : " across ") << shownText(r.dx) << " "
        << shownText(r.dy);
}

class PostalFrame : public ::testing::TestWithParam<FrameRow>
{
};

TEST_P(PostalFrame, EachDigitLiesInsideItsBoxAtEveryAdjustmentWithinOneAndAHalfMillimetres)
{
    const FrameRow& r = GetParam();
    PostcardOptions o;
    o.paper = r.paper;
    o.writing = r.writing;
    o.offsetXMm = r.dx;
    o.offsetYMm = r.dy;
    const PostcardLayout card = layout(yamada(), o);
    const auto frame = report::postalFrameMm(r.paper);
    const auto digits = card.boxesOf(PostcardPart::PostalDigit);
    ASSERT_EQ(digits.size(), 7u);
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(digits[i]->text, QStringLiteral("1000001").mid(qsizetype(i), 1)) << i;
        EXPECT_TRUE(frame[i].contains(digits[i]->mm))
            << i << " digit " << digits[i]->mm.x() << "," << digits[i]->mm.y() << " box " << frame[i].x();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Offsets, PostalFrame,
    ::testing::Values(FrameRow{PostcardPaper::Card, PostcardWriting::Vertical, 0, 0},
                      FrameRow{PostcardPaper::Card, PostcardWriting::Vertical, -1.5, -1.5},
                      FrameRow{PostcardPaper::Card, PostcardWriting::Vertical, 1.5, 1.5},
                      FrameRow{PostcardPaper::Card, PostcardWriting::Vertical, -1.5, 1.5},
                      FrameRow{PostcardPaper::Card, PostcardWriting::Horizontal, 1.5, -1.5},
                      FrameRow{PostcardPaper::LongEnvelope3, PostcardWriting::Vertical, 1.5, 1.5},
                      FrameRow{PostcardPaper::LongEnvelope3, PostcardWriting::Vertical, -1.5, -1.5}),
    PrintedName());

TEST(PostalFrameGeometry, SevenBoxesEndEightMillimetresFromTheRightTwelveFromTheTop)
{
    for (PostcardPaper paper : {PostcardPaper::Card, PostcardPaper::LongEnvelope3}) {
        const auto f = report::postalFrameMm(paper);
        EXPECT_NEAR(report::postcardPaperMm(paper).width() - f[6].right(), 8.0, 1e-9);
        EXPECT_NEAR(f[6].right() - f[0].left(), 47.7, 1e-9);
        EXPECT_NEAR(f[3].left() - f[2].right(), 1.9, 1e-9);
        EXPECT_NEAR(f[1].left() - f[0].right(), 1.3, 1e-9);
        EXPECT_NEAR(f[5].left() - f[4].right(), 1.1, 1e-9);
        EXPECT_DOUBLE_EQ(f[0].top(), 12.0);
        EXPECT_DOUBLE_EQ(f[0].height(), 8.0);
    }
}

struct CodeRow
{
    const char* written;
    const char* digits; ///< nullptr: not seven digits
};

void PrintTo(const CodeRow& r, std::ostream* os)
{
    *os << r.written;
}

class PostalCodeForms : public ::testing::TestWithParam<CodeRow>
{
};

TEST_P(PostalCodeForms, OnlySevenDigitsGoIntoTheFrameTheRestIsWrittenAboveTheAddress)
{
    PostcardAddressee a = yamada();
    a.postalCode = QString::fromUtf8(GetParam().written);
    const PostcardLayout card = layout(a);
    const auto digits = card.boxesOf(PostcardPart::PostalDigit);
    const auto written = card.boxesOf(PostcardPart::PostalCode);
    if (GetParam().digits) {
        EXPECT_EQ(joinedTexts(card, PostcardPart::PostalDigit), QString::fromUtf8(GetParam().digits));
        EXPECT_TRUE(written.empty());
        return;
    }
    EXPECT_TRUE(digits.empty());
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0]->text, a.postalCode.trimmed());
    EXPECT_LE(written[0]->mm.bottom(), only(card, PostcardPart::Address).mm.top());
    EXPECT_GE(written[0]->mm.top(), report::postalFrameMm(PostcardPaper::Card)[0].bottom());
}

INSTANTIATE_TEST_SUITE_P(Codes, PostalCodeForms,
                         ::testing::Values(CodeRow{"1000001", "1000001"}, CodeRow{"100-0001", "1000001"},
                                           CodeRow{"１００－０００１", "1000001"},
                                           CodeRow{"〒100-0001", "1000001"}, CodeRow{"1000-001", "1000001"}, CodeRow{"100-001", nullptr},
                                           CodeRow{"10000012", nullptr}, CodeRow{"100-00-01", nullptr},
                                           CodeRow{"ｱｲｳｴｵｶｷ", nullptr}),
                         PrintedName());

// ---- every kind of card keeps its texts apart and off the edges ----

struct CardRow
{
    const char* label;
    PostcardWriting writing;
    PostcardPaper paper;
    int joints;
    bool sender;
    bool longAddress;
    double offset;
};

void PrintTo(const CardRow& r, std::ostream* os)
{
    *os << r.label;
}

PostcardAddressee cardOf(const CardRow& r)
{
    PostcardAddressee a = yamada();
    if (r.longAddress) {
        a.address1 = QStringLiteral("北海道札幌市中央区北一条西二丁目緑ヶ丘第三住宅地区12番地の34");
        a.address2 = QStringLiteral("グランドメゾン札幌中央ステーションフロントタワー南棟2345号室");
        a.name = QStringLiteral("勅使河原　左衛門三郎");
        a.honorific = QStringLiteral("先生");
    }
    const char* joints[] = {"山田　花子", "佐藤　一郎", "山田　次郎"};
    for (int i = 0; i < r.joints; ++i)
        a.jointNames.push_back({QString::fromUtf8(joints[i]), QStringLiteral("様")});
    return a;
}

class CardShapes : public ::testing::TestWithParam<CardRow>
{
protected:
    PostcardLayout card() const
    {
        const CardRow& r = GetParam();
        PostcardOptions o;
        o.writing = r.writing;
        o.paper = r.paper;
        o.printSender = r.sender;
        o.offsetXMm = o.offsetYMm = r.offset;
        return layout(cardOf(r), o, shop());
    }
};

TEST_P(CardShapes, NoTextComesWithinFiveMillimetresOfTheEdges)
{
    const PostcardLayout c = card();
    const QRectF inner = QRectF(QPointF(0, 0), c.paperMm).adjusted(5, 5, -5, -5);
    ASSERT_GE(c.boxes.size(), 7u);
    for (const PostcardBox& b : c.boxes)
        EXPECT_TRUE(inner.contains(b.mm)) << b.text.toStdString() << " at " << b.mm.x() << "," << b.mm.y()
                                          << " " << b.mm.width() << "x" << b.mm.height();
}

TEST_P(CardShapes, NoBoxCrossesAnother)
{
    const PostcardLayout c = card();
    for (size_t i = 0; i < c.boxes.size(); ++i)
        for (size_t j = i + 1; j < c.boxes.size(); ++j)
            EXPECT_FALSE(c.boxes[i].mm.intersects(c.boxes[j].mm))
                << c.boxes[i].text.toStdString() << " / " << c.boxes[j].text.toStdString();
}

TEST_P(CardShapes, EveryNameAndTheSenderArePrintedWhole)
{
    const CardRow& r = GetParam();
    const PostcardLayout c = card();
    EXPECT_EQ(c.boxesOf(PostcardPart::Honorific).size(), size_t(r.joints + 1));
    EXPECT_EQ(c.boxesOf(PostcardPart::SenderName).size(), r.sender ? 1u : 0u);
    const QString address = r.writing == PostcardWriting::Vertical
                                ? report::verticalForm(cardOf(r).address1, true)
                                : cardOf(r).address1;
    EXPECT_EQ(joinedTexts(c, PostcardPart::Address), address);
}

INSTANTIATE_TEST_SUITE_P(
    Cards, CardShapes,
    ::testing::Values(
        CardRow{"down plain", PostcardWriting::Vertical, PostcardPaper::Card, 0, false, false, 0},
        CardRow{"down full", PostcardWriting::Vertical, PostcardPaper::Card, 3, true, true, 0},
        CardRow{"down full up left", PostcardWriting::Vertical, PostcardPaper::Card, 3, true, true, -1.5},
        CardRow{"down full down right", PostcardWriting::Vertical, PostcardPaper::Card, 3, true, true, 1.5},
        CardRow{"down one joint", PostcardWriting::Vertical, PostcardPaper::Card, 1, true, false, 0},
        CardRow{"across full", PostcardWriting::Horizontal, PostcardPaper::Card, 3, true, true, 0},
        CardRow{"across full shifted", PostcardWriting::Horizontal, PostcardPaper::Card, 3, true, true, 1.5},
        CardRow{"envelope down full", PostcardWriting::Vertical, PostcardPaper::LongEnvelope3, 3, true, true,
                0},
        CardRow{"envelope across", PostcardWriting::Horizontal, PostcardPaper::LongEnvelope3, 2, true, false,
                0}),
    PrintedName());

// ---- the names ----

TEST(PostcardNames, TheNameColumnIsCentredOnTheCardWithItsHonorificInIt)
{
    for (double dx : {0.0, 2.0}) {
        PostcardOptions o;
        o.offsetXMm = dx;
        const PostcardLayout c = layout(yamada(), o);
        const double middle = c.paperMm.width() / 2 + dx;
        for (PostcardPart part : {PostcardPart::Surname, PostcardPart::GivenName, PostcardPart::Honorific})
            EXPECT_NEAR(only(c, part).mm.center().x(), middle, 0.01) << int(part);
        EXPECT_LT(only(c, PostcardPart::GivenName).mm.bottom(), only(c, PostcardPart::Honorific).mm.top());
        EXPECT_GT(only(c, PostcardPart::Surname).pointSize, only(c, PostcardPart::Address).pointSize);
    }
}

TEST(PostcardNames, JointNamesOfTheSameSurnameShowTheGivenNameAlignedUnderTheAddressees)
{
    PostcardAddressee a = yamada();
    a.jointNames = {{QStringLiteral("山田 花子"), QStringLiteral("様")},
                    {QStringLiteral("佐藤　一郎"), QStringLiteral("殿")},
                    {QStringLiteral("山田　健"), QStringLiteral("くん")}};
    for (PostcardWriting writing : {PostcardWriting::Vertical, PostcardWriting::Horizontal}) {
        PostcardOptions o;
        o.writing = writing;
        const PostcardLayout c = layout(a, o);
        const bool down = writing == PostcardWriting::Vertical;
        const auto along = [down](const PostcardBox& b) { return down ? b.mm.top() : b.mm.left(); };
        const auto across = [down](const PostcardBox& b) {
            return down ? -b.mm.center().x() : b.mm.center().y();
        };
        const PostcardBox& given = only(c, PostcardPart::GivenName, 0);
        for (int joint : {1, 3}) {
            EXPECT_NEAR(along(only(c, PostcardPart::GivenName, joint)), along(given), 0.01) << joint;
            EXPECT_GT(across(only(c, PostcardPart::GivenName, joint)), across(given)) << joint;
        }
        EXPECT_EQ(only(c, PostcardPart::GivenName, 1).text, QStringLiteral("花子"));
        EXPECT_EQ(c.boxesOf(PostcardPart::Surname).size(), 2u); // the addressee's and 佐藤's
        EXPECT_EQ(only(c, PostcardPart::Surname, 2).text, QStringLiteral("佐藤"));
        EXPECT_NEAR(along(only(c, PostcardPart::Surname, 2)), along(only(c, PostcardPart::Surname, 0)), 0.01);
        for (int i = 1; i <= 3; ++i)
            EXPECT_NEAR(along(only(c, PostcardPart::Honorific, i)),
                        along(only(c, PostcardPart::Honorific, 0)), 0.01);
        EXPECT_EQ(only(c, PostcardPart::Honorific, 3).text, QStringLiteral("くん"));
    }
}

TEST(PostcardNames, NamesWithoutABlankAreWrittenWhole)
{
    PostcardAddressee a = yamada();
    a.name = QStringLiteral("株式会社山田商事");
    a.honorific = QStringLiteral("御中");
    a.jointNames = {{QStringLiteral("山田"), QStringLiteral("様")}};
    const PostcardLayout c = layout(a);
    EXPECT_EQ(only(c, PostcardPart::Surname, 0).text, QStringLiteral("株式会社山田商事"));
    EXPECT_EQ(only(c, PostcardPart::Surname, 1).text, QStringLiteral("山田"));
    EXPECT_TRUE(c.boxesOf(PostcardPart::GivenName).empty());
}

// ---- numbers and long lines ----

struct NumeralRow
{
    const char* written;
    const char* kanji;
    const char* asWritten;
};

void PrintTo(const NumeralRow& r, std::ostream* os)
{
    *os << r.written;
}

class Numerals : public ::testing::TestWithParam<NumeralRow>
{
};

TEST_P(Numerals, TheAddressColumnWritesNumbersAsKanjiOrAsWritten)
{
    PostcardAddressee a = yamada();
    a.address1 = QString::fromUtf8(GetParam().written);
    for (bool kanji : {true, false}) {
        PostcardOptions o;
        o.kanjiNumerals = kanji;
        EXPECT_EQ(joinedTexts(layout(a, o), PostcardPart::Address),
                  QString::fromUtf8(kanji ? GetParam().kanji : GetParam().asWritten))
            << kanji;
    }
}

INSTANTIATE_TEST_SUITE_P(Addresses, Numerals,
                         ::testing::Values(NumeralRow{"本町1-2-3", "本町一―二―三", "本町1―2―3"},
                                           NumeralRow{"本町10番地", "本町一〇番地", "本町10番地"},
                                           NumeralRow{"本町１２－３４", "本町一二―三四", "本町12―34"},
                                           NumeralRow{"本町1ー2", "本町一―二", "本町1―2"},
                                           NumeralRow{"本町123番地", "本町一二三番地", "本町１２３番地"},
                                           NumeralRow{"Aビル3F", "Ａビル三Ｆ", "Ａビル3Ｆ"},
                                           NumeralRow{"センター通り", "センター通り", "センター通り"}),
                         PrintedName());

TEST(PostcardLines, AFortyCharacterAddressLineIsNarrowedToItsColumnNotCut)
{
    PostcardAddressee a = yamada();
    a.address2 =
        QStringLiteral("グランドメゾン札幌中央ステーションフロントタワー南棟二千三百四十五号室の奥の離れ");
    ASSERT_EQ(a.address2.size(), 40);
    for (PostcardWriting writing : {PostcardWriting::Vertical, PostcardWriting::Horizontal}) {
        PostcardOptions o;
        o.writing = writing;
        const PostcardLayout c = layout(a, o);
        const PostcardBox& line = only(c, PostcardPart::Address2);
        EXPECT_EQ(line.text, a.address2);
        EXPECT_TRUE(line.condensed());
        EXPECT_EQ(line.shaped->glyphs.size(), 40);
        EXPECT_TRUE(QRectF(QPointF(0, 0), c.paperMm).contains(line.mm));
    }
}

TEST(PostcardLines, AnAddressTooLongForOneColumnGoesOnInASecondSetLower)
{
    PostcardAddressee a = yamada();
    a.address1 = QStringLiteral("東京都西多摩郡奥多摩町大字氷川字上代官山12番地の34");
    const PostcardLayout c = layout(a);
    const auto columns = c.boxesOf(PostcardPart::Address);
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(columns[1]->text, QStringLiteral("一二番地の三四"));
    EXPECT_LT(columns[1]->mm.center().x(), columns[0]->mm.center().x());
    EXPECT_GT(columns[1]->mm.top(), columns[0]->mm.top());
    EXPECT_LT(only(c, PostcardPart::Address2).mm.center().x(), columns[1]->mm.center().x());
}

TEST(PostcardLines, ABlankInTheAddressIsWhereItsColumnsBreak)
{
    PostcardAddressee a = yamada();
    a.address1 = QStringLiteral("東京都千代田区　千代田1-1");
    EXPECT_EQ(report::splitAddress(a.address1, 30),
              (QStringList{QStringLiteral("東京都千代田区"), QStringLiteral("千代田1-1")}));
    EXPECT_EQ(layout(a).boxesOf(PostcardPart::Address).size(), 2u);
}

} // namespace
} // namespace rov2::test
