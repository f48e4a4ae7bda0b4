#pragma once

#include <bit>
#include <cstdint>

/// Numbers that define the -lh5- format. Writer and tests share them; a
/// decoder built for another value of any of them reads the data wrongly.
namespace rov2::archive::lh5 {

inline constexpr int kWindowBits = 13;
/// Matches reach at most this far back (8 KiB).
inline constexpr unsigned kWindowSize = 1u << kWindowBits;
inline constexpr unsigned kMinMatch = 3;
inline constexpr unsigned kMaxMatch = 256;

/// Literal/length alphabet: 256 byte values, then lengths 3..256.
inline constexpr unsigned kNumCodes = 256 + kMaxMatch - kMinMatch + 1; // 510
/// Position alphabet: the bit length of (distance - 1), 0..13.
inline constexpr unsigned kNumPositions = kWindowBits + 1; // 14
/// Pre-tree alphabet that codes the literal/length code lengths.
inline constexpr unsigned kNumPreCodes = 19;

/// Field widths of the block header.
inline constexpr int kCountBits = 9; // number of literal/length lengths
inline constexpr int kPreBits = 5;   // number of pre-tree lengths
inline constexpr int kPosBits = 4;   // number of position lengths

/// Longest Huffman code any reader accepts.
inline constexpr int kMaxCodeLength = 16;
/// A block holds at most this many codes (its 16-bit count field).
inline constexpr unsigned kMaxBlockCodes = 65535;

/// @param distance 1..kWindowSize.
/// @return the position code for @p distance.
constexpr unsigned positionCode(unsigned distance)
{
    return static_cast<unsigned>(std::bit_width(distance - 1));
}

} // namespace rov2::archive::lh5
