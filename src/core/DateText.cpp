#include "DateText.h"

#include "JapaneseDate.h"

namespace rov2 {

namespace {

const QString kStoredPattern = QStringLiteral("yyyy/mm/dd");

QString withFallback(const QDate& date, const QString& pattern, const QString& western)
{
    const QString text = formatDate(date, pattern);
    return text.isEmpty() ? formatDate(date, western) : text;
}

// NFKC folds full-width digits, letters and slashes and the one-character era
// names (㍻) to their plain forms; spaces carry no meaning in a date.
QString plainDateText(const QString& text)
{
    QString plain = text.normalized(QString::NormalizationForm_KC);
    plain.remove(QLatin1Char(' '));
    plain.replace(QLatin1Char('-'), QLatin1Char('/'));
    plain.replace(QLatin1Char('.'), QLatin1Char('/'));
    // The first year of an era is written 元: 平成元年, H元/1/8.
    plain.replace(QStringLiteral("元年"), QStringLiteral("1年"));
    if (plain.size() > 2 && plain.at(0).isLetter() && plain.at(1) == QChar(u'元') &&
        plain.at(2) == QLatin1Char('/'))
        plain[1] = QLatin1Char('1');
    return plain;
}

} // namespace

QString dateBoxPattern(bool era)
{
    return era ? QStringLiteral("gggee年mm月dd日") : kStoredPattern;
}

QString calendarTitlePattern(bool era)
{
    return era ? QStringLiteral("gggee年mm月") : QStringLiteral("yyyy年mm月");
}

QString gridDatePattern(bool era)
{
    return era ? QStringLiteral("gee/mm/dd") : kStoredPattern;
}

QString dateBoxText(const QDate& date, bool era)
{
    return withFallback(date, dateBoxPattern(era), kStoredPattern);
}

QString calendarTitle(const QDate& date, bool era)
{
    return withFallback(date, calendarTitlePattern(era), calendarTitlePattern(false));
}

QString gridDateText(const QVariant& stored, bool era)
{
    if (stored.isNull())
        return {};
    if (stored.metaType().id() == QMetaType::QDate)
        return withFallback(stored.toDate(), gridDatePattern(era), kStoredPattern);
    const QString text = stored.toString();
    const std::optional<QDate> date = fromStoredDate(text);
    return date ? withFallback(*date, gridDatePattern(era), kStoredPattern) : text;
}

std::optional<QDate> readTypedDate(const QString& text)
{
    static const QString patterns[] = {QStringLiteral("yyyymmdd"), kStoredPattern,
                                       QStringLiteral("yyyy年mm月dd日"), QStringLiteral("gggee年mm月dd日"),
                                       QStringLiteral("gee/mm/dd")};
    const QString plain = plainDateText(text);
    if (plain.isEmpty())
        return std::nullopt;
    for (const QString& pattern : patterns) {
        if (const std::optional<QDate> date = parseDate(plain, pattern))
            return date;
    }
    return std::nullopt;
}

} // namespace rov2
