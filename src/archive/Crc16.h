#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace rov2::archive {

/// The CRC-16 of LZH archives (polynomial 0x8005, reflected, initial value 0),
/// used both for the member data and for the level-2 header check.
class Crc16
{
public:
    /// @param data bytes to add to the running value.
    void update(std::span<const std::uint8_t> data);
    /// @return the CRC of everything added so far.
    std::uint16_t value() const { return value_; }

    /// @param data the whole input.
    /// @return the CRC of @p data alone.
    static std::uint16_t of(std::span<const std::uint8_t> data);

private:
    std::uint16_t value_ = 0;
};

} // namespace rov2::archive
