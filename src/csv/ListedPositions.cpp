#include "ListedPositions.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <stdexcept>

namespace rov2 {
namespace {

std::size_t hashOf(std::string_view key)
{
    return std::hash<std::string_view>{}(key);
}

} // namespace

std::string_view ListedPositions::keyAt(std::uint32_t offset) const
{
    std::uint32_t length = 0;
    std::memcpy(&length, entries_.data() + offset, sizeof length);
    return std::string_view(entries_).substr(offset + sizeof length, length);
}

std::size_t ListedPositions::slotOf(std::string_view key, std::size_t hash) const
{
    const std::size_t mask = slots_.size() - 1;
    const auto tag = static_cast<std::uint32_t>(hash);
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& s = slots_[i];
        if (s.offset == kEmpty || (s.tag == tag && keyAt(s.offset) == key))
            return i;
    }
}

// Doubles the table; the names stay where they are.
void ListedPositions::grow()
{
    std::vector<Slot> old(std::max<std::size_t>(slots_.size() * 2, 1024));
    old.swap(slots_);
    for (const Slot& s : old)
        if (s.offset != kEmpty)
            slots_[slotOf(keyAt(s.offset), hashOf(keyAt(s.offset)))] = s;
}

void ListedPositions::add(std::string_view key, qint64 position)
{
    if ((used_ + 1) * 2 > slots_.size())
        grow();
    const std::size_t hash = hashOf(key);
    Slot& s = slots_[slotOf(key, hash)];
    if (s.offset != kEmpty)
        return;
    const auto length = static_cast<std::uint32_t>(key.size());
    if (entries_.size() + sizeof length + key.size() + sizeof position >= kEmpty)
        throw std::length_error("too many names in the list");
    s = Slot{static_cast<std::uint32_t>(hash), static_cast<std::uint32_t>(entries_.size())};
    entries_.append(reinterpret_cast<const char*>(&length), sizeof length);
    entries_.append(key);
    entries_.append(reinterpret_cast<const char*>(&position), sizeof position);
    ++used_;
}

std::optional<qint64> ListedPositions::find(std::string_view key) const
{
    if (slots_.empty())
        return std::nullopt;
    const Slot& s = slots_[slotOf(key, hashOf(key))];
    if (s.offset == kEmpty)
        return std::nullopt;
    qint64 position = 0;
    std::memcpy(&position, entries_.data() + s.offset + sizeof(std::uint32_t) + keyAt(s.offset).size(),
                sizeof position);
    return position;
}

} // namespace rov2
