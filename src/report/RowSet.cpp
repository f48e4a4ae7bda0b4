#include "RowSet.h"

#include "Database.h"
#include "Query.h"

#include <QtDebug>

namespace rov2::report {

RowSet::RowSet(QStringList columns) : columns_(std::move(columns))
{
    for (int i = 0; i < columns_.size(); ++i) {
        const QString& name = columns_.at(i);
        index_.insert(name, i);
        // A qualified name also answers to its bare field name, unless two
        // columns share that field name (the join's 名称): then only the
        // qualified names find them.
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        if (dot < 0)
            continue;
        const QString bare = name.mid(dot + 1);
        if (columns_.indexOf(bare) >= 0)
            continue;
        if (index_.contains(bare))
            index_[bare] = -1;
        else
            index_.insert(bare, i);
    }
}

int RowSet::columnOf(const QString& field) const
{
    return index_.value(field, -1);
}

QVariant RowSet::value(int row, const QString& field) const
{
    return value(row, columnOf(field));
}

std::optional<RowSet> readRows(const QString& file, const QString& sql, QString* error)
{
    std::unique_ptr<Database> db = Database::open(file, error);
    if (!db)
        return std::nullopt;
    Query q = db->query(sql);
    if (!q.ok()) {
        if (error)
            *error = db->lastError();
        return std::nullopt;
    }
    RowSet rows(q.columnNames());
    const int n = static_cast<int>(rows.columns().size());
    while (q.next()) {
        QVector<QVariant> row(n);
        for (int i = 0; i < n; ++i)
            row[i] = q.value(i);
        rows.append(std::move(row));
    }
    if (!q.ok()) {
        if (error)
            *error = db->lastError();
        qWarning() << "report rows of" << file << "stopped:" << db->lastError();
        return std::nullopt;
    }
    return rows;
}

} // namespace rov2::report
