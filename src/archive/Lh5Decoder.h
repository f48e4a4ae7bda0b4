#pragma once

#include "ArchiveStatus.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace rov2::archive {

/// Decodes -lh5- data, whichever program wrote it: the reverse of
/// Lh5Encoder's blocks. Matches that reach back before the first byte read
/// blanks, as LHA's decoders have always had it.
///
/// Damaged data fails instead of being guessed at: lengths that form no
/// prefix code, a bit pattern without a code, input that runs out. The
/// caller still checks the CRC of what came out.
class Lh5Decoder
{
public:
    /// Fills the span with the next compressed bytes; @return how many, 0 at the end.
    using Input = std::function<std::size_t(std::span<std::uint8_t>)>;
    /// Takes the next piece of the original bytes.
    using Output = std::function<ArchiveStatus(std::span<const std::uint8_t>)>;

    explicit Lh5Decoder(Input input);

    /// Decodes the first @p size original bytes and hands them on in pieces.
    ArchiveStatus decode(std::uint64_t size, const Output& output);

private:
    /// A code looked up by the next @c bits bits (as many as its longest
    /// code has, so that small trees stay small in the cache): the symbol,
    /// its length and whether the pattern has a code at all.
    struct Table
    {
        std::vector<std::uint32_t> entries;
        int bits = 1;
    };

    static bool buildTable(std::span<const std::uint8_t> lengths, Table& table);
    void refill();
    std::uint32_t bits(int count);
    bool symbol(const Table& table, unsigned& value);
    bool startBlock();
    unsigned step();
    bool readShortLengths(int countBits, unsigned symbols, int special, Table& table);
    bool readCodeLengths();
    bool readSingle(int countBits, unsigned symbols, Table& table);
    ArchiveStatus flush(std::uint64_t& left, const Output& output);
    bool exhausted() const;

    Input input_;
    std::vector<std::uint8_t> in_;
    std::size_t inPos_ = 0;
    std::size_t inEnd_ = 0;
    bool inputDone_ = false;
    std::size_t overrun_ = 0; // zero bytes fed past the end of the input
    std::uint64_t bitBuffer_ = 0;
    int bitCount_ = 0;

    Table preTable_;
    Table codeTable_;
    Table positionTable_;
    unsigned blockLeft_ = 0;

    std::vector<std::uint8_t> window_;
    std::size_t fill_ = 0;
};

} // namespace rov2::archive
