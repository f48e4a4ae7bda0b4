#include "CsvRowFields.h"

#include "CsvWriter.h"
#include "DateText.h"
#include "JapaneseDate.h"
#include "SingleLineFilter.h"

namespace rov2 {
namespace {

const QString kBirth = QStringLiteral("生年月日");
const QString kMonth = QStringLiteral("誕生月");
const QString kAge = QStringLiteral("年齢");
const QString kSex = QStringLiteral("性別");
const QString kWoman = QStringLiteral("女");
const QString kMan = QStringLiteral("男");

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

/// 性別 as the screens' lists offer it; what they would not show becomes
/// the default sex, and without one the row is refused.
bool sexField(QVariantMap* fields, const QString& defaultSex, QString* reason)
{
    if (!fields->contains(kSex))
        return true;
    const QString given = fields->value(kSex).toString();
    for (const QString& sex : {storedSex(given), defaultSex}) {
        if (sex == kWoman || sex == kMan) {
            fields->insert(kSex, sex);
            return true;
        }
    }
    *reason = QStringLiteral("性別「%1」が「女」でも「男」でもありません").arg(given);
    return false;
}

bool numberFields(QVariantMap* fields, QString* reason)
{
    for (const QString& f : {kMonth, kAge}) {
        if (!fields->contains(f))
            continue;
        const auto n = wholeNumber(fields->value(f).toString());
        const bool inRange = n && (f == kMonth ? (*n >= 1 && *n <= 12) : (*n >= 0 && *n < 200));
        if (!inRange) {
            *reason = QStringLiteral("%1「%2」が数ではありません").arg(f, fields->value(f).toString());
            return false;
        }
        fields->insert(f, *n);
    }
    return true;
}

/// 生年月日 in its stored form, with the birth month and (unless the row
/// gives one) the age that go with it.
bool birthFields(QVariantMap* fields, QString* reason)
{
    if (!fields->contains(kBirth))
        return true;
    const QString typed = fields->value(kBirth).toString();
    const auto date = readTypedDate(typed.trimmed());
    if (!date) {
        *reason = QStringLiteral("生年月日「%1」が日付ではありません").arg(typed);
        return false;
    }
    if (*date > Clock::today()) {
        *reason = QStringLiteral("生年月日「%1」が今日より後です").arg(typed);
        return false;
    }
    fields->insert(kBirth, toStoredDate(*date));
    fields->insert(kMonth, date->month());
    if (!fields->contains(kAge))
        fields->insert(kAge, ageOn(*date, Clock::today()));
    return true;
}

} // namespace

bool allCellsEmpty(const QStringList& cells)
{
    for (const QString& c : cells)
        if (!c.trimmed().isEmpty())
            return false;
    return true;
}

QString importedCell(const QString& field, const QString& cell)
{
    const QString text = withoutFormulaGuard(cell);
    const bool memo = field == QStringLiteral("顧客メモ") || field == QStringLiteral("メモ");
    return memo ? text : withoutControlCharacters(text);
}

std::optional<QVariantMap> fieldsOfRow(const QStringList& cells, const std::vector<QString>& mapping,
                                       const QString& defaultSex, QString* reason)
{
    QVariantMap fields;
    for (std::size_t c = 0; c < mapping.size(); ++c) {
        if (mapping[c].isEmpty())
            continue;
        const QString value = importedCell(mapping[c], cells.value(static_cast<qsizetype>(c)));
        if (!value.isEmpty())
            fields.insert(mapping[c], value);
    }
    if (!sexField(&fields, defaultSex, reason) || !numberFields(&fields, reason) ||
        !birthFields(&fields, reason))
        return std::nullopt;
    return fields;
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
