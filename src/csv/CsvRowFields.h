#pragma once

#include "FieldLayout.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>
#include <vector>

namespace rov2 {

/// True when every cell of a row is blank: an import passes such rows over.
bool allCellsEmpty(const QStringList& cells);

/// What a cell puts into @p field: the apostrophe that an export writes
/// before a formula taken off, and in every field but the memos (the screens'
/// one-line inputs) the control characters dropped, as those inputs drop them
/// from pasted text.
QString importedCell(const QString& field, const QString& cell);

/// A field that a file fills, and the columns it is read from in the order
/// their texts are joined.
struct FieldColumns
{
    QString field;
    std::vector<qsizetype> columns;
    int slot = -1; ///< the field's place in a row's values (FieldLayout of the mapping)
};

/// The fields of @p mapping (a field per column; empty: left out) with their
/// columns and their places in FieldLayout(@p mapping). Several columns of
/// one field are joined in the rank order of their @p headings
/// (headingMeaning: 姓 before 名, 都道府県 before 番地 whatever the column
/// order), then in column order; without headings in column order.
std::vector<FieldColumns> fieldColumns(const std::vector<QString>& mapping, const QStringList& headings);

/// The texts of the columns of one field joined: a name's parts with a
/// full-width blank (山田　太郎), a reading's with a half-width one, an
/// address's with nothing between them, a memo's on lines of their own, any
/// other field's with a half-width blank. Empty parts are passed over; an
/// address part that repeats what comes before it (住所 that starts with the
/// 都道府県 of the column before) replaces it.
QString joinedParts(const QString& field, const QStringList& parts);

/// The text that the cells of one row give @p f: its one column's cell as
/// importedCell gives it, or its columns' cells trimmed and joined by joinedParts.
QString fieldText(const QStringList& cells, const FieldColumns& f);

/// What the rules of a row need besides its cells: @p today, read once for
/// all rows of an import.
struct RowRules
{
    QString defaultSex;
    QDate today;
};

/// The fields that the cells of one row fill under @p columns, as importedCell
/// gives them and joined by joinedParts, checked by the screens' rules and
/// brought to their stored forms: dates "yyyy/mm/dd" from any form the date
/// box reads and not after today, the birth month and (unless given) the age
/// from the date, 性別 one of "女" and "男" (男性/女性 as 男/女; anything else
/// becomes the default sex). Fields that are empty then give nothing.
/// @return the fields, or nothing with the reason the row is refused in @p reason.
std::optional<QVariantMap> fieldsOfRow(const QStringList& cells, const std::vector<FieldColumns>& columns,
                                       const RowRules& rules, QString* reason);

/// The first half of fieldsOfRow: the texts the cells of one row give the
/// fields of @p columns (placed by fieldColumns), into @p row, which is
/// overwritten; the fields no column fills are left invalid. What an import
/// runs for each of its rows, into one array.
void fieldTexts(const QStringList& cells, const std::vector<FieldColumns>& columns, FieldValues* row);

/// The second half: the rules of fieldsOfRow applied to the texts of fieldTexts.
/// @return false, with the reason in @p reason, when the row is refused.
bool applyRowRules(const RowRules& rules, FieldValues* row, QString* reason);

/// The same for a mapping without headings, on Clock::today().
std::optional<QVariantMap> fieldsOfRow(const QStringList& cells, const std::vector<QString>& mapping,
                                       const QString& defaultSex, QString* reason);

/// Why a row with more cells than the heading line is refused; empty when it
/// has no more. Such a row mostly holds a comma outside quotes, which puts
/// every field after it one column off.
QString widerThanHeading(const QStringList& cells, const QStringList& heading);

} // namespace rov2
