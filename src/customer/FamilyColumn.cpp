#include "FamilyColumn.h"

#include <array>

namespace rov2::family {

QString fieldName(int column)
{
    static const std::array<const char*, ColumnCount> names = {"名称",   "氏名",  "ふりがな", "続柄",
                                                               "性別",   "Email", "携帯電話", "生年月日",
                                                               "誕生月", "年齢",  "勤務先",   "メモ"};
    if (column < 0 || column >= ColumnCount)
        return {};
    return QString::fromUtf8(names[static_cast<size_t>(column)]);
}

bool isLatinColumn(int column)
{
    return column == Email || column == 携帯電話 || column == 生年月日 || column == 年齢;
}

} // namespace rov2::family
