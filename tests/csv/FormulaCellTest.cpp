// Cells a spreadsheet would run as formulas: written as text, read back as they were.
#include "CsvReader.h"
#include "CsvWriter.h"

#include <gtest/gtest.h>

namespace rov2 {
namespace {

struct FormulaCase
{
    const char* name;
    const char* cell;
    const char* written;
};

class FormulaGuard : public ::testing::TestWithParam<FormulaCase>
{
};

TEST_P(FormulaGuard, WrittenAsTextAndReadBackAsTheyWere)
{
    const QString cell = QString::fromUtf8(GetParam().cell);
    const QString line = csvLine({cell, QStringLiteral("x")});
    EXPECT_EQ(line, QString::fromUtf8(GetParam().written) + QStringLiteral(",x\r\n"));
    const auto rows = parseCsv(line);
    ASSERT_TRUE(rows && rows->size() == 1);
    EXPECT_EQ(withoutFormulaGuard(rows->front().value(0)), cell);
}

const FormulaCase kFormulas[] = {
    FormulaCase{"command", "=cmd|' /C calc'!A0", "'=cmd|' /C calc'!A0"},
    FormulaCase{"hyperlink", "=HYPERLINK(\"http://example.jp\",\"地図\")",
                "\"'=HYPERLINK(\"\"http://example.jp\"\",\"\"地図\"\")\""},
    FormulaCase{"plus", "+81-3-1234-5678", "'+81-3-1234-5678"},
    FormulaCase{"minus", "-", "'-"}, FormulaCase{"at", "@SUM(A1)", "'@SUM(A1)"},
    FormulaCase{"tab", "\t=1+1", "'\t=1+1"},
    FormulaCase{"carriageReturn", "\r=1+1", "\"'\r=1+1\""},
    FormulaCase{"apostropheAndLetter", "'Brien", "'Brien"},
    FormulaCase{"apostropheBeforeFormula", "'=1+1", "''=1+1"},
    FormulaCase{"formulaInside", "a=b-c", "a=b-c"},
    FormulaCase{"name", "山田太郎", "山田太郎"},
    FormulaCase{"date", "1975/04/05", "1975/04/05"}};

INSTANTIATE_TEST_SUITE_P(Cells, FormulaGuard, ::testing::ValuesIn(kFormulas),
                         [](const auto& tp) { return std::string(tp.param.name); });

TEST(FormulaGuardOff, CellsKeptAsTheyAre)
{
    EXPECT_EQ(csvLine({QStringLiteral("=1+1")}, FormulaCells::AsTheyAre), QStringLiteral("=1+1\r\n"));
}

} // namespace
} // namespace rov2
