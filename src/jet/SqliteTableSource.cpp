#include "SqliteTableSource.h"

#include "Database.h"
#include "Query.h"

namespace rov2 {
namespace {

class SqliteCursor : public RowCursor {
public:
    explicit SqliteCursor(Query query) : query_(std::move(query)), names_(query_.columnNames()) {}
    const QStringList& fieldNames() const override { return names_; }
    bool next() override { return query_.next(); }
    QVariant value(const QString& field) const override
    {
        return names_.contains(field) ? query_.value(field) : QVariant();
    }
    bool failed() const override { return !query_.ok(); }
    QString error() const override { return failed() ? QStringLiteral("the table could not be read to its end") : QString(); }

private:
    Query query_;
    QStringList names_;
};

QString quotedName(const QString& name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

} // namespace

SqliteTableSource::SqliteTableSource(std::unique_ptr<Database> db, QStringList tables)
    : db_(std::move(db)), tables_(std::move(tables))
{
}
SqliteTableSource::~SqliteTableSource() = default;

std::unique_ptr<SqliteTableSource> SqliteTableSource::open(const QString& path, QString* error)
{
    auto db = Database::open(path, error);
    if (!db)
        return nullptr;
    QStringList tables;
    Query q = db->query(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid"));
    while (q.next())
        tables << q.value(0).toString();
    if (!q.ok()) {
        if (error)
            *error = QStringLiteral("%1: the list of tables cannot be read").arg(path);
        return nullptr;
    }
    return std::unique_ptr<SqliteTableSource>(new SqliteTableSource(std::move(db), tables));
}

std::unique_ptr<RowCursor> SqliteTableSource::openTable(const QString& name, QString* error)
{
    const QString table = findTable(name);
    if (table.isEmpty()) {
        if (error)
            *error = QStringLiteral("no table %1").arg(name);
        return nullptr;
    }
    // Stored order (rowid), as the rows were appended.
    Query q = db_->query(QStringLiteral("SELECT * FROM ") + quotedName(table));
    if (!q.ok()) {
        if (error)
            *error = db_->lastError();
        return nullptr;
    }
    return std::make_unique<SqliteCursor>(std::move(q));
}

} // namespace rov2
