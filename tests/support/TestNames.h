#pragma once

#include <gtest/gtest.h>

#include <charconv>
#include <initializer_list>
#include <string>
#include <string_view>
#include <system_error>
#include <type_traits>
#include <vector>

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

/// A value as text for a name: strings as they are, Qt strings in UTF-8,
/// lists of them joined, numbers in full with their sign spelt out (a name
/// keeps no '-'), anything else as GoogleTest prints it.
template <typename T> std::string shownText(const T& value)
{
    if constexpr (std::is_arithmetic_v<T> && !std::is_same_v<T, bool>) {
        char text[64];
        std::to_chars_result done{};
        if constexpr (std::is_floating_point_v<T>) // 700000 rather than 7e+05
            done = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
        if (!done.ptr || done.ec != std::errc())
            done = std::to_chars(text, text + sizeof text, value);
        const char* const start = text[0] == '-' ? text + 1 : text;
        const char* const end = done.ptr;
        return (start == text ? std::string() : std::string("minus")) + std::string(start, end);
    } else if constexpr (std::is_convertible_v<T, const char*>) {
        const char* text = value;
        return text ? std::string(text) : std::string();
    } else if constexpr (std::is_convertible_v<T, std::string_view>) {
        return std::string(std::string_view(value));
    } else if constexpr (requires { value.toStdString(); }) {
        return value.toStdString();
    } else if constexpr (requires { value.begin(); value.end(); }) {
        std::string joined;
        for (const auto& item : value)
            joined += shownText(item) + " ";
        return joined;
    } else {
        return ::testing::PrintToString(value);
    }
}

/// The name generator of rows without a PrintTo: the case's index, then one
/// field of its row, as in FieldName<&Row::typed>().
template <auto Field> struct FieldName {
    template <typename P>
    std::string operator()(const ::testing::TestParamInfo<P>& row) const
    {
        return std::to_string(row.index) + "_" + testName(shownText(row.param.*Field));
    }
};

/// The name generator of plain values: a word, then the value, so that a
/// position or a size reads "Position3" rather than a bare index.
struct ValueName {
    const char* word;
    template <typename P>
    std::string operator()(const ::testing::TestParamInfo<P>& row) const
    {
        return word + testName(shownText(row.param));
    }
};

/// The name generator of values that say nothing by themselves (how many
/// prompts are answered before the one that is cancelled): one name per
/// value, in the order of the values, as in NamesInOrder({"First", "Second"}).
class NamesInOrder {
public:
    NamesInOrder(std::initializer_list<const char*> names) : names_(names) {}
    template <typename P>
    std::string operator()(const ::testing::TestParamInfo<P>& row) const
    {
        // A value without a name gets the empty one, which GoogleTest refuses loudly.
        return row.index < names_.size() ? std::string(names_[row.index]) : std::string();
    }

private:
    std::vector<const char*> names_;
};

} // namespace rov2::test
