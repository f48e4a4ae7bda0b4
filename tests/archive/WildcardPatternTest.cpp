#include "WildcardPattern.h"

#include <gtest/gtest.h>

namespace rov2::archive::test {
namespace {

struct WildcardRow
{
    const char* label;
    const char* pattern;
    const char* name;
    bool matches;
};

void PrintTo(const WildcardRow& r, std::ostream* os)
{
    *os << r.label;
}

class Wildcard : public ::testing::TestWithParam<WildcardRow>
{
};

TEST_P(Wildcard, MatchesAsArchiversDo)
{
    EXPECT_EQ(WildcardPattern(GetParam().pattern).matches(GetParam().name), GetParam().matches)
        << GetParam().pattern << " against " << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Rows, Wildcard,
                         ::testing::Values(WildcardRow{"StarDotStar", "*.*", "Rov2data.mdb", true},
                                           WildcardRow{"StarDotStarNoDot", "*.*", "NOEXTENSION", true},
                                           WildcardRow{"StarDotStarEmpty", "*.*", "", true},
                                           WildcardRow{"StarJapanese", "*", "顧客.mdb", true},
                                           WildcardRow{"CaseBlind", "rov2data.MDB", "Rov2data.mdb", true},
                                           WildcardRow{"WholeNameOnly", "Rov2data.mdb", "Rov2data.mdb.bak",
                                                       false},
                                           WildcardRow{"Extension", "*.mdb", "Rov2data.mdb", true},
                                           WildcardRow{"OtherExtension", "*.mdb", "Rov2data.lzh", false},
                                           WildcardRow{"QuestionMarks", "rov2_d???", "rov2_d001", true},
                                           WildcardRow{"QuestionMarksTooFew", "rov2_d???", "rov2_d01", false},
                                           WildcardRow{"BackTracking", "*a*b*c", "xaxxbxxcxc", true},
                                           WildcardRow{"BackTrackingFails", "*a*b*c", "xaxxbxxcx", false},
                                           WildcardRow{"JapanesePrefix", "顧客*", "顧客データ.mdb", true},
                                           WildcardRow{"JapanesePrefixFails", "顧客*", "家族.mdb", false}),
                         [](const auto& row) { return std::string(row.param.label); });

} // namespace
} // namespace rov2::archive::test
