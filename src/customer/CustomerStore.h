#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include <optional>

namespace rov2 {

/// The customer screen's work with the files: one customer row of 顧客マスタ,
/// its 家族情報 rows and the family grid's work table w家族情報. Every call
/// opens the files it needs and closes them before it returns; failures come
/// back as values and are logged.
namespace CustomerStore {

/// The fields of 顧客マスタ the screen reads and writes, in mapping order.
const QStringList& customerFields();

/// The first row of 顧客マスタ with that name; nothing when there is none or
/// the data file cannot be read. Null fields are null QVariants.
std::optional<QVariantMap> readCustomer(const QString& dataFile, const QString& name);

/// The family values that go with a saved customer.
struct FamilyOwner {
    QString name;       ///< 名称 written into every family row
    QVariant category1; ///< 区分1 of every family row (Null when empty)
    QVariant category2;
};

/// Saves a customer: edits the first row with @p name or appends one, then
/// replaces its family rows with the named rows of the work table. All of it
/// lands, or nothing does. @return false on any failure (then nothing changed).
bool saveCustomer(const QString& dataFile, const QString& workFile, const QString& name, const QVariantMap& fields,
                  const FamilyOwner& owner);

/// Removes every customer row with @p name and all their family rows, together.
bool deleteCustomer(const QString& dataFile, const QString& name);

/// Resets the work table to ten empty rows.
bool clearFamilyWork(const QString& workFile);

/// Resets the work table, then fills its rows in turn with the customer's
/// family rows in 行番号 order; a family of more than ten gets more rows.
bool copyFamilyToWork(const QString& dataFile, const QString& workFile, const QString& name);

/// The entries of one code list ("敬称", "区分1", "区分2"), in cnt, then code order.
QStringList codeList(const QString& dataFile, const QString& kind);

/// The names of the quick-pick customers, in reading order.
QStringList quickCustomers(const QString& dataFile);

/// Rebuilds w続柄 from the 続柄 code list of the data file.
bool rebuildRelationships(const QString& dataFile, const QString& workFile);

/// The number of customers; nothing when the data file cannot be read.
std::optional<qint64> customerCount(const QString& dataFile);

} // namespace CustomerStore
} // namespace rov2
