#include "Lh5Decoder.h"

#include "Lh5Format.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace rov2::archive {

namespace {

constexpr std::size_t kInputChunk = std::size_t{1} << 16;
constexpr std::size_t kOutputChunk = std::size_t{1} << 16;
// Past the end of the input the bit buffer reads zero bytes; a whole stream
// never needs more of them than one lookup and its extra bits take.
constexpr std::size_t kOverrunSlack = 8;
constexpr std::uint32_t kHasCode = 1u << 31;
constexpr unsigned kCopyStep = 8;

std::uint32_t entry(unsigned symbol, unsigned length)
{
    return kHasCode | (length << 16) | symbol;
}

} // namespace

// The canonical code of @p lengths as a table indexed by the next bits:
// codes in order of length, and of symbol within one length. Patterns that
// no code starts stay without one; lengths that over-fill the code space fail.
bool Lh5Decoder::buildTable(std::span<const std::uint8_t> lengths, Table& table)
{
    std::array<std::uint32_t, lh5::kMaxCodeLength + 1> count{};
    for (const std::uint8_t len : lengths)
        ++count[len];
    count[0] = 0;
    int bits = 1;
    for (int len = 1; len <= lh5::kMaxCodeLength; ++len)
        if (count[static_cast<std::size_t>(len)] != 0)
            bits = len;
    std::array<std::uint32_t, lh5::kMaxCodeLength + 1> next{};
    std::uint32_t code = 0;
    std::uint64_t space = 0;
    for (std::size_t len = 1; len <= lh5::kMaxCodeLength; ++len) {
        code = (code + count[len - 1]) << 1;
        next[len] = code;
        space += static_cast<std::uint64_t>(count[len]) << (lh5::kMaxCodeLength - len);
    }
    if (space > (std::uint64_t{1} << lh5::kMaxCodeLength))
        return false;
    table.bits = bits;
    table.entries.assign(std::size_t{1} << bits, 0);
    for (std::size_t s = 0; s < lengths.size(); ++s) {
        const unsigned len = lengths[s];
        if (len == 0)
            continue;
        const std::uint32_t first = next[len]++ << (bits - static_cast<int>(len));
        std::fill_n(table.entries.begin() + first, std::size_t{1} << (bits - static_cast<int>(len)),
                    entry(static_cast<unsigned>(s), len));
    }
    return true;
}

Lh5Decoder::Lh5Decoder(Input input)
    : input_(std::move(input)), in_(kInputChunk),
      window_(lh5::kWindowSize + kOutputChunk + lh5::kMaxMatch + kCopyStep)
{
}

inline void Lh5Decoder::refill()
{
    if (bitCount_ >= 56)
        return;
    if (inEnd_ - inPos_ >= 8) {
        // As many whole bytes as fit, in one load.
        std::uint64_t next = 0;
        for (int i = 0; i < 8; ++i)
            next = (next << 8) | in_[inPos_ + static_cast<std::size_t>(i)];
        const int bytes = (63 - bitCount_) >> 3;
        bitBuffer_ |= (next >> (64 - 8 * bytes)) << (64 - bitCount_ - 8 * bytes);
        bitCount_ += 8 * bytes;
        inPos_ += static_cast<std::size_t>(bytes);
        return;
    }
    while (bitCount_ <= 56) {
        if (inPos_ == inEnd_ && !inputDone_) {
            inEnd_ = input_(std::span(in_));
            inPos_ = 0;
            inputDone_ = inEnd_ == 0;
        }
        std::uint64_t byte = 0;
        if (inPos_ < inEnd_)
            byte = in_[inPos_++];
        else
            ++overrun_;
        bitBuffer_ |= byte << (56 - bitCount_);
        bitCount_ += 8;
    }
}

std::uint32_t Lh5Decoder::bits(int count)
{
    if (count == 0)
        return 0;
    if (bitCount_ < count)
        refill();
    const auto value = static_cast<std::uint32_t>(bitBuffer_ >> (64 - count));
    bitBuffer_ <<= count;
    bitCount_ -= count;
    return value;
}

inline bool Lh5Decoder::symbol(const Table& table, unsigned& value)
{
    if (bitCount_ < table.bits)
        refill();
    const std::uint32_t e = table.entries[static_cast<std::size_t>(bitBuffer_ >> (64 - table.bits))];
    const int length = static_cast<int>((e >> 16) & 0xFFu);
    bitBuffer_ <<= length;
    bitCount_ -= length;
    value = e & 0xFFFFu;
    return (e & kHasCode) != 0;
}

bool Lh5Decoder::exhausted() const
{
    return overrun_ > kOverrunSlack;
}

// A tree of one symbol: a zero count, then the symbol; it takes no bits.
bool Lh5Decoder::readSingle(int countBits, unsigned symbols, Table& table)
{
    const unsigned only = bits(countBits);
    if (only >= symbols)
        return false;
    table.bits = 1;
    table.entries.assign(2, entry(only, 0));
    return true;
}

