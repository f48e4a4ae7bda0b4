#include "Crc16.h"

#include "ArchiveTestSupport.h"

#include <gtest/gtest.h>

namespace rov2::archive::test {
namespace {

// Bit by bit, straight from the polynomial: the reference the table-driven
// code must agree with.
std::uint16_t bitwiseCrc(std::span<const std::uint8_t> data)
{
    unsigned crc = 0;
    for (const std::uint8_t b : data) {
        crc ^= b;
        for (int i = 0; i < 8; ++i)
            crc = (crc & 1u) ? (crc >> 1) ^ 0xA001u : crc >> 1;
    }
    return static_cast<std::uint16_t>(crc);
}

TEST(Crc16, MatchesThePublishedCheckValue)
{
    const std::string check = "123456789";
    EXPECT_EQ(Crc16::of(std::span(reinterpret_cast<const std::uint8_t*>(check.data()), check.size())),
              0xBB3D);
    EXPECT_EQ(Crc16::of({}), 0);
}

TEST(Crc16, AgreesWithTheBitwiseReferenceForEveryLengthAndSplit)
{
    const Bytes data = randomBytes(67, 9);
    for (std::size_t length = 0; length <= data.size(); ++length) {
        const std::span<const std::uint8_t> whole(data.data(), length);
        const std::uint16_t expected = bitwiseCrc(whole);
        ASSERT_EQ(Crc16::of(whole), expected) << "length " << length;
        for (std::size_t split = 0; split <= length; split += 5) {
            Crc16 crc;
            crc.update(whole.first(split));
            crc.update(whole.subspan(split));
            ASSERT_EQ(crc.value(), expected) << "length " << length << " split " << split;
        }
    }
}

} // namespace
} // namespace rov2::archive::test
