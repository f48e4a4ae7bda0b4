#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace rov2 {

/// The fields of 顧客マスタ, in the table's order (code first): the columns
/// of an exported customer file.
const QStringList& customerCsvColumns();
/// The fields of 家族情報, in the table's order: the columns of the family file.
const QStringList& familyCsvColumns();

/// The fields of 顧客マスタ that an import may fill (all but code).
const QStringList& importableFields();

/// The field a column heading stands for: a field's own name, or one of the
/// common spellings (氏名/名前/顧客名 → 名称, フリガナ/よみ → ふりがな,
/// 〒/郵便 → 郵便番号, 電話/TEL → TEL1, 住所 → 住所1, 誕生日 → 生年月日 ...).
/// Width and letter case do not matter (ＴＥＬ, tel, ﾌﾘｶﾞﾅ). Empty when the
/// heading names no importable field.
QString fieldForHeading(const QString& heading);

/// True when @p row looks like a heading line: a cell names a field (code included).
bool looksLikeHeading(const QStringList& row);

/// The automatic mapping of columns to fields: by heading when there are
/// headings, by the exported order otherwise. A field goes to one column
/// only (the first); the other columns are left out (empty).
std::vector<QString> guessMapping(const QStringList& firstRow, bool hasHeading);

/// True when @p row is the heading line of a family file, such as the
/// customer export writes beside the customer file: it names 行番号, 氏名 and
/// 続柄. Its 名称 is the customer's, its 氏名 the member's; read as customers,
/// every member would land on the customer.
bool isFamilyHeading(const QStringList& row);

/// For each column of a family file's heading, the field of 家族情報 it
/// names (width and letter case aside); empty for any other heading.
std::vector<QString> familyMapping(const QStringList& heading);

} // namespace rov2
