#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace rov2 {

/// The names of one code list of コードマスタ ("敬称", "区分1", "区分2", ...)
/// as the drop-downs offer them: empty slots left out, in cnt, then code order.
/// @param dataFile the data file to read.
/// @return nothing when the list could not be read whole (logged), so that a
/// list cut short by a failing read is never offered as the whole list.
[[nodiscard]] std::optional<QStringList> readCodeList(const QString& dataFile, const QString& kind);

} // namespace rov2
