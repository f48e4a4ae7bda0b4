#include "MatchFinder.h"

#include "Lh5Format.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace rov2::archive {

namespace {

constexpr int kHash3Bits = 13;
constexpr int kHash4Bits = 14;
constexpr std::size_t kChunk = std::size_t{1} << 20;
// Twice the window: a chain link is read only for positions at most one
// window back, and its slot is reused only two windows later.
constexpr std::uint32_t kPrevMask = 2 * lh5::kWindowSize - 1;

std::uint64_t load64(const std::uint8_t* p)
{
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Distance from @p pos back to the position whose low bits a head table
// holds; 0 when that lies outside the window. An entry older than 64 KiB can
// alias a nearer position: harmless, since every candidate is compared.
std::uint32_t distanceTo(std::uint32_t pos, std::uint16_t stored)
{
    const std::uint32_t d = (pos - stored) & 0xFFFFu;
    return d <= lh5::kWindowSize ? d : 0;
}

std::uint32_t hash3(std::uint32_t word)
{
    return ((word & 0xFFFFFFu) * 0x9E3779B1u) >> (32 - kHash3Bits);
}

std::uint32_t hash4(std::uint32_t word)
{
    return (word * 0x9E3779B1u) >> (32 - kHash4Bits);
}

} // namespace

MatchFinder::MatchFinder(const Lh5Options& options)
    : options_(options), buffer_(lh5::kWindowSize + lh5::kMaxMatch + kChunk + kPadding, 0),
      head3_(std::size_t{1} << kHash3Bits, 0), head4_(std::size_t{1} << kHash4Bits, 0),
      prev_(kPrevMask + 1, 0)
{
}

std::size_t MatchFinder::append(std::span<const std::uint8_t> data, std::uint32_t cursor)
{
    if (full())
        slide(cursor);
    const std::size_t room = buffer_.size() - kPadding - fill_;
    const std::size_t n = std::min(room, data.size());
    std::memcpy(buffer_.data() + fill_, data.data(), n);
    fill_ += n;
    return n;
}

void MatchFinder::slide(std::uint32_t cursor)
{
    const std::uint32_t keepFrom = cursor > base_ + lh5::kWindowSize ? cursor - lh5::kWindowSize : base_;
    const std::size_t drop = keepFrom - base_;
    std::memmove(buffer_.data(), buffer_.data() + drop, fill_ - drop);
    fill_ -= drop;
    base_ = keepFrom;
}

std::uint32_t MatchFinder::read32(std::uint32_t pos) const
{
    std::uint32_t v;
    std::memcpy(&v, buffer_.data() + (pos - base_), sizeof v);
    return v;
}

void MatchFinder::insert(std::uint32_t pos, std::uint32_t word)
{
    head3_[hash3(word)] = static_cast<std::uint16_t>(pos);
    const std::uint32_t h4 = hash4(word);
    prev_[pos & kPrevMask] = static_cast<std::uint16_t>(distanceTo(pos, head4_[h4]));
    head4_[h4] = static_cast<std::uint16_t>(pos);
}

void MatchFinder::insertUpTo(std::uint32_t upTo)
{
    // A position needs its four bytes for the hash; the last three of the
    // input are never the start of a four-byte match anyway.
    const std::uint32_t last = std::min(upTo, end() >= 3 ? end() - 3 : 0);
    for (; nextInsert_ < last; ++nextInsert_)
        insert(nextInsert_, read32(nextInsert_));
    nextInsert_ = std::max(nextInsert_, upTo);
}

unsigned MatchFinder::matchLength(const std::uint8_t* a, const std::uint8_t* b, unsigned limit) const
{
    unsigned n = 0;
    while (n < limit) {
        const std::uint64_t diff = load64(a + n) ^ load64(b + n);
        if (diff != 0)
            return std::min(limit, n + static_cast<unsigned>(std::countr_zero(diff)) / 8);
        n += 8;
    }
    return limit;
}

Match MatchFinder::find(std::uint32_t pos, unsigned mustBeat, int chain)
{
    Match best;
    const std::uint32_t avail = end() - pos;
    nextInsert_ = pos + 1;
    if (avail < lh5::kMinMatch)
        return best;
    const unsigned limit = std::min<std::uint32_t>(avail, lh5::kMaxMatch);
    const std::uint32_t word = read32(pos);
    const std::uint32_t near3 = distanceTo(pos, head3_[hash3(word)]);
    const std::uint32_t near4 = distanceTo(pos, head4_[hash4(word)]);
    if (avail >= 4)
        insert(pos, word);
    unsigned bestLen = std::max(mustBeat, lh5::kMinMatch - 1);
    if (bestLen >= limit)
        return best;
    if (bestLen < lh5::kMinMatch && near3 != 0 && near3 <= pos - base_ &&
        ((read32(pos - near3) ^ word) & 0xFFFFFFu) == 0) {
        const unsigned len =
            matchLength(buffer_.data() + (pos - near3 - base_), buffer_.data() + (pos - base_), limit);
        best = {len, near3};
        bestLen = len;
    }
    if (avail < 4 || bestLen >= limit || near4 == 0)
        return best;
    const Match found = searchChain(pos, near4, bestLen, limit, chain);
    return found.length > 0 ? found : best;
}

Match MatchFinder::searchChain(std::uint32_t pos, std::uint32_t distance, unsigned bestLen, unsigned limit,
                               int chain) const
{
    Match best;
    const std::uint8_t* here = buffer_.data() + (pos - base_);
    const std::uint32_t reach = std::min<std::uint32_t>(lh5::kWindowSize, pos - base_);
    for (; chain > 0 && distance <= reach; --chain) {
        const std::uint8_t* there = here - distance;
        if (there[bestLen] == here[bestLen] && there[bestLen - 1] == here[bestLen - 1]) {
            const unsigned len = matchLength(there, here, limit);
            if (len > bestLen) {
                bestLen = len;
                best = {len, distance};
                if (len >= options_.niceLength || len == limit)
                    break;
            }
        }
        const std::uint32_t step = prev_[(pos - distance) & kPrevMask];
        if (step == 0)
            break;
        distance += step;
    }
    return best;
}

} // namespace rov2::archive
