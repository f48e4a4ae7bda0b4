#include "CsvRowFields.h"

#include "DateText.h"
#include "JapaneseDate.h"

namespace rov2 {
namespace {

const QString kBirth = QStringLiteral("生年月日");
const QString kMonth = QStringLiteral("誕生月");
const QString kAge = QStringLiteral("年齢");
const QString kSex = QStringLiteral("性別");

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
        return QStringLiteral("男");
    if (t == QStringLiteral("女性"))
        return QStringLiteral("女");
    return text;
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

std::optional<QVariantMap> fieldsOfRow(const QStringList& cells, const std::vector<QString>& mapping,
                                       QString* reason)
{
    QVariantMap fields;
    for (std::size_t c = 0; c < mapping.size(); ++c) {
        const QString value = cells.value(static_cast<qsizetype>(c));
        if (!mapping[c].isEmpty() && !value.isEmpty())
            fields.insert(mapping[c], mapping[c] == kSex ? storedSex(value) : value);
    }
    if (!numberFields(&fields, reason) || !birthFields(&fields, reason))
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
