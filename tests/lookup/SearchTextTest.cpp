// The forms in which the look-ups compare texts.
#include "SearchText.h"

#include "LookupFixtures.h"
#include "TestNames.h"

#include <gtest/gtest.h>

#include <string>

namespace rov2 {
namespace {

struct Case {
    const char* input;
    const char* expected;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.input << " -> " << c.expected;
}

QString u(const char* s)
{
    return QString::fromUtf8(s);
}

class Fold : public ::testing::TestWithParam<Case> {};

TEST_P(Fold, GivesTheComparedForm)
{
    EXPECT_EQ(foldForSearch(u(GetParam().input)), u(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    KanaWidthAndCase, Fold,
    ::testing::Values(Case{"さとう", "さとう"}, Case{"サトウ", "さとう"}, Case{"ｻﾄｳ", "さとう"},
                      // half-width voiced marks join their kana; full-width ones, spacing or combining, too
                      Case{"ｶﾞｯｺｳ", "がっこう"}, Case{"ﾊﾟﾝﾀﾞ", "ぱんだ"}, Case{"ｳﾞｧｲｵﾘﾝ", "ゔぁいおりん"},
                      Case{"か\u3099", "が"}, Case{"は゜", "ぱ"}, Case{"ヴ", "ゔ"}, Case{"ヵヶ", "ゕゖ"},
                      // a mark that cannot join stays as a mark; long vowels stay
                      Case{"ﾏﾞ", "ま゛"}, Case{"ﾞｱ", "゛あ"}, Case{"ｰー", "ーー"},
                      // blanks of both widths go; Latin letters and digits become half-width lower case
                      Case{"佐藤　一郎", "佐藤一郎"}, Case{"さとう いちろう", "さとういちろう"},
                      Case{"ＡＢＣ商事１２３", "abc商事123"}, Case{"O'Brien 100%", "o'brien100%"},
                      Case{"（株）", "(株)"}, Case{"", ""}),
    test::PrintedName());

class Phone : public ::testing::TestWithParam<Case> {};

TEST_P(Phone, DropsHyphensParenthesesAndBlanks)
{
    EXPECT_EQ(phoneForm(u(GetParam().input)), u(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Numbers, Phone,
                         ::testing::Values(Case{"03-1234-5678", "0312345678"}, Case{"03 1234 5678", "0312345678"},
                                           Case{"０３－１２３４－５６７８", "0312345678"},
                                           Case{"03(1234)5678", "0312345678"}, Case{"０３（１２３４）５６７８", "0312345678"},
                                           Case{"090ー1111ー2222", "09011112222"}, Case{"内線12", "内線12"}),
                         test::PrintedName());

class Initial : public ::testing::TestWithParam<Case> {};

TEST_P(Initial, IsThePlainKanaOfTheFirstCharacter)
{
    EXPECT_EQ(kanaInitial(u(GetParam().input)), u(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Syllabary, Initial,
    ::testing::Values(Case{"かとう", "か"}, Case{"がくえん", "か"}, Case{"ガクエン", "か"}, Case{"ｶﾞｸｴﾝ", "か"},
                      Case{"ぱんや", "は"}, Case{"ﾊﾟﾝﾔ", "は"}, Case{"ばんば", "は"}, Case{"ひかり", "ひ"},
                      Case{"ぢ", "ち"}, Case{"づ", "つ"}, Case{"っ", "つ"}, Case{"ど", "と"}, Case{"な", "な"},
                      Case{"ぁ", "あ"}, Case{"ゃ", "や"}, Case{"ゎ", "わ"}, Case{"ヴぃ", "う"}, Case{"ゐ", "い"},
                      Case{"ヱ", "え"}, Case{"ヲ", "を"}, Case{"ん", "ん"}, Case{"　さとう", "さ"},
                      Case{"ABCしょうじ", ""}, Case{"山田", ""}, Case{"ーあ", ""}, Case{"", ""}),
    test::PrintedName());

TEST(SearchTerms, AreCutAtBlanksOfEitherWidthAndFolded)
{
    EXPECT_EQ(searchTerms(u("サトウ　いち  03-12")), (QStringList{u("さとう"), u("いち"), u("03-12")}));
    EXPECT_EQ(searchTerms(u(" 　 ")), QStringList());
}

TEST(SearchText, BrokenUtf8PassesThroughByteForByte)
{
    std::string out;
    searchtext::foldUtf8(std::string("a\xff\xe3\x81", 4), out);
    EXPECT_EQ(out, std::string("a\xff\xe3\x81", 4));
}

} // namespace
} // namespace rov2
