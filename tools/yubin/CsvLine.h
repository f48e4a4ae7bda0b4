#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace rov2::yubin {

/// Splits one line of a comma-separated file into its fields. A field may be
/// quoted ("..."), with "" standing for a quote inside it; unquoted fields are
/// taken as they are.
/// @return the fields, or nothing when a quote is left open or text follows a
/// closing quote.
std::optional<QStringList> splitCsvLine(const QString& line);

} // namespace rov2::yubin
