#include "TownName.h"
#include "TestNames.h"

#include "CsvLine.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace rov2::yubin {
namespace {

struct Town
{
    const char* raw;
    const char* cleaned;
};

void PrintTo(const Town& c, std::ostream* os)
{
    *os << c.raw;
}

class CleanTown : public ::testing::TestWithParam<Town>
{
};

TEST_P(CleanTown, GivesTheStoredName)
{
    EXPECT_EQ(cleanTown(QString::fromUtf8(GetParam().raw)), QString::fromUtf8(GetParam().cleaned));
}

INSTANTIATE_TEST_SUITE_P(Placeholders, CleanTown,
                         ::testing::Values(Town{"以下に掲載がない場合", ""},
                                           Town{"当別町の次に番地がくる場合", ""},
                                           Town{"小菅村の次に６６４番地以降がくる場合", ""},
                                           Town{"琴平町の次に１～４２６番地がくる場合", ""},
                                           Town{"上町の次に公園がくる場合", "上町の次に公園がくる場合"},
                                           Town{"以下に掲載がない場合以外", "以下に掲載がない場合以外"},
                                           Town{"", ""}, Town{"千代田", "千代田"}), ::rov2::test::PrintedName());

INSTANTIATE_TEST_SUITE_P(
    CoverageNotes, CleanTown,
    ::testing::Values(
        Town{"大通西（１～１９丁目）", "大通西"},
        Town{"霞が関霞が関ビル（地階・階層不明）", "霞が関霞が関ビル"},
        Town{"霞が関霞が関ビル（３０階）", "霞が関霞が関ビル"}, Town{"西新宿（次のビルを除く）", "西新宿"},
        Town{"藤野（４００、４００－２番地）", "藤野"}, Town{"山田（第１地割～第３地割）", "山田"},
        Town{"大江（１丁目、２丁目「６５１、６６２番地」以外、３丁目５、１３－４番地）", "大江"},
        Town{"旭町（その他）", "旭町"}, Town{"本町（三丁目）", "本町"}, Town{"南町（1-3番地）", "南町"}), ::rov2::test::PrintedName());

INSTANTIATE_TEST_SUITE_P(NotesThatNameAPlace, CleanTown,
                         ::testing::Values(Town{"西一条（南）", "西一条（南）"},
                                           Town{"越中畑（６４地割－川口、６５地割－上野々）",
                                                "越中畑（６４地割－川口、６５地割－上野々）"},
                                           Town{"本町（十日町）", "本町（十日町）"},
                                           Town{"東町（）", "東町（）"},
                                           Town{"大野（上組（１番地））", "大野（上組（１番地））"},
                                           Town{"大通（１丁目", "大通（１丁目"}, // never closed: left alone
                                           Town{"大通（１丁目）（北）", "大通（北）"}), ::rov2::test::PrintedName());

struct Csv
{
    const char* line;
    std::vector<const char*> fields; ///< empty: the line is broken
};

void PrintTo(const Csv& c, std::ostream* os)
{
    *os << c.line;
}

class SplitCsv : public ::testing::TestWithParam<Csv>
{
};

TEST_P(SplitCsv, SplitsQuotedAndPlainFields)
{
    const auto fields = splitCsvLine(QString::fromUtf8(GetParam().line));
    if (GetParam().fields.empty()) {
        EXPECT_FALSE(fields.has_value());
        return;
    }
    ASSERT_TRUE(fields.has_value());
    QStringList expected;
    for (const char* f : GetParam().fields)
        expected << QString::fromUtf8(f);
    EXPECT_EQ(*fields, expected);
}

INSTANTIATE_TEST_SUITE_P(Lines, SplitCsv,
                         ::testing::Values(Csv{"01101,\"060  \",\"0600000\"", {"01101", "060  ", "0600000"}},
                                           Csv{"\"a,b\",c", {"a,b", "c"}},
                                           Csv{"\"say \"\"hi\"\"\"", {"say \"hi\""}},
                                           Csv{"a,,b,", {"a", "", "b", ""}}, Csv{"", {""}},
                                           Csv{"\"open,b", {}}, Csv{"\"a\"b,c", {}}), ::rov2::test::PrintedName());

} // namespace
} // namespace rov2::yubin
