#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <type_traits>

namespace rov2::test {

/// A name for a parameterised case that GoogleTest and CTest accept and a
/// reader recognises: ASCII letters and digits are kept, a run of anything
/// else becomes one '_', and each other character is written as its code
/// point ("u533A"), so that "区分1" gives "u533Au52061".
std::string testName(std::string_view utf8);

/// The name generator of parameterised cases: the case's index, then what
/// its PrintTo says of it, so that CTest's list and a failure say which row it is.
struct PrintedName {
    template <typename P>
    std::string operator()(const ::testing::TestParamInfo<P>& row) const
    {
        std::string shown;
        if constexpr (std::is_convertible_v<P, const char*>)
            shown = row.param;
        else
            shown = ::testing::PrintToString(row.param);
        return std::to_string(row.index) + "_" + testName(shown);
    }
};

} // namespace rov2::test
