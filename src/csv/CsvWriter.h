#pragma once

#include "CsvEncoding.h"

#include <QByteArray>
#include <QByteArrayView>
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

/// What becomes of a cell that a spreadsheet would run as a formula: one
/// that starts with =, +, -, @, a tab or CR (a customer named
/// "=HYPERLINK(...)" would run when the shop opens the file).
enum class FormulaCells {
    Neutralised, ///< written after an apostrophe, which makes the cell text
    AsTheyAre,   ///< written as they are, for a reader that runs nothing
};

/// @p text as a cell that no spreadsheet runs: an apostrophe before it when it
/// would be a formula, or when it only looks like such a cell already (a
/// leading apostrophe before a formula), so that withoutFormulaGuard gives it back.
QString formulaGuarded(const QString& text);

/// A cell read from a file with the apostrophe of formulaGuarded taken off;
/// any other cell, such as a name that starts with an apostrophe and a
/// letter, as it is.
QString withoutFormulaGuard(const QString& cell);

/// One field as RFC 4180 writes it: quoted when it holds a comma, a quote,
/// CR or LF (or blanks at either end, which some readers drop), quotes doubled.
QString csvField(const QString& text);

/// Appends @p utf8, valid UTF-8 text, to @p line as one field: the bytes of
/// csvField() of the text (after formulaGuarded() when @p formulas says so)
/// in UTF-8, without taking the text apart into a QString.
void appendCsvField(QByteArray& line, QByteArrayView utf8, FormulaCells formulas = FormulaCells::Neutralised);

/// One row: fields joined with commas, ended by CRLF.
QString csvLine(const QStringList& fields, FormulaCells formulas = FormulaCells::Neutralised);

/// The bytes of a whole file: every row a line, in @p encoding.
/// @return the bytes, or nothing when CP932 cannot hold a character; then
/// @p problem says where (the first such field) and nothing should be written.
std::optional<QByteArray> encodeCsv(const std::vector<QStringList>& rows, CsvEncoding encoding,
                                    CsvEncodeProblem* problem = nullptr,
                                    FormulaCells formulas = FormulaCells::Neutralised);

} // namespace rov2
