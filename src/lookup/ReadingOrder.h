#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace rov2 {

/// One row to be put in the order of the look-up lists; the texts in UTF-8.
struct ReadingOrderRow {
    std::string_view reading;
    std::string_view name;
    bool nullReading = false; ///< the reading is Null, which sorts first
};

/// The positions of @p rows in the order ORDER BY rov2_reading_key(ふりがな),
/// 名称 COLLATE JA gives them (see openForSearch); rows equal in both keep
/// their order. Each distinct reading gets one collation key and the names
/// one only where readings are equal, so that the sort compares numbers and
/// bytes: a hundred thousand customers sorted through the collator took
/// longer than a window may to open.
std::vector<uint32_t> readingOrder(const std::vector<ReadingOrderRow>& rows);

} // namespace rov2
