#pragma once

#include "Lh5Options.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace rov2::archive {

/// One match: @c length bytes that repeat the bytes @c distance back.
struct Match
{
    unsigned length = 0;
    unsigned distance = 0;
};

/// The sliding input buffer of the LH5 encoder and its hash chains.
///
/// Positions are absolute offsets in the input, so that the chains survive
/// the buffer sliding. Every position is inserted exactly once, in order;
/// find() both inserts the position and searches the chain it joins.
///
/// The chains link positions with the same four-byte hash; three-byte matches
/// come from a table that keeps only the newest position per three-byte hash.
/// Chaining on three bytes would fill the chains of Japanese text with the
/// countless repeats of single three-byte characters.
class MatchFinder
{
public:
    explicit MatchFinder(const Lh5Options& options);

    /// Copies as much of @p data as fits, first sliding out history that lies
    /// more than a window before @p cursor when the buffer is full.
    /// @param cursor the first position the encoder has not coded yet.
    /// @return number of bytes taken.
    std::size_t append(std::span<const std::uint8_t> data, std::uint32_t cursor);
    /// @return the absolute position one past the last buffered byte.
    std::uint32_t end() const { return base_ + static_cast<std::uint32_t>(fill_); }
    /// @return true when the buffer holds no room for more input.
    bool full() const { return fill_ == buffer_.size() - kPadding; }

    /// Inserts @p pos into the chains and finds its longest earlier match.
    /// @param pos the next position not yet inserted.
    /// @param mustBeat only matches longer than this count.
    /// @param chain how many candidates to try.
    /// @return the best match, length 0 when none beats @p mustBeat.
    Match find(std::uint32_t pos, unsigned mustBeat, int chain);
    /// Inserts every position from the next uninserted one up to @p upTo (exclusive).
    void insertUpTo(std::uint32_t upTo);
    /// @return the first position not yet inserted.
    std::uint32_t nextInsert() const { return nextInsert_; }
    /// @return the byte at absolute position @p pos (still buffered).
    std::uint8_t at(std::uint32_t pos) const { return buffer_[pos - base_]; }

private:
    static constexpr std::size_t kPadding = 16;

    void slide(std::uint32_t cursor);
    std::uint32_t read32(std::uint32_t pos) const;
    void insert(std::uint32_t pos, std::uint32_t word);
    Match searchChain(std::uint32_t pos, std::uint32_t distance, unsigned bestLen, unsigned limit,
                      int chain) const;
    unsigned matchLength(const std::uint8_t* a, const std::uint8_t* b, unsigned limit) const;

    Lh5Options options_;
    std::vector<std::uint8_t> buffer_;
    std::size_t fill_ = 0;
    std::uint32_t base_ = 0;
    std::uint32_t nextInsert_ = 0;
    // The tables hold 16-bit values to stay small in the cache: the heads the
    // low 16 bits of a position, the chain the distance to the previous
    // position with the same hash (0: none within the window).
    std::vector<std::uint16_t> head3_; // newest position per three-byte hash
    std::vector<std::uint16_t> head4_; // newest position per four-byte hash
    std::vector<std::uint16_t> prev_;  // chain of the four-byte hash
};

} // namespace rov2::archive
