#pragma once

#include "CsvEncoding.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace rov2 {

/// A CSV file read into memory: its encoding and its rows of fields.
struct CsvTable
{
    CsvEncoding encoding = CsvEncoding::Utf8;
    std::vector<QStringList> rows;
    /// For a table made from another kind of file, the line of the file each
    /// row comes from; empty for a CSV file, whose rows are numbered as a
    /// spreadsheet numbers them.
    std::vector<int> lines;

    /// The 1-based number the user finds row @p row of the file by.
    int lineOf(std::size_t row) const { return row < lines.size() ? lines[row] : static_cast<int>(row) + 1; }
};

/// Why a CSV file could not be read.
enum class CsvReadError {
    None,
    CannotOpen,  ///< missing or unreadable
    BadEncoding, ///< neither valid UTF-8 nor valid CP932
    BadFormat,   ///< a quoted field that never ends, or a stray quote
};

/// The number of cells of the widest row.
qsizetype widestRow(const CsvTable& table);

/// Splits CSV text (RFC 4180: fields quoted with '"', quotes doubled inside;
/// rows end with CRLF, LF or CR; a quoted field may hold line breaks).
/// Empty lines are skipped. @return nothing when the text ends inside quotes
/// or a quote stands inside a field that is not quoted.
std::optional<std::vector<QStringList>> parseCsv(const QString& text);

/// Reads a CSV file, recognising its encoding (detectEncoding); a contacts
/// file (looksLikeVCard) is read as readVCardBytes reads it.
/// @param error set to why nothing was returned.
std::optional<CsvTable> readCsvFile(const QString& path, CsvReadError* error = nullptr);

/// The same for bytes already in memory.
std::optional<CsvTable> readCsvBytes(const QByteArray& bytes, CsvReadError* error = nullptr);

} // namespace rov2
