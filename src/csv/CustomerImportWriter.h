#pragma once

#include <QHash>
#include <QString>
#include <QVariantList>
#include <QVariantMap>
#include <memory>

struct sqlite3_stmt;

namespace rov2 {

class Database;

/// Writes the customers of one import into 顧客マスタ; throws on a failing
/// statement. The names already stored are read once, so that finding a
/// customer by name costs no statement per row, and the insert is prepared
/// once and bound straight from the fields.
class CustomerImportWriter
{
public:
    explicit CustomerImportWriter(Database& db);
    ~CustomerImportWriter();

    /// The rowid of the first customer with that 名称, or -1.
    qint64 find(const QString& name) const;
    /// The stored 区分1 and 区分2 of a customer.
    QVariantList categories(qint64 rowid);
    /// Adds a customer of @p fields (importable fields; the others Null).
    void insert(const QVariantMap& fields);
    /// Sets the fields of @p fields of a customer; the others keep their values.
    void update(qint64 rowid, const QVariantMap& fields);

private:
    struct Finalize
    {
        void operator()(sqlite3_stmt* s) const;
    };

    void remember(const QString& name, qint64 rowid);

    Database& db_;
    QHash<QString, qint64> names_;
    QHash<QString, int> columns_; ///< the insert's parameter of each field, less one
    std::unique_ptr<sqlite3_stmt, Finalize> insert_;
};

} // namespace rov2
