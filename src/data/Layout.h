#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace rov2 {

/// The three kinds of database file the program works with.
enum class FileKind { Data, Work, Postal };

/// Storage type of a column, as the program uses it.
enum class ColumnType {
    Text,       ///< short text, may be Null or empty
    Memo,       ///< long text
    Integer,    ///< whole number
    YesNo,      ///< stored as -1 (True) or 0 (False)
    AutoNumber, ///< whole number given by the table when a row is appended
};

struct ColumnLayout {
    QString name;
    ColumnType type = ColumnType::Text;
    /// A reading (ふりがな) that lists sort in Japanese order. The order is asked
    /// for in each query (`ORDER BY ふりがな COLLATE JA`) and never stored in the
    /// file, so that standard SQLite tools can read the files.
    bool readingOrder = false;
    /// Value taken when a row is appended without this column; invalid for Null.
    QVariant defaultValue;
};

struct IndexLayout {
    QString name;
    QStringList columns;
};

struct TableLayout {
    QString name;
    std::vector<ColumnLayout> columns;
    std::vector<IndexLayout> indexes;

    QStringList columnNames() const;
    /// The CREATE TABLE statement of this layout.
    QString createStatement() const;
    /// The CREATE INDEX statements of this layout.
    QStringList indexStatements() const;
};

/// Layout version written to every file (PRAGMA user_version); raised when a
/// later release changes a layout, so that it can upgrade older files in place.
/// 2: the reading columns no longer declare the collation JA.
inline constexpr int kLayoutVersion = 2;

/// Every table of one kind of file, in a fixed order.
const std::vector<TableLayout>& tablesOf(FileKind kind);

/// The layout of one table, or nullptr.
const TableLayout* findTable(FileKind kind, const QString& name);

/// Name of the collation that orders readings (ふりがな) the Japanese way;
/// every connection of ours registers it, and queries name it where they sort.
inline constexpr const char* kReadingCollation = "JA";

} // namespace rov2
