#pragma once

#include <QtGlobal>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rov2 {

/// Where each name stands in a list, looked up once per exported row. The
/// names lie end to end in one buffer, each with its position behind it, and
/// the open-addressed table holds only a part of each name's hash and where
/// the name lies: a hundred thousand names cost two allocations that grow
/// rather than a node and a string each, and a look-up mostly touches one
/// small slot and one name.
class ListedPositions
{
public:
    /// Keeps the first position given for @p key.
    void add(std::string_view key, qint64 position);
    /// The position of @p key, or nothing when it was never added.
    std::optional<qint64> find(std::string_view key) const;

private:
    struct Slot
    {
        std::uint32_t tag = 0; ///< the low half of the name's hash
        std::uint32_t offset = kEmpty;
    };
    static constexpr std::uint32_t kEmpty = ~std::uint32_t{0};

    /// The slot of @p key, or the empty slot where it would go.
    std::size_t slotOf(std::string_view key, std::size_t hash) const;
    std::string_view keyAt(std::uint32_t offset) const;
    void grow();

    std::string entries_; ///< per name: its length, its bytes, its position
    std::vector<Slot> slots_;
    std::size_t used_ = 0;
};

} // namespace rov2
