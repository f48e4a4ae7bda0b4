#include "CsvFieldNames.h"

#include "Layout.h"

#include <QHash>
#include <algorithm>

namespace rov2 {
namespace {

using Kind = HeadingMeaning::Kind;

const QString kHome = QStringLiteral("自宅");

bool isBracket(QChar c)
{
    static const QString brackets = QStringLiteral("()[]{}<>「」『』【】〔〕〈〉《》");
    return brackets.contains(c);
}

/// Headings compared folded: NFKC turns full-width letters and half-width
/// kana into their usual forms, case is ignored, blanks and brackets are
/// dropped, and the 自宅 that address books put before or after the home
/// address and telephone is taken off.
QString fold(const QString& heading)
{
    const QString normal = heading.normalized(QString::NormalizationForm_KC).toCaseFolded();
    QString out;
    out.reserve(normal.size());
    for (const QChar c : normal)
        if (!c.isSpace() && !isBracket(c))
            out += c;
    if (out.size() > kHome.size() && out.startsWith(kHome))
        out.remove(0, kHome.size());
    if (out.size() > kHome.size() && out.endsWith(kHome))
        out.chop(kHome.size());
    return out;
}

struct Spellings
{
    const char* field;
    Kind kind;
    int rank;
    std::initializer_list<const char*> spellings;
};

// Parts are joined in rank order: a name's surname first, an address from
// the prefecture down to the building.
const Spellings kSpellings[] = {
    {"名称", Kind::Whole, 0, {"氏名", "名前", "お名前", "顧客名", "会社名"}},
    {"名称", Kind::Part, 10, {"姓", "氏", "苗字", "Last Name", "Family Name"}},
    {"名称", Kind::Part, 20, {"名", "First Name", "Given Name"}},
    {"ふりがな", Kind::Whole, 0, {"フリガナ", "よみ", "ヨミ", "よみがな", "ヨミガナ", "読み", "カナ"}},
    {"ふりがな",
     Kind::Part,
     10,
     {"セイ", "姓ふりがな", "姓フリガナ", "姓カナ", "姓よみ", "フリガナ(姓)", "ふりがな(姓)",
      "Phonetic Last Name"}},
    {"ふりがな",
     Kind::Part,
     20,
     {"メイ", "名ふりがな", "名フリガナ", "名カナ", "名よみ", "フリガナ(名)", "ふりがな(名)",
      "Phonetic First Name"}},
    {"郵便番号", Kind::Whole, 0, {"〒", "郵便", "郵便番号", "郵便No", "ZIP", "Home Postal Code"}},
    {"住所1", Kind::Part, 10, {"都道府県", "Home State"}},
    {"住所1", Kind::Part, 20, {"市区町村", "Home City"}},
    {"住所1", Kind::Part, 30, {"住所", "住所1", "町名番地", "番地", "Home Street"}},
    {"住所2", Kind::Part, 40, {"住所2"}},
    {"住所2", Kind::Building, 50, {"住所3", "建物名", "マンション名", "Home Street 2"}},
    {"TEL1", Kind::Whole, 0, {"電話", "電話番号", "TEL", "電話1", "電話番号1", "PHONE", "Home Phone"}},
    {"TEL2", Kind::Whole, 0, {"電話2", "電話番号2"}},
    {"TEL2", Kind::Mobile, 0, {"携帯", "携帯電話", "携帯番号", "Mobile Phone"}},
    {"FAX", Kind::Whole, 0, {"ファックス", "FAX番号"}},
    {"Email",
     Kind::Whole,
     0,
     {"メール", "Eメール", "メールアドレス", "E-mail", "mail", "E-mail Address", "Eメールアドレス"}},
    {"生年月日", Kind::Whole, 0, {"誕生日", "生年月日", "Birthday"}},
    {"顧客メモ", Kind::Whole, 0, {"メモ", "備考"}},
    {"性別", Kind::Whole, 0, {"性"}},
    {"区分1", Kind::Whole, 0, {"区分"}},
};

const QHash<QString, HeadingMeaning>& headingTable()
{
    static const QHash<QString, HeadingMeaning> table = [] {
        QHash<QString, HeadingMeaning> t;
        for (const QString& f : mappableFields())
            t.insert(fold(f), HeadingMeaning{f, Kind::Whole, 0});
        for (const Spellings& s : kSpellings)
            for (const char* spelling : s.spellings)
                t.insert(fold(QString::fromUtf8(spelling)),
                         HeadingMeaning{QString::fromUtf8(s.field), s.kind, s.rank});
        return t;
    }();
    return table;
}

bool fills(const std::vector<QString>& mapping, const QString& field)
{
    return std::find(mapping.begin(), mapping.end(), field) != mapping.end();
}

/// The headings' fields: a whole column first, else the parts; then the
/// buildings and mobiles where their fields are free.
std::vector<QString> mappingOfHeadings(const QStringList& headings)
{
    std::vector<HeadingMeaning> meanings;
    for (const QString& h : headings)
        meanings.push_back(headingMeaning(h));
    std::vector<QString> mapping(meanings.size());
    for (std::size_t c = 0; c < meanings.size(); ++c)
        if (meanings[c].kind == Kind::Whole && !fills(mapping, meanings[c].field))
            mapping[c] = meanings[c].field;
    const std::vector<QString> wholes = mapping;
    for (std::size_t c = 0; c < meanings.size(); ++c)
        if (meanings[c].kind == Kind::Part && !fills(wholes, meanings[c].field))
            mapping[c] = meanings[c].field;
    const bool address2 = fills(mapping, QStringLiteral("住所2"));
    for (std::size_t c = 0; c < meanings.size(); ++c) {
        if (meanings[c].kind == Kind::Building)
            mapping[c] = address2 ? QStringLiteral("住所2") : QStringLiteral("住所1");
        if (meanings[c].kind != Kind::Mobile)
            continue;
        for (const QString& phone : {QStringLiteral("TEL2"), QStringLiteral("TEL1")})
            if (mapping[c].isEmpty() && !fills(mapping, phone))
                mapping[c] = phone;
    }
    return mapping;
}

} // namespace

const QStringList& customerCsvColumns()
{
    static const QStringList columns = findTable(FileKind::Data, QStringLiteral("顧客マスタ"))->columnNames();
    return columns;
}

const QStringList& familyCsvColumns()
{
    static const QStringList columns = findTable(FileKind::Data, QStringLiteral("家族情報"))->columnNames();
    return columns;
}

const QStringList& importableFields()
{
    static const QStringList fields = customerCsvColumns().mid(1); // all but code, which the table numbers
    return fields;
}

const QStringList& jointNameFields()
{
    static const QStringList fields{QStringLiteral("連名1"), QStringLiteral("連名2"), QStringLiteral("連名3"),
                                    QStringLiteral("連名4"), QStringLiteral("連名5")};
    return fields;
}

const QStringList& mappableFields()
{
    static const QStringList fields = importableFields() + jointNameFields();
    return fields;
}

HeadingMeaning headingMeaning(const QString& heading)
{
    return headingTable().value(fold(heading), HeadingMeaning{{}, Kind::Whole, kUnrankedPart});
}

QString fieldForHeading(const QString& heading)
{
    return headingMeaning(heading).field;
}

bool looksLikeHeading(const QStringList& row)
{
    for (const QString& cell : row)
        if (!fieldForHeading(cell).isEmpty() || fold(cell) == QStringLiteral("code"))
            return true;
    return false;
}

std::vector<QString> guessMapping(const QStringList& firstRow, bool hasHeading)
{
    if (hasHeading)
        return mappingOfHeadings(firstRow);
    std::vector<QString> mapping;
    for (qsizetype i = 0; i < firstRow.size(); ++i) {
        QString field;
        if (i < customerCsvColumns().size() && i > 0)
            field = customerCsvColumns().at(i); // column 0 of an exported file is code
        mapping.push_back(field);
    }
    return mapping;
}

bool isFamilyHeading(const QStringList& row)
{
    const std::vector<QString> mapping = familyMapping(row);
    const auto names = [&](const char* field) {
        return std::find(mapping.begin(), mapping.end(), QString::fromUtf8(field)) != mapping.end();
    };
    return names("行番号") && names("氏名") && names("続柄");
}

std::vector<QString> familyMapping(const QStringList& heading)
{
    std::vector<QString> mapping;
    for (const QString& cell : heading) {
        QString field;
        for (const QString& f : familyCsvColumns())
            if (fold(cell) == fold(f))
                field = f;
        mapping.push_back(field);
    }
    return mapping;
}

} // namespace rov2
