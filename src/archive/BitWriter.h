#pragma once

#include <cstdint>
#include <vector>

namespace rov2::archive {

/// Packs bit fields most significant bit first, as the LZH formats read them,
/// into a growing byte buffer that the owner drains.
class BitWriter
{
public:
    /// @param count 0..32 bits.
    /// @param value the field; only its low @p count bits are used.
    void put(int count, std::uint32_t value)
    {
        if (count == 0)
            return;
        acc_ = (acc_ << count) | (value & (0xFFFFFFFFu >> (32 - count)));
        used_ += count;
        if (used_ >= 32)
            spill();
    }

    /// Writes the last partial byte, its unused low bits zero: one reader
    /// refuses a stream whose padding bits are not zero.
    void flushFinal();

    /// @return the complete bytes written so far.
    std::vector<std::uint8_t>& bytes() { return out_; }

private:
    void spill();

    std::uint64_t acc_ = 0;
    int used_ = 0;
    std::vector<std::uint8_t> out_;
};

} // namespace rov2::archive
