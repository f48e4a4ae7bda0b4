#pragma once

#include <QString>

namespace rov2::family {

/// The columns of the family grid, in the order of the work table w家族情報.
enum Column : int {
    名称 = 0, ///< bound to the table but never filled by the customer screen
    氏名,
    ふりがな,
    続柄,
    性別,
    Email,
    携帯電話,
    生年月日,
    誕生月,
    年齢,
    勤務先,
    メモ,
    ColumnCount
};

/// The field of w家族情報 that a column shows; it is also the column's caption.
QString fieldName(int column);

/// True for the columns typed in with the input method off (mail address,
/// telephone, date and age); the others take Japanese text.
bool isLatinColumn(int column);

} // namespace rov2::family
