#include "Query.h"

#include "Database.h"

#include <QtDebug>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

namespace rov2 {

QVariant columnValue(SQLite::Statement& stmt, int index)
{
    const SQLite::Column c = stmt.getColumn(index);
    switch (c.getType()) {
    case SQLITE_NULL: return {};
    case SQLITE_INTEGER: return QVariant(static_cast<qlonglong>(c.getInt64()));
    case SQLITE_FLOAT: return QVariant(c.getDouble());
    case SQLITE_BLOB: return QVariant(QByteArray(static_cast<const char*>(c.getBlob()), c.getBytes()));
    default: return QVariant(QString::fromUtf8(c.getText(), c.getBytes()));
    }
}

Query::Query(Database& db, const QString& sql, const QVariantList& params) : db_(&db)
{
    try {
        stmt_ = std::make_unique<SQLite::Statement>(db.native(), sql.toStdString());
        bindAll(*stmt_, params);
        for (int i = 0; i < stmt_->getColumnCount(); ++i)
            names_ << QString::fromUtf8(stmt_->getColumnName(i));
        ok_ = true;
        db.clearError();
    } catch (const std::exception& e) {
        db.fail(sql, QString::fromUtf8(e.what()));
    }
}

Query::Query(Query&&) noexcept = default;
Query& Query::operator=(Query&&) noexcept = default;
Query::~Query() = default;

bool Query::next()
{
    if (!ok_)
        return false;
    try {
        return stmt_->executeStep();
    } catch (const std::exception& e) {
        ok_ = false;
        db_->fail(QString::fromStdString(stmt_->getQuery()), QString::fromUtf8(e.what()));
        return false;
    }
}

QVariant Query::value(int column) const
{
    if (!ok_ || column < 0 || column >= names_.size() || !stmt_->hasRow())
        return {};
    return columnValue(*stmt_, column);
}

QVariant Query::value(const QString& column) const
{
    const auto i = names_.indexOf(column);
    if (i < 0 && ok_) {
        // A misspelt field would otherwise read as Null without a word.
        qWarning().noquote() << "query: no field" << column << "in" << QString::fromStdString(stmt_->getQuery());
        return {};
    }
    return value(static_cast<int>(i));
}

} // namespace rov2
