#include "Lh5BlockWriter.h"

#include "HuffmanCode.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace rov2::archive {

namespace {

// Size of the zero-length runs the literal/length lengths are coded with:
// pre-tree symbol 0 is one zero, 1 is 3..18 zeros (4 more bits), 2 is 20 or
// more (9 more bits); a run of 19 is coded as 1 + 18.
template <typename Emit> void forEachLengthSymbol(std::span<const std::uint8_t> lengths, Emit emit)
{
    std::size_t n = lengths.size();
    while (n > 0 && lengths[n - 1] == 0)
        --n;
    for (std::size_t i = 0; i < n;) {
        if (lengths[i] != 0) {
            emit(lengths[i++] + 2u, 0, 0u);
            continue;
        }
        unsigned run = 0;
        while (i < n && lengths[i] == 0) {
            ++run;
            ++i;
        }
        if (run <= 2) {
            for (unsigned k = 0; k < run; ++k)
                emit(0u, 0, 0u);
        } else if (run <= 18) {
            emit(1u, 4, run - 3);
        } else if (run == 19) {
            emit(0u, 0, 0u);
            emit(1u, 4, 15u);
        } else {
            emit(2u, lh5::kCountBits, run - 20);
        }
    }
}

std::size_t usedLength(std::span<const std::uint8_t> lengths)
{
    std::size_t n = lengths.size();
    while (n > 0 && lengths[n - 1] == 0)
        --n;
    return n;
}

// Lengths of the pre-tree and of the position tree: three bits for 0..6,
// longer ones as 7 followed by one 1 bit per extra unit and a closing 0.
// After the entry at @p special, two bits skip up to three zero entries.
void writeShortLengths(BitWriter& out, std::span<const std::uint8_t> lengths, int countBits,
                       std::size_t special)
{
    const std::size_t n = usedLength(lengths);
    out.put(countBits, static_cast<std::uint32_t>(n));
    for (std::size_t i = 0; i < n;) {
        const unsigned len = lengths[i++];
        if (len <= 6)
            out.put(3, len);
        else
            out.put(static_cast<int>(len) - 3, (1u << (len - 3)) - 2);
        if (i == special) {
            std::size_t zeros = 0;
            while (i < std::min<std::size_t>(n, 6) && lengths[i] == 0) {
                ++i;
                ++zeros;
            }
            out.put(2, static_cast<std::uint32_t>(zeros));
        }
    }
}

void writeSingle(BitWriter& out, int bits, unsigned symbol)
{
    out.put(bits, 0);
    out.put(bits, symbol);
}

void writeCodeTree(BitWriter& out, const HuffmanCode& codes)
{
    if (codes.usedSymbols() < 2) {
        writeSingle(out, lh5::kPreBits, 0);
        writeSingle(out, lh5::kCountBits, codes.singleSymbol());
        return;
    }
    std::array<std::uint32_t, lh5::kNumPreCodes> preCounts{};
    forEachLengthSymbol(codes.lengths(), [&](unsigned sym, int, unsigned) { ++preCounts[sym]; });
    const HuffmanCode pre(preCounts, lh5::kMaxCodeLength);
    if (pre.usedSymbols() < 2)
        writeSingle(out, lh5::kPreBits, pre.singleSymbol());
    else
        writeShortLengths(out, pre.lengths(), lh5::kPreBits, 3);
    out.put(lh5::kCountBits, static_cast<std::uint32_t>(usedLength(codes.lengths())));
    const auto& len = pre.lengths();
    const auto& code = pre.codes();
    forEachLengthSymbol(codes.lengths(), [&](unsigned sym, int extraBits, unsigned extra) {
        out.put(len[sym], code[sym]);
        out.put(extraBits, extra);
    });
}

void writePositionTree(BitWriter& out, const HuffmanCode& positions)
{
    if (positions.usedSymbols() < 2)
        writeSingle(out, lh5::kPosBits, positions.singleSymbol());
    else
        writeShortLengths(out, positions.lengths(), lh5::kPosBits, 0);
}

// log2 of 0..kLogTableSize-1 in a table, for cost estimates of counts.
constexpr std::size_t kLogTableSize = 2 * lh5::kMaxBlockCodes + 2;

const std::vector<float>& log2Table()
{
    static const std::vector<float> table = [] {
        std::vector<float> t(kLogTableSize, 0.0f);
        for (std::size_t i = 1; i < t.size(); ++i)
            t[i] = static_cast<float>(std::log2(static_cast<double>(i)));
        return t;
    }();
    return table;
}

// Entropy of a histogram in bits: close enough to its Huffman cost to decide
// where blocks end, at a fraction of the price of building the trees.
template <typename Counts> double entropyBits(const Counts& counts, int& used)
{
    const std::vector<float>& log2 = log2Table();
    std::uint32_t total = 0;
    double sum = 0;
    for (const std::uint32_t c : counts) {
        total += c;
        sum += static_cast<double>(c) * log2[c];
        used += c != 0;
    }
    return static_cast<double>(total) * log2[total] - sum;
}

// Bits a block would take: its codes with trees of its own, and a rough
// figure for the trees themselves. Extra position bits are left out, since
// they are the same however the codes are split into blocks.
template <typename Codes, typename Positions> double blockBits(const Codes& codes, const Positions& positions)
{
    int usedCodes = 0, usedPositions = 0;
    const double data = entropyBits(codes, usedCodes) + entropyBits(positions, usedPositions);
    return data + 70.0 + 4.5 * usedCodes + 3.5 * usedPositions;
}

template <typename Counts> void addCounts(Counts& into, const Counts& from)
{
    for (std::size_t i = 0; i < into.size(); ++i)
        into[i] += from[i];
}

} // namespace

