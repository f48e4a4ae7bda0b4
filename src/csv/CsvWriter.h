#pragma once

#include "CsvEncoding.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace rov2 {

/// One field whose text the chosen encoding cannot hold.
struct CsvEncodeProblem
{
    int line = 0;      ///< 1-based line of the file (the header is line 1)
    int field = 0;     ///< 0-based column
    QString character; ///< the character (a surrogate pair stays whole)
};

/// One field as RFC 4180 writes it: quoted when it holds a comma, a quote,
/// CR or LF (or blanks at either end, which some readers drop), quotes doubled.
QString csvField(const QString& text);

/// One row: fields joined with commas, ended by CRLF.
QString csvLine(const QStringList& fields);

/// The bytes of a whole file: every row a line, in @p encoding.
/// @return the bytes, or nothing when CP932 cannot hold a character; then
/// @p problem says where (the first such field) and nothing should be written.
std::optional<QByteArray> encodeCsv(const std::vector<QStringList>& rows, CsvEncoding encoding,
                                    CsvEncodeProblem* problem = nullptr);

} // namespace rov2
