#pragma once

#include "BitWriter.h"
#include "Lh5Format.h"

#include <array>
#include <cstdint>
#include <vector>

namespace rov2::archive {

class HuffmanCode;

/// Collects the literals and matches of the LZ77 parse and writes them as
/// -lh5- blocks, each with its own three Huffman trees.
///
/// Block boundaries follow the data: codes arrive in chunks, and a chunk
/// starts a new block when coding it with trees of its own is cheaper than
/// coding it with the trees of the block so far (a database file changes
/// character between table pages, index pages and free space).
class Lh5BlockWriter
{
public:
    /// @param out receives the coded blocks.
    explicit Lh5BlockWriter(BitWriter& out);

    void literal(std::uint8_t byte)
    {
        tokens_.push_back(byte);
        ++chunkCodes_[byte];
        if (tokens_.size() - chunkStart_ >= kChunkCodes)
            endChunk();
    }
    /// @param length 3..256.
    /// @param distance 1..8192.
    void match(unsigned length, unsigned distance)
    {
        const unsigned code = 256 + length - lh5::kMinMatch;
        const unsigned p = distance - 1;
        tokens_.push_back(code | (p << 16));
        ++chunkCodes_[code];
        ++chunkPositions_[lh5::positionCode(distance)];
        if (tokens_.size() - chunkStart_ >= kChunkCodes)
            endChunk();
    }
    /// Writes every pending code. The bit stream is left open.
    void finish();

private:
    static constexpr std::size_t kChunkCodes = 4096;

    using CodeCounts = std::array<std::uint32_t, lh5::kNumCodes>;
    using PositionCounts = std::array<std::uint32_t, lh5::kNumPositions>;

    void endChunk();
    void writeBlock(std::size_t count);
    void writeCodes(std::size_t count, const HuffmanCode& codes, const HuffmanCode& positions);

    BitWriter& out_;
    std::vector<std::uint32_t> tokens_;
    std::size_t chunkStart_ = 0;
    CodeCounts blockCodes_{};
    PositionCounts blockPositions_{};
    CodeCounts chunkCodes_{};
    PositionCounts chunkPositions_{};
    double blockCost_ = 0;
};

} // namespace rov2::archive
