#include "ReadingOrder.h"

#include "SearchDatabase.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <unordered_map>

namespace rov2 {
namespace {

/// Collation keys in one buffer. Comparing two byte by byte, the shorter
/// first when one begins the other, is SQLite's order of the blobs
/// rov2_reading_key gives, and the order of COLLATE JA.
class Keys
{
public:
    uint32_t add(std::string_view text)
    {
        at_.push_back(static_cast<uint32_t>(bytes_.size()));
        searchorder::appendReadingKey(text, bytes_);
        size_.push_back(static_cast<uint32_t>(bytes_.size()) - at_.back());
        return static_cast<uint32_t>(at_.size() - 1);
    }
    std::string_view operator[](uint32_t k) const
    {
        return k < at_.size() ? std::string_view(bytes_).substr(at_[k], size_[k]) : std::string_view();
    }

private:
    std::string bytes_;
    std::vector<uint32_t> at_;
    std::vector<uint32_t> size_;
};

constexpr uint32_t kNone = UINT32_MAX;

/// The rank of each of the first @p count keys: 1, 2 ... in their order, equal keys alike.
std::vector<uint32_t> ranksOf(const Keys& keys, uint32_t count)
{
    std::vector<uint32_t> byKey(count);
    std::iota(byKey.begin(), byKey.end(), 0u);
    std::sort(byKey.begin(), byKey.end(), [&](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
    std::vector<uint32_t> rankOfKey(count);
    uint32_t rank = 0;
    for (size_t k = 0; k < byKey.size(); ++k) {
        if (k == 0 || keys[byKey[k]] != keys[byKey[k - 1]])
            ++rank;
        rankOfKey[byKey[k]] = rank;
    }
    return rankOfKey;
}

/// The rank of each row's reading: 0 for Null, then 1, 2 ... in key order,
/// the same rank for readings of equal keys.
std::vector<uint32_t> readingRanks(const std::vector<ReadingOrderRow>& rows)
{
    std::unordered_map<std::string_view, uint32_t> distinct;
    std::vector<uint32_t> keyOfRow(rows.size(), kNone);
    Keys keys;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].nullReading)
            continue;
        const auto [at, added] = distinct.try_emplace(rows[i].reading, 0);
        if (added)
            at->second = keys.add(rows[i].reading);
        keyOfRow[i] = at->second;
    }
    const std::vector<uint32_t> rankOfKey = ranksOf(keys, static_cast<uint32_t>(distinct.size()));
    std::vector<uint32_t> ranks(rows.size(), 0);
    for (size_t i = 0; i < rows.size(); ++i)
        if (keyOfRow[i] != kNone)
            ranks[i] = rankOfKey[keyOfRow[i]];
    return ranks;
}

struct Item {
    uint32_t rank;
    uint32_t row;
    uint32_t name; ///< the name's key, or kNone when no other row has its reading
    uint64_t head; ///< the first bytes of the name's key, in an order that compares as they do
};

uint64_t head(std::string_view key)
{
    uint64_t h = 0;
    for (size_t k = 0; k < 8; ++k)
        h = (h << 8) | (k < key.size() ? static_cast<unsigned char>(key[k]) : 0u);
    return h;
}

} // namespace

std::vector<uint32_t> readingOrder(const std::vector<ReadingOrderRow>& rows)
{
    const std::vector<uint32_t> ranks = readingRanks(rows);
    std::vector<uint32_t> sharing(rows.size() + 1, 0);
    for (const uint32_t r : ranks)
        ++sharing[r];
    // Names are compared only between rows of one reading, most of the time
    // by the first bytes of their keys alone.
    Keys names;
    std::vector<Item> items(rows.size());
    for (uint32_t i = 0; i < rows.size(); ++i) {
        items[i] = {ranks[i], i, kNone, 0};
        if (sharing[ranks[i]] > 1) {
            items[i].name = names.add(rows[i].name);
            items[i].head = head(names[items[i].name]);
        }
    }
    std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        if (a.rank != b.rank)
            return a.rank < b.rank;
        if (a.head != b.head)
            return a.head < b.head;
        if (const int byName = names[a.name].compare(names[b.name]))
            return byName < 0;
        return a.row < b.row;
    });
    std::vector<uint32_t> order(rows.size());
    for (size_t i = 0; i < items.size(); ++i)
        order[i] = items[i].row;
    return order;
}

} // namespace rov2
