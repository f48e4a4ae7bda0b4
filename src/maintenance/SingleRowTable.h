#pragma once

#include <QString>
#include <QVariantMap>

namespace rov2 {

/// The tables that hold one row only: 自社情報 (the settings, data file) and
/// 管理 (the data locations, work file). Only the first row is ever read.
namespace SingleRowTable {

enum class ReadStatus {
    Ok,     ///< fields hold the first row
    NoRow,  ///< the table is empty
    Failed, ///< the file or the table could not be read
};

struct Row {
    ReadStatus status = ReadStatus::Failed;
    QVariantMap fields; ///< every field of the row; a Null field is a null QVariant
};

/// Reads the first row of @p table in @p file.
Row readFirst(const QString& file, const QString& table);

/// Replaces every row of @p table by one row holding @p fields. Fields that
/// @p fields does not name keep the value they had in the old first row
/// (Null when there was none), so that a save of the settings does not lose
/// the business's name and address. All of it happens in one transaction:
/// on failure the table is as it was.
/// @return true when the new row was committed.
bool replace(const QString& file, const QString& table, const QVariantMap& fields);

} // namespace SingleRowTable
} // namespace rov2
