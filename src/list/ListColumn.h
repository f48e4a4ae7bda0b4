#pragma once

#include <QString>

namespace rov2 {

/// The columns of the customer list, in grid order.
namespace listcol {
enum Column { チェック, 名称, ふりがな, 氏名, 続柄, 住所1, 家族, Count };
/// The field of w顧客リスト that a column shows.
QString fieldName(int column);
/// The column's caption; the check column has none.
QString caption(int column);
} // namespace listcol

} // namespace rov2
