#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <memory>
#include <optional>

namespace SQLite {
class Database;
class Statement;
}

namespace rov2 {

class Query;
class Recordset;

/// One open database file. Each operation opens the file it needs and lets the
/// object go when it is done; no handle is kept between user actions.
///
/// Every value goes in as a bound parameter (`?`), never spliced into the text.
/// Parameters: a null QVariant binds Null, a bool binds -1 or 0 (the Yes/No
/// convention of the stored files), numbers bind as numbers, anything else as text.
class Database {
public:
    /// Opens an existing file for reading and writing; never creates one.
    /// A file that is not a database, or is locked, fails here too.
    /// @return the open database, or nullptr with the reason in @p error.
    static std::unique_ptr<Database> open(const QString& path, QString* error = nullptr);

    /// Creates a new, empty database file; fails when the file already exists.
    static std::unique_ptr<Database> createNew(const QString& path, QString* error = nullptr);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const { return path_; }

    /// Runs one statement that returns no rows.
    /// @return false on failure (the reason in lastError(), and logged).
    [[nodiscard]] bool execute(const QString& sql, const QVariantList& params = {});

    /// Rows changed by the last successful execute().
    int changes() const;

    /// Runs a `select count(*) as num ...` statement and reads `num`.
    /// @return the count, or nothing when the statement failed or returned no row.
    std::optional<qint64> count(const QString& sql, const QVariantList& params = {});

    /// A forward-only result of any select (joins included).
    Query query(const QString& sql, const QVariantList& params = {});

    /// An updatable result over one table: the rows of @p table that match
    /// @p where (an SQL condition with `?` placeholders, may be empty), in the
    /// order @p orderBy (empty: the order in which the rows were appended).
    Recordset openDynaset(const QString& table, const QString& where = {}, const QVariantList& params = {},
                          const QString& orderBy = {});

    /// Runs one statement with another database file attached under @p alias,
    /// for the statements that read from one file while writing into another.
    [[nodiscard]] bool executeWithAttached(const QString& otherPath, const QString& alias, const QString& sql,
                             const QVariantList& params = {});

    /// True when the file has a table of that name.
    bool hasTable(const QString& name);

    /// The layout version stored in the file (PRAGMA user_version).
    int userVersion();

    [[nodiscard]] bool beginTransaction();
    [[nodiscard]] bool commit();
    [[nodiscard]] bool rollback();
    bool inTransaction() const;

    /// Text of the last error, empty when the last call succeeded.
    const QString& lastError() const { return lastError_; }

    SQLite::Database& native() { return *db_; }

    /// Records a failure: keeps it as lastError() and logs it.
    void fail(const QString& what, const QString& reason);
    void clearError() { lastError_.clear(); }

private:
    Database(std::unique_ptr<SQLite::Database> db, QString path);

    std::unique_ptr<SQLite::Database> db_;
    QString path_;
    QString lastError_;
};

/// Rolls back unless committed: a routine that must land whole or not at all
/// opens one, does its statements and calls commit() at the end.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    /// False when the transaction could not be started.
    bool active() const { return active_; }
    /// @return true when the changes were committed.
    [[nodiscard]] bool commit();

private:
    Database& db_;
    bool active_ = false;
};

/// Binds the values in order to the `?` of a prepared statement.
void bindAll(SQLite::Statement& statement, const QVariantList& params);

} // namespace rov2
