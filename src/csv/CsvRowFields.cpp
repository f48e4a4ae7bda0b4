#include "CsvRowFields.h"

#include "CsvFieldNames.h"
#include "CsvWriter.h"
#include "DateText.h"
#include "JapaneseDate.h"
#include "SingleLineFilter.h"

#include <algorithm>

namespace rov2 {
namespace {

const QString kMonth = QStringLiteral("誕生月");
const QString kAge = QStringLiteral("年齢");
const QString kWoman = QStringLiteral("女");
const QString kMan = QStringLiteral("男");

/// The characters withoutControlCharacters drops (C0, DEL, C1 and the two
/// Unicode line breaks), looked for first: most cells hold none, and are
/// then kept as they are instead of copied.
bool hasControlCharacter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029;
    });
}

/// A whole number typed in a cell, full-width digits too.
std::optional<int> wholeNumber(const QString& text)
{
    bool ok = false;
    const int n = text.normalized(QString::NormalizationForm_KC).trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

/// The spellings of the sex that spreadsheets use, to the stored "男" / "女".
QString storedSex(const QString& text)
{
    const QString t = text.trimmed();
    if (t == QStringLiteral("男性"))
        return kMan;
    if (t == QStringLiteral("女性"))
        return kWoman;
    return t;
}

/// The places of the fields the rules read and write: fields of 顧客マスタ,
/// and so the same in every layout.
struct RuleSlots
{
    std::size_t sex = FieldLayout::slotOf(u"性別");
    std::size_t month = FieldLayout::slotOf(u"誕生月");
    std::size_t age = FieldLayout::slotOf(u"年齢");
    std::size_t birth = FieldLayout::slotOf(u"生年月日");
};

const RuleSlots& ruleSlots()
{
    static const RuleSlots slots;
    return slots;
}

/// 性別 as the screens' lists offer it; what they would not show becomes
/// the default sex, and without one the row is refused.
bool sexField(FieldValues* fields, const QString& defaultSex, QString* reason)
{
    QVariant& value = (*fields)[ruleSlots().sex];
    if (!value.isValid())
        return true;
    const QString given = value.toString();
    for (const QString& sex : {storedSex(given), defaultSex}) {
        if (sex == kWoman || sex == kMan) {
            value = sex;
            return true;
        }
    }
    *reason = QStringLiteral("性別「%1」が「女」でも「男」でもありません").arg(given);
    return false;
}

bool numberFields(FieldValues* fields, QString* reason)
{
    for (const std::size_t f : {ruleSlots().month, ruleSlots().age}) {
        QVariant& value = (*fields)[f];
        if (!value.isValid())
            continue;
        const auto n = wholeNumber(value.toString());
        const bool inRange = n && (f == ruleSlots().month ? (*n >= 1 && *n <= 12) : (*n >= 0 && *n < 200));
        if (!inRange) {
            *reason = QStringLiteral("%1「%2」が数ではありません")
                          .arg(f == ruleSlots().month ? kMonth : kAge, value.toString());
            return false;
        }
        value = *n;
    }
    return true;
}

/// The date of a text in the stored form "yyyy/mm/dd", as an exported file
/// holds it: read without trying the date box's many forms.
std::optional<QDate> storedFormDate(const QString& text)
{
    if (text.size() != 10 || text.at(4) != u'/' || text.at(7) != u'/')
        return std::nullopt;
    int n[8] = {};
    int k = 0;
    for (const qsizetype i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (text.at(i) < u'0' || text.at(i) > u'9')
            return std::nullopt;
        n[k++] = text.at(i).unicode() - u'0';
    }
    const QDate date(n[0] * 1000 + n[1] * 100 + n[2] * 10 + n[3], n[4] * 10 + n[5], n[6] * 10 + n[7]);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

/// 生年月日 in its stored form, with the birth month and (unless the row
/// gives one) the age that go with it.
bool birthFields(FieldValues* fields, const QDate& today, QString* reason)
{
    QVariant& birth = (*fields)[ruleSlots().birth];
    if (!birth.isValid())
        return true;
    const QString typed = birth.toString();
    const QString stored = typed.trimmed();
    const std::optional<QDate> storedDate = storedFormDate(stored);
    const bool inStoredForm = storedDate.has_value();
    const auto date = inStoredForm ? storedDate : readTypedDate(stored);
    if (!date) {
        *reason = QStringLiteral("生年月日「%1」が日付ではありません").arg(typed);
        return false;
    }
    if (*date > today) {
        *reason = QStringLiteral("生年月日「%1」が今日より後です").arg(typed);
        return false;
    }
    birth = inStoredForm ? stored : toStoredDate(*date);
    (*fields)[ruleSlots().month] = date->month();
    if (QVariant& age = (*fields)[ruleSlots().age]; !age.isValid())
        age = ageOn(*date, today);
    return true;
}

} // namespace

bool allCellsEmpty(const QStringList& cells)
{
    for (const QString& c : cells)
        if (std::any_of(c.begin(), c.end(), [](QChar ch) { return !ch.isSpace(); }))
            return false;
    return true;
}

QString importedCell(const QString& field, const QString& cell)
{
    const QString text = withoutFormulaGuard(cell);
    const bool memo = field == QStringLiteral("顧客メモ") || field == QStringLiteral("メモ");
    return memo || !hasControlCharacter(text) ? text : withoutControlCharacters(text);
}

std::vector<FieldColumns> fieldColumns(const std::vector<QString>& mapping, const QStringList& headings)
{
    std::vector<FieldColumns> out;
    for (std::size_t c = 0; c < mapping.size(); ++c) {
        const QString& field = mapping[c];
        if (field.isEmpty() ||
            std::any_of(out.begin(), out.end(), [&](const auto& f) { return f.field == field; }))
            continue;
        std::vector<std::pair<int, qsizetype>> ranked;
        for (std::size_t k = c; k < mapping.size(); ++k) {
            const auto column = static_cast<qsizetype>(k);
            if (mapping[k] == field)
                ranked.emplace_back(headings.isEmpty() ? 0 : headingMeaning(headings.value(column)).rank,
                                    column);
        }
        std::sort(ranked.begin(), ranked.end());
        FieldColumns f{field, {}};
        for (const auto& r : ranked)
            f.columns.push_back(r.second);
        out.push_back(std::move(f));
    }
    const FieldLayout layout(mapping);
    for (FieldColumns& f : out)
        f.slot = layout.slot(f.field);
    return out;
}

namespace {

/// What stands between two parts of @p field.
QString partSeparator(const QString& field)
{
    if (field == QStringLiteral("住所1") || field == QStringLiteral("住所2"))
        return {};
    if (field == QStringLiteral("名称") || jointNameFields().contains(field))
        return QStringLiteral("\u3000");
    return field == QStringLiteral("顧客メモ") ? QStringLiteral("\n") : QStringLiteral(" ");
}

} // namespace

QString joinedParts(const QString& field, const QStringList& parts)
{
    const QString between = partSeparator(field);
    const bool address = between.isEmpty();
    QString out;
    for (const QString& part : parts) {
        if (part.isEmpty())
            continue;
        if (address && part.startsWith(out))
            out = part;
        else
            out += (out.isEmpty() ? QString() : between) + part;
    }
    return out;
}

QString fieldText(const QStringList& cells, const FieldColumns& f)
{
    if (f.columns.size() == 1)
        return importedCell(f.field, cells.value(f.columns.front()));
    QStringList parts;
    for (const qsizetype c : f.columns)
        parts << importedCell(f.field, cells.value(c)).trimmed();
    return joinedParts(f.field, parts);
}

void fieldTexts(const QStringList& cells, const std::vector<FieldColumns>& columns, FieldValues* row)
{
    std::fill(row->begin(), row->end(), QVariant());
    for (const FieldColumns& f : columns) {
        QString value = fieldText(cells, f);
        if (!value.isEmpty())
            (*row)[static_cast<std::size_t>(f.slot)] = std::move(value);
    }
}

bool applyRowRules(const RowRules& rules, FieldValues* row, QString* reason)
{
    return sexField(row, rules.defaultSex, reason) && numberFields(row, reason) &&
           birthFields(row, rules.today, reason);
}

std::optional<QVariantMap> fieldsOfRow(const QStringList& cells, const std::vector<FieldColumns>& columns,
                                       const RowRules& rules, QString* reason)
{
    std::vector<QString> fields;
    for (const FieldColumns& f : columns)
        fields.push_back(f.field);
    const FieldLayout layout(fields);
    std::vector<FieldColumns> placed = columns;
    for (FieldColumns& f : placed)
        f.slot = layout.slot(f.field);
    FieldValues row = layout.emptyRow();
    fieldTexts(cells, placed, &row);
    if (!applyRowRules(rules, &row, reason))
        return std::nullopt;
    return layout.toMap(row);
}

std::optional<QVariantMap> fieldsOfRow(const QStringList& cells, const std::vector<QString>& mapping,
                                       const QString& defaultSex, QString* reason)
{
    return fieldsOfRow(cells, fieldColumns(mapping, {}), RowRules{defaultSex, Clock::today()}, reason);
}

QString widerThanHeading(const QStringList& cells, const QStringList& heading)
{
    if (cells.size() <= heading.size())
        return {};
    return QStringLiteral("項目が見出しより多くあります（見出し %1項目、この行 %2項目）。"
                          "「,」を含む項目は \" で囲んでください")
        .arg(heading.size())
        .arg(cells.size());
}

} // namespace rov2
