#include "CsvFieldNames.h"

#include "Layout.h"

#include <QHash>
#include <algorithm>

namespace rov2 {
namespace {

/// Headings compared folded: NFKC turns full-width letters and half-width
/// kana into their usual forms, case is ignored, blanks around dropped.
QString fold(const QString& heading)
{
    return heading.normalized(QString::NormalizationForm_KC).trimmed().toCaseFolded();
}

const QHash<QString, QString>& headingTable()
{
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> t;
        for (const QString& f : importableFields())
            t.insert(fold(f), f);
        const struct
        {
            const char* field;
            std::initializer_list<const char*> spellings;
        } aliases[] = {
            {"名称", {"氏名", "名前", "お名前", "顧客名", "会社名"}},
            {"ふりがな", {"フリガナ", "よみ", "ヨミ", "よみがな", "ヨミガナ", "読み", "カナ"}},
            {"郵便番号", {"〒", "郵便", "郵便番号", "郵便No", "ZIP"}},
            {"住所1", {"住所"}},
            {"TEL1", {"電話", "電話番号", "TEL", "電話1", "電話番号1", "PHONE"}},
            {"TEL2", {"電話2", "電話番号2"}},
            {"FAX", {"ファックス", "FAX番号"}},
            {"Email", {"メール", "Eメール", "メールアドレス", "E-mail", "mail"}},
            {"生年月日", {"誕生日", "生年月日"}},
            {"顧客メモ", {"メモ", "備考"}},
            {"性別", {"性"}},
            {"区分1", {"区分"}},
        };
        for (const auto& a : aliases)
            for (const char* s : a.spellings)
                t.insert(fold(QString::fromUtf8(s)), QString::fromUtf8(a.field));
        return t;
    }();
    return table;
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

QString fieldForHeading(const QString& heading)
{
    return headingTable().value(fold(heading));
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
    std::vector<QString> mapping;
    QStringList taken;
    for (qsizetype i = 0; i < firstRow.size(); ++i) {
        QString field;
        if (hasHeading)
            field = fieldForHeading(firstRow.at(i));
        else if (i < customerCsvColumns().size() && i > 0)
            field = customerCsvColumns().at(i); // column 0 of an exported file is code
        if (taken.contains(field))
            field.clear();
        if (!field.isEmpty())
            taken << field;
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
