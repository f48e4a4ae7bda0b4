// The CSV format on its own: quoting, splitting, encodings and the CP932 check.
#include "CsvEncoding.h"
#include "CsvReader.h"
#include "CsvWriter.h"
#include "TestNames.h"

#include <gtest/gtest.h>
#include <unicode/ucnv.h>

namespace rov2 {
namespace {

QByteArray bytes(std::initializer_list<int> b)
{
    QByteArray out;
    for (int c : b)
        out.append(static_cast<char>(c));
    return out;
}

struct QuoteCase
{
    const char* field;
    const char* written;
};

class FieldQuoting : public ::testing::TestWithParam<QuoteCase>
{
};

TEST_P(FieldQuoting, QuotesOnlyWhatNeedsIt)
{
    EXPECT_EQ(csvField(QString::fromUtf8(GetParam().field)), QString::fromUtf8(GetParam().written));
}

INSTANTIATE_TEST_SUITE_P(Rfc4180, FieldQuoting,
                         ::testing::Values(QuoteCase{"山田太郎", "山田太郎"}, QuoteCase{"", ""},
                                           QuoteCase{"1,2", "\"1,2\""},
                                           QuoteCase{"say \"hi\"", "\"say \"\"hi\"\"\""},
                                           QuoteCase{"a\r\nb", "\"a\r\nb\""}, QuoteCase{"a\nb", "\"a\nb\""},
                                           QuoteCase{" lead", "\" lead\""}, QuoteCase{"ｱｲｳ", "ｱｲｳ"}),
                         test::FieldName<&QuoteCase::field>());

TEST(CsvLine, EndsWithCrlf)
{
    EXPECT_EQ(csvLine({QStringLiteral("a"), QString(), QStringLiteral("b,c")}),
              QStringLiteral("a,,\"b,c\"\r\n"));
}

const std::vector<QStringList> kTricky = {
    {QStringLiteral("名称"), QStringLiteral("メモ")},
    {QStringLiteral("山田, 太郎"), QStringLiteral("「\"大口\"」のお客様")},
    {QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"), QStringLiteral("一行目\r\n二行目\n三行目")},
    {QStringLiteral("𠮷野 鷗外"), QString()},
    {QStringLiteral(" 前後に空白 "), QStringLiteral("\"")},
};

TEST(CsvParse, ReadsBackWhatWasWritten)
{
    QString text;
    for (const auto& r : kTricky)
        text += csvLine(r);
    const auto rows = parseCsv(text);
    ASSERT_TRUE(rows);
    EXPECT_EQ(*rows, kTricky);
}

struct LineEndCase
{
    const char* name;
    const char* text;
};

class LineEnds : public ::testing::TestWithParam<LineEndCase>
{
};

TEST_P(LineEnds, SameRowsWhateverTheLineEnd)
{
    const auto rows = parseCsv(QString::fromUtf8(GetParam().text));
    ASSERT_TRUE(rows);
    const std::vector<QStringList> expected = {{QStringLiteral("名称"), QStringLiteral("住所")},
                                               {QStringLiteral("佐藤"), QStringLiteral("東京")},
                                               {QStringLiteral("鈴木"), QString()}};
    EXPECT_EQ(*rows, expected);
}

INSTANTIATE_TEST_SUITE_P(Files, LineEnds,
                         ::testing::Values(LineEndCase{"crlf", "名称,住所\r\n佐藤,東京\r\n鈴木,\r\n"},
                                           LineEndCase{"lf", "名称,住所\n佐藤,東京\n鈴木,\n"},
                                           LineEndCase{"noFinalBreak", "名称,住所\n佐藤,東京\n鈴木,"},
                                           LineEndCase{"blankLines",
                                                       "名称,住所\r\n\r\n佐藤,東京\n\n鈴木,\n"}),
                         [](const auto& tp) { return std::string(tp.param.name); });

TEST(CsvParse, RefusesQuotesThatWouldShiftTheColumns)
{
    EXPECT_FALSE(parseCsv(QStringLiteral("名称\n\"山田,太郎\n")));
    EXPECT_FALSE(parseCsv(QStringLiteral("名称,住所\n山\"田,東京\n")));
}

/// CP932 bytes made by ICU directly, as another program would write them.
QByteArray otherProgramsCp932(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    UErrorCode status = U_ZERO_ERROR;
    QByteArray out(utf8.size() * 2 + 4, '\0');
    const int32_t n = ucnv_convert("ibm-943_P15A-2003", "UTF-8", out.data(), static_cast<int32_t>(out.size()),
                                   utf8.constData(), static_cast<int32_t>(utf8.size()), &status);
    if (U_FAILURE(status))
        return {}; // the test comparing these bytes then fails
    out.truncate(n);
    return out;
}

TEST(CsvEncoding, WritesTheBytesOfCp932)
{
    // あ 82A0, ｱ B1, ① 8740 (an NEC extension: plain Shift_JIS lacks it), ～ 8160, \ 5C
    const auto b = encodeCp932(QStringLiteral("あｱ①～\\"));
    ASSERT_TRUE(b);
    EXPECT_EQ(*b, bytes({0x82, 0xA0, 0xB1, 0x87, 0x40, 0x81, 0x60, 0x5C}));
    EXPECT_EQ(*b, otherProgramsCp932(QStringLiteral("あｱ①～\\")));
}

struct DetectCase
{
    const char* name;
    QByteArray bytes;
    CsvEncoding expected;
};

const QString kSample = QStringLiteral("名称,ﾌﾘｶﾞﾅ\r\n山田①,ﾔﾏﾀﾞ\r\n");

class Detect : public ::testing::TestWithParam<DetectCase>
{
};

TEST_P(Detect, RecognisesTheEncodingAndDecodes)
{
    const auto& p = GetParam();
    EXPECT_EQ(detectEncoding(p.bytes), p.expected);
    const auto text = decodeText(p.bytes, p.expected);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, kSample);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Detect,
    ::testing::Values(DetectCase{"bom", QByteArray("\xEF\xBB\xBF") + kSample.toUtf8(), CsvEncoding::Utf8Bom},
                      DetectCase{"utf8", kSample.toUtf8(), CsvEncoding::Utf8},
                      DetectCase{"cp932", otherProgramsCp932(kSample), CsvEncoding::Cp932}),
    [](const auto& tp) { return std::string(tp.param.name); });

TEST(CsvEncoding, PlainAsciiCountsAsUtf8)
{
    EXPECT_EQ(detectEncoding(QByteArray("a,b\r\n1,2\r\n")), CsvEncoding::Utf8);
}

TEST(CsvEncoding, BytesThatAreNoCp932AreRefusedWithTheirPlace)
{
    qint64 at = -2;
    // 0x82A0 is あ; 0xFD has no CP932 meaning.
    EXPECT_FALSE(decodeText(bytes({0x41, 0x82, 0xA0, 0xFD, 0x42}), CsvEncoding::Cp932, &at));
    EXPECT_EQ(at, 3);
}

TEST(CsvEncoding, JisCharactersTypedOnOtherSystemsAreTheSameCp932Bytes)
{
    // 〜 and − as Linux input methods give them: CP932's 0x8160 and 0x817C, as Windows writes ～ and －.
    const auto b = encodeCp932(QStringLiteral("1〜3−4"));
    ASSERT_TRUE(b);
    EXPECT_EQ(*b, bytes({0x31, 0x81, 0x60, 0x33, 0x81, 0x7C, 0x34}));
    EXPECT_EQ(*b, *encodeCp932(QStringLiteral("1～3－4")));
}

TEST(CsvEncoding, NamesTheFirstCharacterCp932CannotHold)
{
    qsizetype at = -2;
    EXPECT_FALSE(encodeCp932(QStringLiteral("森鷗外"), &at));
    EXPECT_EQ(at, 1);
    EXPECT_FALSE(encodeCp932(QStringLiteral("ab𠮷"), &at));
    EXPECT_EQ(at, 2);
}

// The export converts its UTF-8 text straight to CP932; that path must give
// the same bytes, and refuse the same characters, as the one from QString
// (the Windows forms, characters ICU would skip such as the soft hyphen).
TEST(CsvEncoding, FromUtf8EveryCharacterBecomesWhatItBecomesFromText)
{
    int differ = 0;
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        const QString text = QStringLiteral("a") + QString::fromUcs4(&c, 1) + QStringLiteral("b");
        if (encodeCp932(text) != encodeCp932Utf8(text.toUtf8()) && ++differ <= 5)
            ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(c);
    }
    EXPECT_EQ(differ, 0);
}

TEST(EncodeCsv, TellsLineFieldAndCharacterInsteadOfReplacing)
{
    CsvEncodeProblem p;
    EXPECT_FALSE(encodeCsv(kTricky, CsvEncoding::Cp932, &p));
    EXPECT_EQ(p.line, 4);
    EXPECT_EQ(p.field, 0);
    EXPECT_EQ(p.character, QStringLiteral("𠮷"));
}

TEST(EncodeCsv, Utf8WithBomHoldsEverything)
{
    const auto b = encodeCsv(kTricky, CsvEncoding::Utf8Bom);
    ASSERT_TRUE(b);
    ASSERT_TRUE(b->startsWith("\xEF\xBB\xBF"));
    const auto back = readCsvBytes(*b);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->encoding, CsvEncoding::Utf8Bom);
    EXPECT_EQ(back->rows, kTricky);
}

TEST(EncodeCsv, Cp932RoundTripOfWhatItHolds)
{
    const std::vector<QStringList> rows(kTricky.begin(), kTricky.begin() + 3);
    const auto b = encodeCsv(rows, CsvEncoding::Cp932);
    ASSERT_TRUE(b);
    const auto back = readCsvBytes(*b);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->encoding, CsvEncoding::Cp932);
    EXPECT_EQ(back->rows, rows);
}

} // namespace
} // namespace rov2
