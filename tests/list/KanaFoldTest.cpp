// The reading filter's folding: which spellings count as the same kana.
#include "KanaFold.h"

#include <gtest/gtest.h>

namespace rov2::test {
namespace {

struct PrefixCase {
    const char* name;
    const char* prefix;
    const char* reading;
    bool matches;
};

class KanaPrefix : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(KanaPrefix, MatchesAsAShopOwnerExpects)
{
    const PrefixCase& c = GetParam();
    const std::u32string prefix = foldKana(QString::fromUtf8(c.prefix).toStdU32String());
    const std::u32string reading = foldKana(QString::fromUtf8(c.reading).toStdU32String());
    EXPECT_EQ(startsWithFolded(reading, prefix), c.matches) << c.prefix << " / " << c.reading;
}

INSTANTIATE_TEST_SUITE_P(
    Readings, KanaPrefix,
    ::testing::Values(PrefixCase{"HiraganaFindsKatakana", "やま", "ヤマダ", true},
                      PrefixCase{"HiraganaFindsHalfWidth", "やま", "ﾔﾏﾀﾞ", true},
                      PrefixCase{"HalfWidthFindsHiragana", "ﾔﾏﾀﾞ", "やまだ はなこ", true},
                      PrefixCase{"VoicedHalfWidthJoins", "だ", "ﾀﾞｲｽｹ", true},
                      PrefixCase{"VoicedStaysVoiced", "た", "ﾀﾞｲｽｹ", false},
                      PrefixCase{"SemiVoicedHalfWidth", "ぱ", "ﾊﾟﾝ", true},
                      PrefixCase{"VoicedU", "ゔ", "ｳﾞｨｰﾅｽ", true},
                      PrefixCase{"CombiningMarkJoins", "が", "か\u3099き", true},
                      PrefixCase{"SmallKanaStaySmall", "や", "ゃま", false},
                      PrefixCase{"ASubstringIsNoPrefix", "まだ", "やまだ", false},
                      PrefixCase{"LongerThanTheReading", "やまだたろう", "やまだ", false},
                      PrefixCase{"IdeographicSpaceIsABlank", "やまだ　は", "やまだ はなこ", true},
                      PrefixCase{"FullWidthLatin", "ＡＢ", "AB商事", true},
                      PrefixCase{"LatinIgnoresCase", "ab", "AB", true},
                      PrefixCase{"FullWidthLatinIgnoresCase", "ａＢ", "Ａb商事", true},
                      PrefixCase{"LongVowelMark", "ｰ", "ー", true}),
    [](const auto& c) { return std::string(c.param.name); });

TEST(KanaFold, LeavesKanjiAndPlainTextAlone)
{
    EXPECT_EQ(foldKana(QStringLiteral("山田 abc 123")), QStringLiteral("山田 abc 123"));
    EXPECT_EQ(foldKana(QStringLiteral("ｶﾞｯｺｳ")), QStringLiteral("がっこう"));
    EXPECT_EQ(foldKana(QString()), QString());
}

} // namespace
} // namespace rov2::test
