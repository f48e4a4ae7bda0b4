#pragma once

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

/// The fields that the cells of one row fill, column by column under
/// @p mapping (a field per column; empty: left out), as importedCell gives
/// them, checked by the screens' rules and brought to their stored forms:
/// dates "yyyy/mm/dd" from any form the date box reads and not after
/// Clock::today(), the birth month and (unless given) the age from the date,
/// 性別 one of "女" and "男" (男性/女性 as 男/女; anything else becomes
/// @p defaultSex). Cells that are empty then give nothing.
/// @return the fields, or nothing with the reason the row is refused in @p reason.
std::optional<QVariantMap> fieldsOfRow(const QStringList& cells, const std::vector<QString>& mapping,
                                       const QString& defaultSex, QString* reason);

/// Why a row with more cells than the heading line is refused; empty when it
/// has no more. Such a row mostly holds a comma outside quotes, which puts
/// every field after it one column off.
QString widerThanHeading(const QStringList& cells, const QStringList& heading);

} // namespace rov2
