#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>
#include <vector>

namespace rov2 {

/// True when every cell of a row is blank: an import passes such rows over.
bool allCellsEmpty(const QStringList& cells);

/// The fields that the cells of one row fill, column by column under
/// @p mapping (a field per column; empty: left out), checked and brought to
/// their stored forms: dates "yyyy/mm/dd" from any form the date box reads,
/// the birth month and (unless given) the age from the date, 男性/女性 as
/// 男/女. Empty cells give nothing.
/// @return the fields, or nothing with the reason the row is refused in @p reason.
std::optional<QVariantMap> fieldsOfRow(const QStringList& cells, const std::vector<QString>& mapping,
                                       QString* reason);

/// Why a row with more cells than the heading line is refused; empty when it
/// has no more. Such a row mostly holds a comma outside quotes, which puts
/// every field after it one column off.
QString widerThanHeading(const QStringList& cells, const QStringList& heading);

} // namespace rov2
