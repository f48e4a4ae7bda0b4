#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

namespace rov2 {

/// What kind of database a file is, told by its first bytes (never by its name:
/// the Windows programs and this one both call their files ".mdb").
enum class SourceKind { Missing, Jet, Sqlite, Unknown };

SourceKind sniffSourceKind(const QString& path);

/// The rows of one table of an older file, read forward once.
class RowCursor {
public:
    virtual ~RowCursor() = default;
    virtual const QStringList& fieldNames() const = 0;
    /// Moves to the next row. @return false at the end, or when reading failed (see failed()).
    virtual bool next() = 0;
    /// The value of a field of the current row; a null QVariant for Null and
    /// for a field the table does not have (check fieldNames() to tell them apart).
    virtual QVariant value(const QString& field) const = 0;
    /// True when next() stopped because the table could not be read further.
    virtual bool failed() const = 0;
    virtual QString error() const = 0;
};

/// A file whose tables the program takes data from: a Jet file of the Windows
/// programs or an SQLite file of this one.
class TableSource {
public:
    virtual ~TableSource() = default;
    virtual SourceKind kind() const = 0;
    virtual QStringList tableNames() const = 0;
    /// The table's name as the file spells it, matched without regard to case; empty when absent.
    QString findTable(const QString& name) const;
    /// @return the open table, or nullptr (reason in @p error) when it is absent or unreadable.
    virtual std::unique_ptr<RowCursor> openTable(const QString& name, QString* error = nullptr) = 0;
};

struct SourceOptions {
    /// Code page of Jet 3 text (iconv name); see JetOptions.
    QString jet3CodePage = QStringLiteral("CP932");
};

/// Opens @p path as whichever kind its first bytes say.
/// @return nullptr with the reason in @p error when the file is missing, of
/// another kind, or cannot be read; @p kind (when given) says which.
std::unique_ptr<TableSource> openTableSource(const QString& path, const SourceOptions& options = {},
                                             QString* error = nullptr, SourceKind* kind = nullptr);

} // namespace rov2
