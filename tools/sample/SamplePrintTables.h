#pragma once

#include <QString>

#include <optional>

namespace rov2 {

/// What copySamplePrintTables put into the print tables.
struct PrintTableCounts {
    qint64 customers = 0;
    qint64 familyRows = 0;
};

/// Empties the work file's print tables w顧客マスタ印刷 and w家族情報印刷 and
/// fills them with every customer and family row of a data file (as printing
/// all customers would), so that the list reports can be looked at without the
/// list screen.
/// @return the counts, or nothing with the reason in @p error
std::optional<PrintTableCounts> copySamplePrintTables(const QString& dataFile, const QString& workFile,
                                                      QString* error = nullptr);

} // namespace rov2
