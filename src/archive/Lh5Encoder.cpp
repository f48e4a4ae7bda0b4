#include "Lh5Encoder.h"

#include "Lh5Format.h"

namespace rov2::archive {

Lh5Encoder::Lh5Encoder(const Lh5Options& options) : options_(options), finder_(options), blocks_(bits_) {}

void Lh5Encoder::write(std::span<const std::uint8_t> data)
{
    while (!data.empty()) {
        const std::size_t taken = finder_.append(data, cursor_);
        data = data.subspan(taken);
        // Keep a full match of lookahead behind the last coded position, so
        // that no match is cut short by the end of the buffer.
        if (finder_.end() > lh5::kMaxMatch + 1)
            parse(finder_.end() - lh5::kMaxMatch - 1);
    }
}

void Lh5Encoder::finish()
{
    parse(finder_.end());
    blocks_.finish();
    bits_.flushFinal();
}

void Lh5Encoder::parse(std::uint32_t limit)
{
    while (cursor_ < limit)
        step(limit);
}

bool Lh5Encoder::worthIt(const Match& m) const
{
    return m.length > lh5::kMinMatch || (m.length == lh5::kMinMatch && m.distance <= options_.tooFarForThree);
}

// One parse step in the manner of lazy matching: a match found here is
// given up for a literal when the next position has a longer one.
void Lh5Encoder::step(std::uint32_t limit)
{
    Match m = finder_.find(cursor_, 0, options_.maxChain);
    if (!worthIt(m)) {
        blocks_.literal(finder_.at(cursor_++));
        return;
    }
    while (m.length < options_.lazyLimit && cursor_ + 1 < limit) {
        const int chain = m.length >= options_.goodLength ? options_.maxChain / 4 : options_.maxChain;
        const Match next = finder_.find(cursor_ + 1, m.length, chain);
        if (next.length <= m.length)
            break;
        blocks_.literal(finder_.at(cursor_++));
        m = next;
    }
    blocks_.match(m.length, m.distance);
    cursor_ += m.length;
    finder_.insertUpTo(cursor_);
}

} // namespace rov2::archive
