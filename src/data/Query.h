#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

namespace SQLite {
class Statement;
}

namespace rov2 {

class Database;

/// A forward-only result of a select. Null stays apart from the empty text:
/// value() of a Null field is a null QVariant.
class Query {
public:
    Query(Database& db, const QString& sql, const QVariantList& params);
    Query(Query&&) noexcept;
    Query& operator=(Query&&) noexcept;
    ~Query();

    /// False when the statement could not be prepared or a step failed.
    bool ok() const { return ok_; }
    /// Moves to the next row. @return false at the end or on failure.
    bool next();

    QVariant value(int column) const;
    QVariant value(const QString& column) const;
    QStringList columnNames() const { return names_; }

private:
    Database* db_;
    std::unique_ptr<SQLite::Statement> stmt_;
    QStringList names_;
    bool ok_ = false;
};

/// Reads column @p index of the current row of a prepared statement as a QVariant.
QVariant columnValue(SQLite::Statement& stmt, int index);

} // namespace rov2
