#pragma once

#include <QString>

#include <optional>

namespace rov2 {

/// What writeSampleDataFile wrote.
struct SampleCounts {
    qint64 customers = 0;
    qint64 familyRows = 0;
};

/// Writes a complete data file of @p customers made-up customers (names with
/// readings, addresses with postal codes, telephone numbers, birth dates,
/// categories, honorifics, about two family members each, some in the
/// quick-pick list). The same count always gives the same file contents.
/// @return the counts, or nothing (the reason in @p error) when the file exists
/// already or cannot be written; a failed run leaves no file.
std::optional<SampleCounts> writeSampleDataFile(const QString& path, qint64 customers, QString* error = nullptr);

} // namespace rov2
