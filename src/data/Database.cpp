#include "Database.h"

#include "JapaneseCollation.h"
#include "LayoutUpgrade.h"
#include "Query.h"
#include "Recordset.h"

#include <QFileInfo>
#include <QtDebug>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

namespace rov2 {
namespace {

std::unique_ptr<SQLite::Database> connect(const QString& path, int flags, QString* error)
{
    try {
        auto db = std::make_unique<SQLite::Database>(path.toStdString(), flags, 2000);
        if (!registerJapaneseCollation(db->getHandle()))
            throw std::runtime_error("the reading collation could not be registered");
        // SQLite opens lazily: read the schema now, so that a file that is not a
        // database fails here rather than in the first statement of a routine.
        db->exec("SELECT count(*) FROM sqlite_master");
        return db;
    } catch (const std::exception& e) {
        const QString reason = QStringLiteral("%1: %2").arg(path, QString::fromUtf8(e.what()));
        qWarning().noquote() << "database: cannot open" << reason;
        if (error)
            *error = reason;
        return nullptr;
    }
}

} // namespace

void bindAll(SQLite::Statement& stmt, const QVariantList& params)
{
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& v = params.at(i);
        const int n = i + 1;
        if (v.isNull()) {
            stmt.bind(n);
            continue;
        }
        switch (v.typeId()) {
        case QMetaType::Bool: stmt.bind(n, v.toBool() ? -1 : 0); break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort: stmt.bind(n, static_cast<int64_t>(v.toLongLong())); break;
        case QMetaType::Double:
        case QMetaType::Float: stmt.bind(n, v.toDouble()); break;
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            stmt.bind(n, b.constData(), static_cast<int>(b.size()));
            break;
        }
        default: stmt.bind(n, v.toString().toStdString());
        }
    }
}

Database::Database(std::unique_ptr<SQLite::Database> db, QString path) : db_(std::move(db)), path_(std::move(path))
{
}

Database::~Database()
{
    if (db_ && inTransaction() && !rollback())
        qWarning().noquote() << "database" << QFileInfo(path_).fileName() << "left with a transaction open";
}

std::unique_ptr<Database> Database::open(const QString& path, QString* error)
{
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        const QString reason = QStringLiteral("%1: no such file").arg(path);
        qWarning().noquote() << "database: cannot open" << reason;
        if (error)
            *error = reason;
        return nullptr;
    }
    auto db = connect(path, SQLite::OPEN_READWRITE, error);
    if (!db)
        return nullptr;
    std::unique_ptr<Database> out(new Database(std::move(db), path));
    // A file that cannot be brought up to date still works in this program,
    // whose connections know the reading order; it is tried again next time.
    if (!dropStoredCollation(*out))
        qWarning().noquote() << "database: the layout of" << path << "could not be brought up to date";
    out->clearError();
    return out;
}

std::unique_ptr<Database> Database::createNew(const QString& path, QString* error)
{
    if (QFileInfo::exists(path)) {
        const QString reason = QStringLiteral("%1: the file exists already").arg(path);
        qWarning().noquote() << "database: cannot create" << reason;
        if (error)
            *error = reason;
        return nullptr;
    }
    auto db = connect(path, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE, error);
    if (!db)
        return nullptr;
    return std::unique_ptr<Database>(new Database(std::move(db), path));
}

void Database::fail(const QString& what, const QString& reason)
{
    lastError_ = what + QStringLiteral(": ") + reason;
    qWarning().noquote() << "database" << QFileInfo(path_).fileName() << lastError_;
}

bool Database::execute(const QString& sql, const QVariantList& params)
{
    try {
        SQLite::Statement stmt(*db_, sql.toStdString());
        bindAll(stmt, params);
        stmt.exec();
        lastError_.clear();
        return true;
    } catch (const std::exception& e) {
        fail(sql, QString::fromUtf8(e.what()));
        return false;
    }
}

int Database::changes() const { return db_->getChanges(); }

std::optional<qint64> Database::count(const QString& sql, const QVariantList& params)
{
    Query q(*this, sql, params);
    if (!q.ok() || !q.next())
        return std::nullopt;
    const QVariant v = q.value(QStringLiteral("num"));
    if (v.isNull())
        return std::nullopt;
    return v.toLongLong();
}

Query Database::query(const QString& sql, const QVariantList& params) { return Query(*this, sql, params); }

Recordset Database::openDynaset(const QString& table, const QString& where, const QVariantList& params,
                                const QString& orderBy)
{
    return Recordset(*this, table, where, params, orderBy);
}

bool Database::executeWithAttached(const QString& otherPath, const QString& alias, const QString& sql,
                                   const QVariantList& params)
{
    if (!QFileInfo(otherPath).isFile()) {
        fail(sql, QStringLiteral("%1: no such file").arg(otherPath));
        return false;
    }
    if (!execute(QStringLiteral("ATTACH DATABASE ? AS \"%1\"").arg(alias), {otherPath}))
        return false;
    const bool ok = execute(sql, params);
    const QString error = lastError_;
    if (!execute(QStringLiteral("DETACH DATABASE \"%1\"").arg(alias)))
        return false; // the file stays attached to this connection: a failure all the same
    lastError_ = ok ? QString() : error;
    return ok;
}

bool Database::hasTable(const QString& name)
{
    const auto n = count(QStringLiteral("SELECT count(*) AS num FROM sqlite_master WHERE type = 'table' AND name = ?"),
                         {name});
    return n && *n > 0;
}

int Database::userVersion()
{
    Query q(*this, QStringLiteral("PRAGMA user_version"), {});
    return q.ok() && q.next() ? q.value(0).toInt() : 0;
}

bool Database::beginTransaction() { return execute(QStringLiteral("BEGIN IMMEDIATE")); }
bool Database::commit() { return execute(QStringLiteral("COMMIT")); }
bool Database::rollback() { return execute(QStringLiteral("ROLLBACK")); }
bool Database::inTransaction() const { return sqlite3_get_autocommit(db_->getHandle()) == 0; }

Transaction::Transaction(Database& db) : db_(db), active_(db.beginTransaction()) {}

Transaction::~Transaction()
{
    if (active_ && db_.inTransaction() && !db_.rollback())
        qWarning("database: a transaction could not be rolled back");
}

bool Transaction::commit()
{
    if (!active_)
        return false;
    active_ = false;
    if (db_.commit())
        return true;
    if (db_.inTransaction() && !db_.rollback())
        qWarning("database: a failed commit could not be rolled back");
    return false;
}

} // namespace rov2
