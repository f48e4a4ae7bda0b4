#pragma once

#include "BitWriter.h"
#include "Lh5BlockWriter.h"
#include "Lh5Options.h"
#include "MatchFinder.h"

#include <cstdint>
#include <span>
#include <vector>

namespace rov2::archive {

/// Compresses one stream into -lh5- data: an LZ77 parse over an 8 KiB window
/// (hash chains with a depth limit, lazy matching) coded in blocks with
/// per-block Huffman trees.
///
/// Feed the input with write() in pieces of any size, call finish() once,
/// and drain output() as it fills (it holds only complete bytes).
class Lh5Encoder
{
public:
    explicit Lh5Encoder(const Lh5Options& options = {});

    /// @param data the next piece of input.
    void write(std::span<const std::uint8_t> data);
    /// Codes the rest and pads the last byte with zero bits.
    void finish();
    /// @return the compressed bytes produced so far; the caller may clear it.
    std::vector<std::uint8_t>& output() { return bits_.bytes(); }

private:
    void parse(std::uint32_t limit);
    void step(std::uint32_t limit);
    bool worthIt(const Match& m) const;

    Lh5Options options_;
    MatchFinder finder_;
    BitWriter bits_;
    Lh5BlockWriter blocks_;
    std::uint32_t cursor_ = 0;
};

} // namespace rov2::archive