// The pre-tree's and the position tree's lengths: three bits each, 7 and
// more as 7 and one 1 bit per unit above it before a 0; after the entry at
// @p special, two bits count zero lengths to skip.
bool Lh5Decoder::readShortLengths(int countBits, unsigned symbols, int special, Table& table)
{
    const unsigned n = bits(countBits);
    if (n == 0)
        return readSingle(countBits, symbols, table);
    if (n > symbols)
        return false;
    std::array<std::uint8_t, lh5::kNumPreCodes> lengths{};
    for (unsigned i = 0; i < n;) {
        unsigned len = bits(3);
        while (len >= 7 && len <= lh5::kMaxCodeLength && bits(1) == 1)
            ++len;
        if (len > lh5::kMaxCodeLength || exhausted())
            return false;
        lengths[i++] = static_cast<std::uint8_t>(len);
        if (static_cast<int>(i) == special)
            i += bits(2);
    }
    return buildTable(std::span(lengths).first(symbols), table);
}

// The literal/length lengths, coded with the pre-tree: symbols 0..2 are
// runs of zero lengths (1, 3..18 with four more bits, 20.. with nine), the
// others a length of two less.
bool Lh5Decoder::readCodeLengths()
{
    const unsigned n = bits(lh5::kCountBits);
    if (n == 0)
        return readSingle(lh5::kCountBits, lh5::kNumCodes, codeTable_);
    if (n > lh5::kNumCodes)
        return false;
    std::array<std::uint8_t, lh5::kNumCodes> lengths{};
    for (unsigned i = 0; i < n;) {
        unsigned pre = 0;
        if (!symbol(preTable_, pre) || exhausted())
            return false;
        if (pre > 2) {
            lengths[i++] = static_cast<std::uint8_t>(pre - 2);
            continue;
        }
        const unsigned run = pre == 0 ? 1 : pre == 1 ? bits(4) + 3 : bits(lh5::kCountBits) + 20;
        if (i + run > n)
            return false;
        i += run; // the lengths are zero already
    }
    return buildTable(lengths, codeTable_);
}

bool Lh5Decoder::startBlock()
{
    blockLeft_ = bits(16);
    return readShortLengths(lh5::kPreBits, lh5::kNumPreCodes, 3, preTable_) && readCodeLengths() &&
           readShortLengths(lh5::kPosBits, lh5::kNumPositions, 0, positionTable_) && !exhausted();
}

// Hands on what was decoded beyond the window and keeps the window.
ArchiveStatus Lh5Decoder::flush(std::uint64_t& left, const Output& output)
{
    const std::size_t made = fill_ - lh5::kWindowSize;
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(made, left));
    left -= n;
    if (ArchiveStatus status = output(std::span(window_).subspan(lh5::kWindowSize, n)); !status)
        return status;
    std::memmove(window_.data(), window_.data() + made, lh5::kWindowSize);
    fill_ = lh5::kWindowSize;
    return ArchiveStatus::success();
}

// One literal or match of the current block into the window.
// @return the bytes it made, 0 for data that cannot be decoded.
unsigned Lh5Decoder::step()
{
    while (blockLeft_ == 0)
        if (!startBlock())
            return 0;
    --blockLeft_;
    refill();
    unsigned code = 0;
    if (!symbol(codeTable_, code) || exhausted())
        return 0;
    if (code < 256) {
        window_[fill_++] = static_cast<std::uint8_t>(code);
        return 1;
    }
    unsigned position = 0;
    if (!symbol(positionTable_, position))
        return 0;
    const std::uint32_t offset =
        position <= 1 ? position : (1u << (position - 1)) | bits(static_cast<int>(position) - 1);
    const unsigned length = code - 256 + lh5::kMinMatch;
    const std::uint8_t* from = window_.data() + fill_ - offset - 1;
    std::uint8_t* to = window_.data() + fill_;
    if (offset + 1 >= kCopyStep) {
        // Whole steps, up to kCopyStep - 1 bytes past the match into the
        // window's spare room: what they write is written again later.
        for (unsigned i = 0; i < length; i += kCopyStep)
            std::memcpy(to + i, from + i, kCopyStep);
    } else {
        // Byte by byte: the match overlaps the bytes it makes.
        for (unsigned i = 0; i < length; ++i)
            to[i] = from[i];
    }
    fill_ += length;
    return length;
}

ArchiveStatus Lh5Decoder::decode(std::uint64_t size, const Output& output)
{
    std::fill_n(window_.begin(), lh5::kWindowSize, ' ');
    fill_ = lh5::kWindowSize;
    std::uint64_t left = size;
    for (std::uint64_t made = 0; made < size;) {
        const unsigned n = step();
        if (n == 0)
            return ArchiveStatus::failure("圧縮データが壊れています");
        made += n;
        if (fill_ >= lh5::kWindowSize + kOutputChunk)
            if (ArchiveStatus status = flush(left, output); !status)
                return status;
    }
    return flush(left, output);
}

} // namespace rov2::archive
