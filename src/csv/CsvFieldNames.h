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

/// The joint names 連名1 to 連名5: each becomes a member of the customer's family.
const QStringList& jointNameFields();

/// What a column may be read as: the importable fields, then the joint names.
const QStringList& mappableFields();

/// What a column heading says about its column.
struct HeadingMeaning
{
    enum class Kind {
        Whole,    ///< the whole field (氏名)
        Part,     ///< a part, joined with the field's other parts (姓, 都道府県)
        Building, ///< 住所2 when the file has a 住所2 column, else the end of 住所1
        Mobile,   ///< TEL2 unless a column fills it, else TEL1 unless a column fills that
    };
    QString field; ///< empty when the heading names no field
    Kind kind = Kind::Whole;
    int rank = 0; ///< where a part stands among its field's parts
};

/// The rank of a heading that names no part: after the named ones.
inline constexpr int kUnrankedPart = 100;

/// The meaning of a column heading: a field's own name, or one of the common
/// spellings of other address books and contact exports (氏名 → 名称,
/// 姓 + 名 → 名称, セイ + メイ → ふりがな, 都道府県 + 市区町村 + 番地 → 住所1,
/// 建物名 → 住所2, 携帯 → TEL2, Last Name, Home Street ...). Compared folded:
/// width and letter case, blanks, brackets and a leading 自宅 or trailing
/// (自宅) do not matter (ＴＥＬ, ﾌﾘｶﾞﾅ（姓）, 自宅〒, 電話（自宅）).
HeadingMeaning headingMeaning(const QString& heading);

/// The field a heading names (headingMeaning): a building's 住所2, a
/// mobile's TEL2. Empty when the heading names no field.
QString fieldForHeading(const QString& heading);

/// True when @p row looks like a heading line: a cell names a field (code included).
bool looksLikeHeading(const QStringList& row);

/// The automatic mapping of columns to fields: by heading when there are
/// headings, by the exported order otherwise. A field goes to one column
/// (the first) that names it whole, else to every column that names a part of
/// it; the other columns are left out (empty).
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
