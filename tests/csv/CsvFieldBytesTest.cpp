// The export writes fields straight from SQLite's UTF-8: every cell must come
// out as the same bytes as the QString writer gives, at the edges where the
// two look at characters differently (blanks beyond ASCII, pairs, formulas).
#include "CsvWriter.h"
#include "TestNames.h"

#include <gtest/gtest.h>

namespace rov2 {
namespace {

struct FieldCase
{
    const char* name;
    const char16_t* text;
};

class FieldBytes : public ::testing::TestWithParam<FieldCase>
{
};

TEST_P(FieldBytes, SameAsTheQStringWriter)
{
    const QString text = QString::fromUtf16(GetParam().text);
    const QByteArray utf8 = text.toUtf8();
    for (const FormulaCells formulas : {FormulaCells::Neutralised, FormulaCells::AsTheyAre}) {
        QByteArray written("x,");
        appendCsvField(written, utf8, formulas);
        const QString expected =
            csvField(formulas == FormulaCells::Neutralised ? formulaGuarded(text) : text);
        EXPECT_EQ(written, "x," + expected.toUtf8()) << (formulas == FormulaCells::Neutralised);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Edges, FieldBytes,
    ::testing::Values(FieldCase{"empty", u""}, FieldCase{"kana", u"山田太郎"}, FieldCase{"comma", u"1,2"},
                      FieldCase{"quotes", u"say \"hi\" \"\""}, FieldCase{"lineEnds", u"a\r\nb\n"},
                      FieldCase{"leadingBlank", u" lead"}, FieldCase{"trailingTab", u"end\t"},
                      FieldCase{"ideographicSpaceFirst", u"\u3000山田"},
                      FieldCase{"ideographicSpaceLast", u"山田\u3000"},
                      FieldCase{"noBreakSpaceLast", u"x\u00A0"}, FieldCase{"nextLineLast", u"x\u0085"},
                      FieldCase{"pairLast", u"吉\U00020BB7"}, FieldCase{"pairFirst", u"\U00020BB7 "},
                      FieldCase{"formula", u"=1+2"}, FieldCase{"formulaBehindApostrophes", u"''-3"},
                      FieldCase{"apostropheName", u"'Brien"}, FieldCase{"tabFormula", u"\t=x"},
                      FieldCase{"formulaWithBlankEnd", u"@cmd "}, FieldCase{"formulaQuoted", u"+\"a\",b"},
                      FieldCase{"onlyBlank", u" "}, FieldCase{"byteOrderMark", u"\uFEFFa"}),
    test::FieldName<&FieldCase::name>());

} // namespace
} // namespace rov2
