#include "RowSet.h"

#include "RowStream.h"

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
    std::unique_ptr<RowStream> stream = RowStream::open(file, sql, error);
    if (!stream)
        return std::nullopt;
    RowSet rows(stream->columns());
    QVector<QVariant> row;
    while (stream->next(&row))
        rows.append(std::move(row));
    if (stream->failed()) {
        if (error)
            *error = stream->error();
        return std::nullopt;
    }
    return rows;
}

} // namespace rov2::report
