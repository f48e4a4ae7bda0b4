#include "HuffmanCode.h"
#include "TestNames.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <queue>

namespace rov2::archive::test {
namespace {

double kraftSum(const std::vector<std::uint8_t>& lengths)
{
    double sum = 0;
    for (const std::uint8_t len : lengths)
        if (len != 0)
            sum += 1.0 / static_cast<double>(1u << len);
    return sum;
}

// Cost of an optimal unrestricted code: the sum of all merged weights.
std::uint64_t optimalCost(const std::vector<std::uint32_t>& frequencies)
{
    std::priority_queue<std::uint64_t, std::vector<std::uint64_t>, std::greater<>> heap;
    for (const std::uint32_t f : frequencies)
        if (f != 0)
            heap.push(f);
    std::uint64_t cost = 0;
    while (heap.size() > 1) {
        const std::uint64_t a = heap.top();
        heap.pop();
        const std::uint64_t b = heap.top();
        heap.pop();
        cost += a + b;
        heap.push(a + b);
    }
    return cost;
}

struct LengthCase
{
    std::vector<std::uint32_t> frequencies;
    std::vector<std::uint8_t> lengths;
};

void PrintTo(const LengthCase& c, std::ostream* os)
{
    *os << c.frequencies.size() << " symbols";
}

class HuffmanLengths : public ::testing::TestWithParam<LengthCase>
{
};

TEST_P(HuffmanLengths, AreTheOptimalOnes)
{
    const HuffmanCode code(GetParam().frequencies, 16);
    EXPECT_EQ(code.lengths(), GetParam().lengths);
}

INSTANTIATE_TEST_SUITE_P(SmallAlphabets, HuffmanLengths,
                         ::testing::Values(LengthCase{{1, 1}, {1, 1}}, LengthCase{{4, 1, 2, 1}, {1, 3, 2, 3}},
                                           LengthCase{{0, 5, 0, 5, 5, 5}, {0, 2, 0, 2, 2, 2}},
                                           LengthCase{{0, 7, 0}, {0, 0, 0}}, LengthCase{{0, 0}, {0, 0}}), ::rov2::test::PrintedName());

TEST(HuffmanCode, OneUsedSymbolIsTheSingleSymbolTree)
{
    const HuffmanCode code(std::vector<std::uint32_t>{0, 0, 9, 0}, 16);
    EXPECT_EQ(code.usedSymbols(), 1);
    EXPECT_EQ(code.singleSymbol(), 2u);
}

TEST(HuffmanCode, LimitsDeepTreesAndStaysComplete)
{
    // Fibonacci counts make a tree as deep as there are symbols.
    std::vector<std::uint32_t> frequencies{1, 1};
    while (frequencies.size() < 30)
        frequencies.push_back(frequencies[frequencies.size() - 1] + frequencies[frequencies.size() - 2]);
    const HuffmanCode code(frequencies, 16);
    EXPECT_EQ(*std::max_element(code.lengths().begin(), code.lengths().end()), 16);
    EXPECT_DOUBLE_EQ(kraftSum(code.lengths()), 1.0);
    for (std::size_t s = 1; s < frequencies.size(); ++s)
        EXPECT_LE(code.lengths()[s], code.lengths()[s - 1]) << "a more frequent symbol got a longer code";
}

TEST(HuffmanCode, IsOptimalWhenTheLimitDoesNotBite)
{
    std::vector<std::uint32_t> frequencies(510);
    for (std::size_t s = 0; s < frequencies.size(); ++s)
        frequencies[s] = static_cast<std::uint32_t>((s * 7919) % 1000 + (s % 3 == 0 ? 0 : 1));
    const HuffmanCode code(frequencies, 16);
    EXPECT_EQ(code.dataBits(frequencies), optimalCost(frequencies));
    EXPECT_DOUBLE_EQ(kraftSum(code.lengths()), 1.0);
}

TEST(HuffmanCode, CanonicalCodesPutShortCodesAndLowSymbolsFirst)
{
    const std::vector<std::uint8_t> lengths{2, 1, 3, 3, 0};
    const std::vector<std::uint16_t> expected{0b10, 0b0, 0b110, 0b111, 0};
    EXPECT_EQ(HuffmanCode::canonicalCodes(lengths), expected);
}

} // namespace
} // namespace rov2::archive::test
