#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

namespace rov2 {
class Database;
class Query;
} // namespace rov2

namespace rov2::report {

/// The rows of a select, read one at a time as they are wanted, so that a
/// report's first page can be laid out before its last row is read. The file
/// stays open (and read-locked) until the last row is read or the stream is
/// dropped: read the rest soon.
class RowStream
{
public:
    /// @return the stream, or nothing (the reason in @p error) when the file
    /// cannot be opened or the statement fails.
    static std::unique_ptr<RowStream> open(const QString& file, const QString& sql, QString* error = nullptr);
    ~RowStream();
    RowStream(const RowStream&) = delete;
    RowStream& operator=(const RowStream&) = delete;

    const QStringList& columns() const { return columns_; }
    /// Reads the next row into @p row. @return false at the end or when a
    /// step failed (then failed() is true and the reason logged).
    bool next(QVector<QVariant>* row);
    bool failed() const { return failed_; }
    QString error() const;

private:
    RowStream(std::unique_ptr<Database> db, std::unique_ptr<Query> query);

    std::unique_ptr<Database> db_;
    std::unique_ptr<Query> query_;
    QStringList columns_;
    bool failed_ = false;
};

} // namespace rov2::report
