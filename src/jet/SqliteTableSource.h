#pragma once

#include "TableSource.h"

namespace rov2 {

class Database;

/// The tables of an SQLite file (an older data file of this program) as a TableSource.
class SqliteTableSource : public TableSource {
public:
    static std::unique_ptr<SqliteTableSource> open(const QString& path, QString* error = nullptr);
    ~SqliteTableSource() override;

    SourceKind kind() const override { return SourceKind::Sqlite; }
    QStringList tableNames() const override { return tables_; }
    std::unique_ptr<RowCursor> openTable(const QString& name, QString* error = nullptr) override;

private:
    SqliteTableSource(std::unique_ptr<Database> db, QStringList tables);
    std::unique_ptr<Database> db_;
    QStringList tables_;
};

} // namespace rov2
