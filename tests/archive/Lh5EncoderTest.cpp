#include "Lh5Encoder.h"

#include "ArchiveTestSupport.h"

#include <functional>
#include <gtest/gtest.h>

namespace rov2::archive::test {
namespace {

Bytes encode(const Bytes& input, std::size_t piece, const Lh5Options& options = {})
{
    Lh5Encoder encoder(options);
    Bytes out;
    for (std::size_t at = 0; at < input.size(); at += piece) {
        encoder.write(std::span(input).subspan(at, std::min(piece, input.size() - at)));
        out.insert(out.end(), encoder.output().begin(), encoder.output().end());
        encoder.output().clear();
    }
    encoder.finish();
    out.insert(out.end(), encoder.output().begin(), encoder.output().end());
    return out;
}

Bytes repeated(const Bytes& unit, std::size_t times)
{
    Bytes out;
    for (std::size_t i = 0; i < times; ++i)
        out.insert(out.end(), unit.begin(), unit.end());
    return out;
}

struct EncoderCase
{
    const char* name;
    std::function<Bytes()> make;
    std::size_t piece; // bytes per write() call
};

void PrintTo(const EncoderCase& c, std::ostream* os)
{
    *os << c.name;
}

class Lh5RoundTrip : public ::testing::TestWithParam<EncoderCase>
{
};

TEST_P(Lh5RoundTrip, LiblhasaDecodesTheOriginal)
{
    const Bytes input = GetParam().make();
    const Bytes packed = encode(input, GetParam().piece);
    EXPECT_EQ(packed.empty(), input.empty());
    const Bytes decoded = lhasaDecode(packed, input.size());
    ASSERT_EQ(decoded.size(), input.size());
    EXPECT_TRUE(decoded == input) << "decoded bytes differ";
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, Lh5RoundTrip,
    ::testing::Values(EncoderCase{"Empty", [] { return Bytes{}; }, 1},
                      EncoderCase{"OneByte", [] { return Bytes{0x41}; }, 1},
                      EncoderCase{"TwoBytes",
                                  [] {
                                      return Bytes{0x00, 0xFF};
                                  },
                                  1},
                      EncoderCase{"ZeroRun", [] { return Bytes(100000, 0); }, 65536},
                      EncoderCase{"WindowMinusOne", [] { return recordText(8191); }, 4096},
                      EncoderCase{"Window", [] { return recordText(8192); }, 4096},
                      EncoderCase{"WindowPlusOne", [] { return recordText(8193); }, 4096},
                      EncoderCase{"RepeatAtFullWindow", [] { return repeated(randomBytes(8192), 3); }, 1000},
                      EncoderCase{"RepeatJustPastWindow", [] { return repeated(randomBytes(8193), 3); },
                                  1000},
                      EncoderCase{"Random", [] { return randomBytes(300000); }, 65536},
                      EncoderCase{"BlockOfLiterals", [] { return lowEntropyBytes(65535); }, 65536},
                      EncoderCase{"BlockOfLiteralsPlusOne", [] { return lowEntropyBytes(65536); }, 65536},
                      EncoderCase{"SeveralBlocks", [] { return lowEntropyBytes(3 * 65536 + 17); }, 65536},
                      EncoderCase{"TextInOddPieces", [] { return recordText(2'500'000); }, 4093},
                      EncoderCase{"TextByteByByte", [] { return recordText(20000); }, 1},
                      EncoderCase{"LongMatches", [] { return repeated(recordText(700), 2000); }, 1024 * 1024}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Lh5Encoder, FindsAMatchAFullWindowBack)
{
    // The second copy lies exactly 8192 bytes back: it must cost a few
    // dozen bytes, not another 8 KiB of literals.
    const Bytes input = repeated(randomBytes(8192), 2);
    EXPECT_LT(encode(input, input.size()).size(), 8192u + 200u);
}

TEST(Lh5Encoder, MoreEffortDoesNotGiveLargerOutputOnText)
{
    const Bytes input = recordText(400000);
    Lh5Options fast;
    fast.maxChain = 2;
    fast.lazyLimit = 0;
    const std::size_t quick = encode(input, input.size(), fast).size();
    const std::size_t normal = encode(input, input.size()).size();
    EXPECT_LT(normal, quick);
    EXPECT_LT(normal, input.size() / 3);
}

} // namespace
} // namespace rov2::archive::test
