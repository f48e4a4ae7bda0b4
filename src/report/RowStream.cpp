#include "RowStream.h"

#include "Database.h"
#include "Query.h"

#include <QtDebug>

namespace rov2::report {

RowStream::RowStream(std::unique_ptr<Database> db, std::unique_ptr<Query> query)
    : db_(std::move(db)), query_(std::move(query)), columns_(query_->columnNames())
{
}

RowStream::~RowStream() = default;

std::unique_ptr<RowStream> RowStream::open(const QString& file, const QString& sql, QString* error)
{
    std::unique_ptr<Database> db = Database::open(file, error);
    if (!db)
        return nullptr;
    auto query = std::make_unique<Query>(db->query(sql));
    if (!query->ok()) {
        if (error)
            *error = db->lastError();
        return nullptr;
    }
    return std::unique_ptr<RowStream>(new RowStream(std::move(db), std::move(query)));
}

bool RowStream::next(QVector<QVariant>* row)
{
    if (!query_->next()) {
        failed_ = !query_->ok();
        if (failed_)
            qWarning().noquote() << "report rows of" << db_->path() << "stopped:" << db_->lastError();
        return false;
    }
    const int n = static_cast<int>(columns_.size());
    row->resize(n);
    for (int i = 0; i < n; ++i)
        (*row)[i] = query_->value(i);
    return true;
}

QString RowStream::error() const
{
    return db_->lastError();
}

} // namespace rov2::report
