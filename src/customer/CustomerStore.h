#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include <functional>
#include <optional>

namespace rov2 {

class Database;

/// The customer screen's work with the files: one customer row of 顧客マスタ,
/// its 家族情報 rows and the family grid's work table w家族情報. Every call
/// opens the files it needs and closes them before it returns; failures come
/// back as values and are logged.
namespace CustomerStore {

/// The fields of 顧客マスタ the screen reads and writes, in mapping order.
const QStringList& customerFields();

/// What a read of one customer found.
enum class ReadOutcome {
    Found,    ///< the customer's fields are in CustomerRead::fields
    NotFound, ///< the file was read and holds no customer of that name
    Failed,   ///< the file could not be read: nothing is known about the name
};

struct CustomerRead {
    ReadOutcome outcome = ReadOutcome::Failed;
    QVariantMap fields; ///< Null fields are null QVariants
};

/// The first row of 顧客マスタ with that name.
[[nodiscard]] CustomerRead readCustomer(const QString& dataFile, const QString& name);

/// The family values that go with a saved customer.
struct FamilyOwner {
    QString name;       ///< 名称 written into every family row
    QVariant category1; ///< 区分1 of every family row (Null when empty)
    QVariant category2;
    QDate today; ///< the day the ages of members with a birth date are counted on
};

/// Writes the family part of a save into the open data file, inside the
/// save's transaction. @return false on any failure.
using FamilyWriter = std::function<bool(Database& data)>;

/// Saves a customer: edits the first row with @p name or appends one, then
/// lets @p writeFamily replace its family rows, all in one transaction: all of
/// it lands, or nothing does. @return false on any failure (then nothing changed).
[[nodiscard]] bool saveCustomer(const QString& dataFile, const QString& name, const QVariantMap& fields,
                                const FamilyWriter& writeFamily);

/// saveCustomer() whose family part is writeFamilyFromWork().
[[nodiscard]] bool saveCustomer(const QString& dataFile, const QString& workFile, const QString& name,
                                const QVariantMap& fields, const FamilyOwner& owner);

/// Replaces the family rows of @p owner in @p data with the named rows of the
/// work table, numbered from 0 in table order. Runs inside the caller's transaction.
[[nodiscard]] bool writeFamilyFromWork(Database& data, const QString& workFile, const FamilyOwner& owner);

/// Removes every customer row with @p name and all their family rows, together.
[[nodiscard]] bool deleteCustomer(const QString& dataFile, const QString& name);

/// Resets the work table to ten empty rows.
[[nodiscard]] bool clearFamilyWork(const QString& workFile);

/// Resets the work table, then fills its rows in turn with the customer's
/// family rows in 行番号 order; a family of more than ten gets more rows.
/// A member with a birth date gets the age on @p today (ageToShow).
/// @param failedFile on failure, the file that could not be read or written.
[[nodiscard]] bool copyFamilyToWork(const QString& dataFile, const QString& workFile, const QString& name,
                                    const QDate& today, QString* failedFile = nullptr);

/// The names of the quick-pick customers, in reading order.
QStringList quickCustomers(const QString& dataFile);

/// Rebuilds w続柄 from the 続柄 code list of the data file, in one transaction
/// (a failure leaves the previous list).
[[nodiscard]] bool rebuildRelationships(const QString& dataFile, const QString& workFile);

/// The number of customers; nothing when the data file cannot be read.
std::optional<qint64> customerCount(const QString& dataFile);

} // namespace CustomerStore
} // namespace rov2
