#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace rov2::archive {

/// A prefix code for one alphabet: code lengths built from symbol counts,
/// limited to a maximum length, and the canonical code values that LZH
/// readers derive from those lengths (shorter codes first; within one length,
/// lower symbols first).
class HuffmanCode
{
public:
    /// Builds lengths from @p frequencies. With two or more used symbols the
    /// code is complete (the Kraft sum is exactly one), which 7-Zip insists on.
    /// With one used symbol it gets length 0 (the format's single-symbol tree).
    /// @param frequencies count per symbol; zero means the symbol is absent.
    /// @param maxLength longest allowed code, at least log2 of the used symbols.
    explicit HuffmanCode(std::span<const std::uint32_t> frequencies, int maxLength);

    /// @return length per symbol, 0 for unused symbols.
    const std::vector<std::uint8_t>& lengths() const { return lengths_; }
    /// @return canonical code per symbol (valid where the length is non-zero).
    const std::vector<std::uint16_t>& codes() const { return codes_; }
    /// @return number of symbols with a non-zero frequency.
    int usedSymbols() const { return used_; }
    /// @return the only used symbol when usedSymbols() is 1, else 0.
    unsigned singleSymbol() const { return single_; }
    /// @return the bits the data costs: sum of frequency times length.
    std::uint64_t dataBits(std::span<const std::uint32_t> frequencies) const;

    /// @param lengths code length per symbol.
    /// @return canonical codes for @p lengths.
    static std::vector<std::uint16_t> canonicalCodes(std::span<const std::uint8_t> lengths);

private:
    void buildLengths(std::span<const std::uint32_t> frequencies, int maxLength);

    std::vector<std::uint8_t> lengths_;
    std::vector<std::uint16_t> codes_;
    int used_ = 0;
    unsigned single_ = 0;
};

} // namespace rov2::archive
