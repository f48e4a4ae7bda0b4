// Our -lh5- decoder against liblhasa's: the same bytes out of the same data,
// fed in pieces of any size, and damaged data refused.
#include "Lh5Decoder.h"

#include "ArchiveTestSupport.h"
#include "BitWriter.h"
#include "Lh5BlockWriter.h"
#include "Lh5Encoder.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace rov2::archive::test {
namespace {

Bytes encode(const Bytes& input)
{
    Lh5Encoder encoder;
    encoder.write(input);
    encoder.finish();
    return encoder.output();
}

struct Decoded
{
    bool ok = false;
    Bytes bytes;
};

// Decodes @p packed handing it over @p piece bytes at a time.
Decoded decode(const Bytes& packed, std::size_t size, std::size_t piece)
{
    std::size_t at = 0;
    Lh5Decoder decoder([&](std::span<std::uint8_t> buffer) {
        const std::size_t n = std::min({buffer.size(), piece, packed.size() - at});
        std::copy_n(packed.begin() + static_cast<std::ptrdiff_t>(at), n, buffer.begin());
        at += n;
        return n;
    });
    Decoded out;
    out.ok = decoder
                 .decode(size,
                         [&](std::span<const std::uint8_t> data) {
                             out.bytes.insert(out.bytes.end(), data.begin(), data.end());
                             return ArchiveStatus::success();
                         })
                 .ok();
    return out;
}

struct DecoderCase
{
    const char* name;
    std::function<Bytes()> make;
    std::size_t piece;
};

class Lh5DecoderRoundTrip : public ::testing::TestWithParam<DecoderCase>
{
};

TEST_P(Lh5DecoderRoundTrip, GivesBackTheOriginal)
{
    const Bytes input = GetParam().make();
    const Decoded decoded = decode(encode(input), input.size(), GetParam().piece);
    EXPECT_TRUE(decoded.ok);
    EXPECT_TRUE(decoded.bytes == input) << "decoded bytes differ";
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, Lh5DecoderRoundTrip,
    ::testing::Values(DecoderCase{"OneByte", [] { return Bytes{0x41}; }, 1},
                      DecoderCase{"ZeroRun", [] { return Bytes(300000, 0); }, 7},
                      DecoderCase{"Random", [] { return randomBytes(200000); }, 65536},
                      DecoderCase{"SeveralBlocks", [] { return lowEntropyBytes(3 * 65536 + 17); }, 1000},
                      DecoderCase{"TextPastTheOutputChunk", [] { return recordText(1'000'000); }, 4093},
                      DecoderCase{"TextByteByByte", [] { return recordText(20000); }, 1}),
    [](const auto& row) { return std::string(row.param.name); });

// Before the first byte lies what LHA's decoders always put there; liblhasa
// tells what that is.
TEST(Lh5Decoder, AMatchBeforeTheStartReadsWhatLiblhasaReads)
{
    BitWriter bits;
    Lh5BlockWriter blocks(bits);
    blocks.match(20, 8192);
    blocks.literal('x');
    blocks.match(5, 3);
    blocks.finish();
    bits.flushFinal();
    const Decoded ours = decode(bits.bytes(), 26, 64);
    ASSERT_TRUE(ours.ok);
    EXPECT_TRUE(ours.bytes == lhasaDecode(bits.bytes(), 26));
}

struct DamageCase
{
    const char* name;
    std::function<void(Bytes&)> damage;
};

class Lh5DecoderDamage : public ::testing::TestWithParam<DamageCase>
{
};

// Damaged data must fail or come out different, for the CRC to catch; it
// must never hang or read outside its buffers.
TEST_P(Lh5DecoderDamage, NeverGivesTheOriginal)
{
    const Bytes input = recordText(300000);
    Bytes packed = encode(input);
    GetParam().damage(packed);
    const Decoded decoded = decode(packed, input.size(), 65536);
    EXPECT_FALSE(decoded.ok && decoded.bytes == input);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Lh5DecoderDamage,
    ::testing::Values(DamageCase{"CutInHalf", [](Bytes& b) { b.resize(b.size() / 2); }},
                      DamageCase{"CutToTheBlockHeader", [](Bytes& b) { b.resize(2); }},
                      DamageCase{"Empty", [](Bytes& b) { b.clear(); }},
                      DamageCase{"FlippedInTheTrees", [](Bytes& b) { b[5] ^= 0xFF; }},
                      DamageCase{"FlippedInTheMiddle", [](Bytes& b) { b[b.size() / 2] ^= 0x10; }},
                      DamageCase{"AllOnes", [](Bytes& b) { std::fill(b.begin(), b.end(), 0xFF); }}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace rov2::archive::test
