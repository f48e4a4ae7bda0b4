#pragma once

#include <QString>

namespace rov2 {

/// The deletions of the maintenance screen, on the data file at @p dataFile.
/// Each runs its statements in one transaction: it lands whole or, when a
/// statement fails, leaves the file as it was.
/// @return true when the changes were committed.
namespace BulkDeletion {

/// Every customer and every family row.
[[nodiscard]] bool deleteAllCustomers(const QString& dataFile);
/// Every name of the code tables set to Null; the slots themselves stay, so
/// that names typed later still find their places.
[[nodiscard]] bool blankCodeNames(const QString& dataFile);
/// Both of the above together.
[[nodiscard]] bool deleteAllData(const QString& dataFile);
/// The whole incoming-call history.
[[nodiscard]] bool deleteCallHistory(const QString& dataFile);
/// One customer by its number, with its call history and phone numbers.
[[nodiscard]] bool deleteCustomerByCode(const QString& dataFile, qint64 code);

} // namespace BulkDeletion
} // namespace rov2
