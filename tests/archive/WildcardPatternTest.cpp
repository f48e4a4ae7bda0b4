#include "WildcardPattern.h"

#include <gtest/gtest.h>

namespace rov2::archive::test {
namespace {

struct WildcardRow
{
    const char* pattern;
    const char* name;
    bool matches;
};

class Wildcard : public ::testing::TestWithParam<WildcardRow>
{
};

TEST_P(Wildcard, MatchesAsArchiversDo)
{
    EXPECT_EQ(WildcardPattern(GetParam().pattern).matches(GetParam().name), GetParam().matches)
        << GetParam().pattern << " against " << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Wildcard,
    ::testing::Values(WildcardRow{"*.*", "Rov2data.mdb", true}, WildcardRow{"*.*", "NOEXTENSION", true},
                      WildcardRow{"*.*", "", true}, WildcardRow{"*", "顧客.mdb", true},
                      WildcardRow{"rov2data.MDB", "Rov2data.mdb", true},
                      WildcardRow{"Rov2data.mdb", "Rov2data.mdb.bak", false},
                      WildcardRow{"*.mdb", "Rov2data.mdb", true}, WildcardRow{"*.mdb", "Rov2data.lzh", false},
                      WildcardRow{"rov2_d???", "rov2_d001", true},
                      WildcardRow{"rov2_d???", "rov2_d01", false}, WildcardRow{"*a*b*c", "xaxxbxxcxc", true},
                      WildcardRow{"*a*b*c", "xaxxbxxcx", false}, WildcardRow{"顧客*", "顧客データ.mdb", true},
                      WildcardRow{"顧客*", "家族.mdb", false}));

} // namespace
} // namespace rov2::archive::test
