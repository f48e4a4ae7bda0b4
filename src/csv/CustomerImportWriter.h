#pragma once

#include "FieldLayout.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringEncoder>
#include <QVariantList>
#include <QVariantMap>
#include <memory>
#include <vector>

struct sqlite3_stmt;

namespace rov2 {

class Database;

/// Writes the customers of one import into 顧客マスタ; throws on a failing
/// statement. The names already stored are read once, so that finding a
/// customer by name costs no statement per row, and the insert is prepared
/// once and bound straight from the fields, each by its place in the row.
class CustomerImportWriter
{
public:
    /// @param layout where the fields stand in the rows to be written.
    CustomerImportWriter(Database& db, const FieldLayout& layout);
    ~CustomerImportWriter();

    /// The rowid of the first customer with that 名称, or -1.
    qint64 find(const QString& name) const;
    /// The stored 区分1 and 区分2 of a customer.
    QVariantList categories(qint64 rowid);
    /// Adds a customer of @p row (importable fields; the others Null).
    void insert(const FieldValues& row);
    /// Sets the fields that @p row gives of a customer; the others keep their values.
    void update(qint64 rowid, const FieldValues& row);

private:
    struct Finalize
    {
        void operator()(sqlite3_stmt* s) const;
    };

    void remember(const QString& name, qint64 rowid);
    int bind(int n, const QVariant& value);
    int bindText(int n, const QString& text);

    Database& db_;
    const FieldLayout& layout_;
    std::size_t name_; ///< where 名称 stands in a row
    QHash<QString, qint64> names_;
    std::unique_ptr<sqlite3_stmt, Finalize> insert_;
    std::vector<QByteArray> texts_; ///< the insert's texts in UTF-8, a buffer per parameter
    QStringEncoder utf8_{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};
};

} // namespace rov2
