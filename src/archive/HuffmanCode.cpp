#include "HuffmanCode.h"

#include <algorithm>
#include <numeric>

namespace rov2::archive {

namespace {

struct Leaf
{
    std::uint32_t freq;
    std::uint16_t symbol;
};

// Depth of every leaf of an unrestricted Huffman tree, by the two-queue
// method over leaves sorted by ascending frequency. Returns depths in the
// order of @p leaves.
std::vector<int> treeDepths(const std::vector<Leaf>& leaves)
{
    const std::size_t n = leaves.size();
    std::vector<std::uint64_t> weight(2 * n - 1);
    std::vector<std::size_t> parent(2 * n - 1, 0);
    for (std::size_t i = 0; i < n; ++i)
        weight[i] = leaves[i].freq;
    std::size_t nextLeaf = 0, nextNode = n;
    auto takeSmallest = [&](std::size_t built) {
        if (nextLeaf < n && (nextNode >= built || weight[nextLeaf] <= weight[nextNode]))
            return nextLeaf++;
        return nextNode++;
    };
    for (std::size_t built = n; built < 2 * n - 1; ++built) {
        const std::size_t a = takeSmallest(built);
        const std::size_t b = takeSmallest(built);
        weight[built] = weight[a] + weight[b];
        parent[a] = parent[b] = built;
    }
    std::vector<int> depth(2 * n - 1, 0);
    for (std::size_t i = 2 * n - 1; i-- > 0;)
        depth[i] = (i == 2 * n - 2) ? 0 : depth[parent[i]] + 1;
    depth.resize(n);
    return depth;
}

// Moves leaves deeper than @p maxLength up while keeping the Kraft sum at
// exactly one: each step takes two leaves from the deepest level, puts one of
// them one level up and hangs the other, together with a leaf taken from the
// deepest level above that has one, a level below it.
void limitCounts(std::vector<int>& count, int maxLength)
{
    for (int len = static_cast<int>(count.size()) - 1; len > maxLength; --len) {
        while (count[len] > 0) {
            int j = len - 2;
            while (count[j] == 0)
                --j;
            count[len] -= 2;
            count[len - 1] += 1;
            count[j + 1] += 2;
            count[j] -= 1;
        }
    }
}

} // namespace

HuffmanCode::HuffmanCode(std::span<const std::uint32_t> frequencies, int maxLength)
    : lengths_(frequencies.size(), 0)
{
    buildLengths(frequencies, maxLength);
    codes_ = canonicalCodes(lengths_);
}

void HuffmanCode::buildLengths(std::span<const std::uint32_t> frequencies, int maxLength)
{
    std::vector<Leaf> leaves;
    for (std::size_t s = 0; s < frequencies.size(); ++s)
        if (frequencies[s] != 0)
            leaves.push_back({frequencies[s], static_cast<std::uint16_t>(s)});
    used_ = static_cast<int>(leaves.size());
    if (used_ <= 1) {
        single_ = used_ == 1 ? leaves[0].symbol : 0;
        return;
    }
    std::sort(leaves.begin(), leaves.end(), [](const Leaf& a, const Leaf& b) {
        return a.freq != b.freq ? a.freq < b.freq : a.symbol > b.symbol;
    });
    const std::vector<int> depth = treeDepths(leaves);
    std::vector<int> count(static_cast<std::size_t>(std::max(depth[0], maxLength)) + 1, 0);
    for (int d : depth)
        ++count[static_cast<std::size_t>(d)];
    limitCounts(count, maxLength);
    // The rarest symbols (front of the sorted list) take the longest codes.
    std::size_t leaf = 0;
    for (int len = maxLength; len >= 1; --len)
        for (int k = 0; k < count[static_cast<std::size_t>(len)]; ++k)
            lengths_[leaves[leaf++].symbol] = static_cast<std::uint8_t>(len);
}

std::uint64_t HuffmanCode::dataBits(std::span<const std::uint32_t> frequencies) const
{
    std::uint64_t bits = 0;
    for (std::size_t s = 0; s < frequencies.size() && s < lengths_.size(); ++s)
        bits += static_cast<std::uint64_t>(frequencies[s]) * lengths_[s];
    return bits;
}

std::vector<std::uint16_t> HuffmanCode::canonicalCodes(std::span<const std::uint8_t> lengths)
{
    std::vector<unsigned> count(33, 0);
    for (std::uint8_t len : lengths)
        ++count[len];
    count[0] = 0;
    std::vector<unsigned> next(33, 0);
    for (std::size_t len = 1; len < 33; ++len)
        next[len] = (next[len - 1] + count[len - 1]) << 1;
    std::vector<std::uint16_t> codes(lengths.size(), 0);
    for (std::size_t s = 0; s < lengths.size(); ++s)
        if (lengths[s] != 0)
            codes[s] = static_cast<std::uint16_t>(next[lengths[s]]++);
    return codes;
}

} // namespace rov2::archive
