#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <optional>

namespace rov2::report {

/// The rows a report prints, in the order they print, with the names of their
/// columns. A column of a join may be named "table.field"; a field is then
/// found under that name or, when no other column ends the same way, under
/// its bare name.
class RowSet {
public:
    RowSet() = default;
    explicit RowSet(QStringList columns);

    void append(QVector<QVariant> row) { rows_.append(std::move(row)); }
    /// Lets go of the values of row @p row, which then reads as Null: for a
    /// reader that is done with it. The row numbers stay as they were.
    void release(int row) { rows_[row] = QVector<QVariant>(); }
    int size() const { return static_cast<int>(rows_.size()); }
    bool isEmpty() const { return rows_.isEmpty(); }
    const QStringList& columns() const { return columns_; }

    /// The column index of a field name, or -1.
    int columnOf(const QString& field) const;
    /// The value of a field in row @p row; a null QVariant for an unknown field.
    QVariant value(int row, const QString& field) const;
    QVariant value(int row, int column) const { return column < 0 ? QVariant() : rows_.at(row).value(column); }

private:
    QStringList columns_;
    QHash<QString, int> index_;
    QVector<QVector<QVariant>> rows_;
};

/// Reads the rows of a select from a database file.
/// @return the rows, or nothing (the reason in @p error) when the file cannot
/// be opened or the statement fails.
std::optional<RowSet> readRows(const QString& file, const QString& sql, QString* error = nullptr);

} // namespace rov2::report
