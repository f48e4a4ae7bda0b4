#include "UnlhaCommandLine.h"

#include <gtest/gtest.h>

namespace rov2::archive::test {
namespace {

struct FileRow
{
    std::string name;
    std::string base;
};

struct ParseCase
{
    const char* name;
    std::string line;
    char command;
    std::string archive;
    std::string folder;
    std::vector<FileRow> files;
    std::size_t switches;
};

void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << c.name;
}

class ParsesCommandLine : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(ParsesCommandLine, IntoItsParts)
{
    const ParseCase& c = GetParam();
    UnlhaCommandLine parsed;
    ASSERT_TRUE(UnlhaCommandLine::parse(c.line, parsed)) << c.line;
    EXPECT_EQ(parsed.command(), c.command);
    EXPECT_EQ(parsed.archive().string(), c.archive);
    EXPECT_EQ(parsed.folder().string(), c.folder);
    EXPECT_EQ(parsed.switches().size(), c.switches);
    ASSERT_EQ(parsed.files().size(), c.files.size());
    for (std::size_t i = 0; i < c.files.size(); ++i) {
        EXPECT_EQ(parsed.files()[i].name, c.files[i].name);
        EXPECT_EQ(parsed.files()[i].base.string(), c.files[i].base);
    }
}

const std::string kFolder = "/home/事務所 の PC/顧客 データ/";

INSTANTIATE_TEST_SUITE_P(
    Lines, ParsesCommandLine,
    ::testing::Values(ParseCase{"Backup",
                                "a -+ -a1 -d0 -f0 -n0 -jm4 \"" + kFolder + "rov2data.lzh\" \"" + kFolder +
                                    "\" \"" + kFolder + "\"\"Rov2data.mdb\"\"\"",
                                'a',
                                kFolder + "rov2data.lzh",
                                kFolder,
                                {{"Rov2data.mdb", kFolder}},
                                6},
                      ParseCase{"Restore",
                                "x -+ -a2 -d1 -f0 -n1 -jyc0 -jyd0 -jyk0 -jyn0 -jyo0 \"" + kFolder +
                                    "rov2data.lzh\" \"" + kFolder + "\" \"*.*\"",
                                'x',
                                kFolder + "rov2data.lzh",
                                kFolder,
                                {{"*.*", kFolder}},
                                10},
                      ParseCase{"WindowsSeparators",
                                "x \"C:\\顧客\\data.lzh\" \"C:\\顧客\\\" \"*.*\"",
                                'x',
                                "C:/顧客/data.lzh",
                                "C:/顧客/",
                                {{"*.*", "C:/顧客/"}},
                                0},
                      ParseCase{"UnquotedNames",
                                "e  -n1\tarc.lzh out/ a.txt b.txt",
                                'e',
                                "arc.lzh",
                                "out/",
                                {{"a.txt", "out/"}, {"b.txt", "out/"}},
                                1},
                      ParseCase{"FilesBeforeAndAfterAFolder",
                                "a \"x.lzh\" \"one\" \"dir/\" \"two\" \"\"",
                                'a',
                                "x.lzh",
                                "dir/",
                                {{"one", ""}, {"two", "dir/"}},
                                0},
                      ParseCase{"QuotedSwitchIsAName", "a x.lzh \"-n0\"", 'a', "x.lzh", "", {{"-n0", ""}}, 0},
                      ParseCase{"OnlyTheArchive", "t \"書庫 1.lzh\"", 't', "書庫 1.lzh", "", {}, 0}),
    [](const auto& row) { return std::string(row.param.name); });

// Every character a path may hold comes back whole through quote(): quotes,
// carets, backslashes that belong to a name (legal outside Windows), blanks.
TEST(QuotedNames, ReadBackAsWritten)
{
    for (const std::string folder :
         {"/home/事務所/\"本店\" データ/", "/srv/^\"^^\"/", "/srv/a\\b \t^/", "/\"/"}) {
        const std::string member = "名簿 \"2\"^.mdb";
        UnlhaCommandLine parsed;
        const std::string line = "a -jm4 " + UnlhaCommandLine::quote(folder + "x.lzh") + ' ' +
                                 UnlhaCommandLine::quote(folder) + UnlhaCommandLine::quote(member);
        ASSERT_TRUE(UnlhaCommandLine::parse(line, parsed)) << line;
        EXPECT_EQ(parsed.archive().string(), folder + "x.lzh") << line;
        EXPECT_EQ(parsed.folder().string(), folder) << line;
        ASSERT_EQ(parsed.files().size(), 1u) << line;
        EXPECT_EQ(parsed.files()[0].name, member) << line;
    }
}

struct BadLine
{
    const char* name;
    const char* line;
};

void PrintTo(const BadLine& b, std::ostream* os)
{
    *os << b.name;
}

class RefusesCommandLine : public ::testing::TestWithParam<BadLine>
{
};

TEST_P(RefusesCommandLine, WithAReason)
{
    UnlhaCommandLine parsed;
    const ArchiveStatus status = UnlhaCommandLine::parse(GetParam().line, parsed);
    EXPECT_FALSE(status);
    EXPECT_FALSE(status.message().empty());
}

INSTANTIATE_TEST_SUITE_P(Lines, RefusesCommandLine,
                         ::testing::Values(BadLine{"Empty", ""}, BadLine{"Blank", "   "},
                                           BadLine{"UnknownCommand", "q \"a.lzh\""},
                                           BadLine{"QuotedCommand", "\"a\" \"a.lzh\""},
                                           BadLine{"SwitchFirst", "-n0 a \"a.lzh\""},
                                           BadLine{"NoArchive", "x -+ -a2 \"\""},
                                           BadLine{"UnclosedQuote", "x \"a.lzh\" \"folder/"},
                                           BadLine{"ArchiveIsAFolder", "x \"folder/\" \"*.*\""}),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace rov2::archive::test
