#pragma once

#include <QString>

#include <functional>

namespace rov2 {

/// Copies the database @p source into the new file @p target through
/// SQLite's backup API: a consistent copy even of a file that is open
/// elsewhere, never its bytes caught half-way through a write.
/// @param progress called with pages done and pages in all.
/// @return empty on success, else what went wrong (for the user); a failed
/// copy leaves no @p target behind.
QString takeSnapshot(const QString& source, const QString& target,
                     const std::function<void(int done, int total)>& progress = {});

} // namespace rov2
