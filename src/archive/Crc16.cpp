#include "Crc16.h"

#include <array>

namespace rov2::archive {

namespace {

// Eight tables, so that the loop can take eight input bytes per step
// ("slicing by eight"): the CRC of a 58 MB data file should not cost more
// than a small part of the compression time.
using Tables = std::array<std::array<std::uint16_t, 256>, 8>;

constexpr Tables makeTables()
{
    Tables t{};
    for (unsigned i = 0; i < 256; ++i) {
        unsigned r = i;
        for (int bit = 0; bit < 8; ++bit)
            r = (r & 1u) ? (r >> 1) ^ 0xA001u : r >> 1;
        t[0][i] = static_cast<std::uint16_t>(r);
    }
    for (unsigned i = 0; i < 256; ++i)
        for (std::size_t k = 1; k < 8; ++k)
            t[k][i] = static_cast<std::uint16_t>((t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFFu]);
    return t;
}

constexpr Tables kTables = makeTables();

} // namespace

void Crc16::update(std::span<const std::uint8_t> data)
{
    unsigned crc = value_;
    const std::uint8_t* p = data.data();
    std::size_t n = data.size();
    for (; n >= 8; n -= 8, p += 8) {
        crc ^= static_cast<unsigned>(p[0]) | (static_cast<unsigned>(p[1]) << 8);
        crc = kTables[7][crc & 0xFFu] ^ kTables[6][crc >> 8] ^ kTables[5][p[2]] ^ kTables[4][p[3]] ^
              kTables[3][p[4]] ^ kTables[2][p[5]] ^ kTables[1][p[6]] ^ kTables[0][p[7]];
    }
    for (; n > 0; --n, ++p)
        crc = (crc >> 8) ^ kTables[0][(crc ^ *p) & 0xFFu];
    value_ = static_cast<std::uint16_t>(crc);
}

std::uint16_t Crc16::of(std::span<const std::uint8_t> data)
{
    Crc16 crc;
    crc.update(data);
    return crc.value();
}

} // namespace rov2::archive