Lh5BlockWriter::Lh5BlockWriter(BitWriter& out) : out_(out)
{
    tokens_.reserve(lh5::kMaxBlockCodes + kChunkCodes);
}

void Lh5BlockWriter::endChunk()
{
    const std::size_t chunk = tokens_.size() - chunkStart_;
    if (chunk == 0)
        return;
    const double chunkCost = blockBits(chunkCodes_, chunkPositions_);
    bool split = chunkStart_ + chunk > lh5::kMaxBlockCodes;
    if (!split && chunkStart_ > 0) {
        CodeCounts codes = blockCodes_;
        PositionCounts positions = blockPositions_;
        addCounts(codes, chunkCodes_);
        addCounts(positions, chunkPositions_);
        const double mergedCost = blockBits(codes, positions);
        split = mergedCost > blockCost_ + chunkCost;
        if (!split) {
            blockCodes_ = codes;
            blockPositions_ = positions;
            blockCost_ = mergedCost;
        }
    }
    if (split || chunkStart_ == 0) {
        if (chunkStart_ > 0)
            writeBlock(chunkStart_);
        blockCodes_ = chunkCodes_;
        blockPositions_ = chunkPositions_;
        blockCost_ = chunkCost;
    }
    chunkCodes_.fill(0);
    chunkPositions_.fill(0);
    chunkStart_ = tokens_.size();
}

void Lh5BlockWriter::finish()
{
    endChunk();
    if (chunkStart_ > 0)
        writeBlock(chunkStart_);
    chunkStart_ = 0;
}

void Lh5BlockWriter::writeBlock(std::size_t count)
{
    const HuffmanCode codes(blockCodes_, lh5::kMaxCodeLength);
    const HuffmanCode positions(blockPositions_, lh5::kMaxCodeLength);
    out_.put(16, static_cast<std::uint32_t>(count));
    writeCodeTree(out_, codes);
    writePositionTree(out_, positions);
    writeCodes(count, codes, positions);
    tokens_.erase(tokens_.begin(), tokens_.begin() + static_cast<std::ptrdiff_t>(count));
    chunkStart_ -= count;
}

void Lh5BlockWriter::writeCodes(std::size_t count, const HuffmanCode& codes, const HuffmanCode& positions)
{
    const std::uint8_t* cLen = codes.lengths().data();
    const std::uint16_t* cCode = codes.codes().data();
    const std::uint8_t* pLen = positions.lengths().data();
    const std::uint16_t* pCode = positions.codes().data();
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t token = tokens_[i];
        const unsigned code = token & 0xFFFFu;
        out_.put(cLen[code], cCode[code]);
        if (code < 256)
            continue;
        const unsigned p = token >> 16;
        const unsigned pc = p == 0 ? 0 : lh5::positionCode(p + 1);
        if (pc <= 1) {
            out_.put(pLen[pc], pCode[pc]);
        } else {
            const int extra = static_cast<int>(pc) - 1;
            out_.put(pLen[pc] + extra,
                     (static_cast<std::uint32_t>(pCode[pc]) << extra) | (p & ((1u << extra) - 1)));
        }
    }
}

} // namespace rov2::archive
