#pragma once

#include <QChar>
#include <QDate>
#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

namespace rov2 {

/// One era of the Japanese calendar.
struct Era {
    QString name;  ///< 明治, 大正, 昭和, 平成, 令和
    QChar initial; ///< M, T, S, H, R
    QDate start;   ///< first day of the era
};

/// The eras, oldest first: 明治 M 1868-01-01, 大正 T 1912-07-30, 昭和 S 1926-12-25,
/// 平成 H 1989-01-08, 令和 R 2019-05-01.
const std::vector<Era>& eras();

/// The era a date lies in; nullptr before 1868-01-01 or for an invalid date.
const Era* eraOf(const QDate& date);

/// The stored form "yyyy/mm/dd"; empty for an invalid date.
QString toStoredDate(const QDate& date);

/// Reads the stored form "yyyy/mm/dd"; nothing when it is not a valid date.
std::optional<QDate> fromStoredDate(const QString& text);

/// Formats with one of the patterns the screens and reports use:
/// "yyyy/mm/dd", "yyyy年mm月dd日", "yyyy年mm月", "gggee年mm月dd日", "gggee年mm月",
/// "gee/mm/dd", "yyyymmdd". ggg is the era name (平成), g its initial (H), ee the
/// two-digit year within the era (the first year is 01); mm and dd have two digits.
QString formatDate(const QDate& date, const QString& pattern);

/// Reads a text written in one of the patterns of formatDate back into a date.
/// Nothing for a text that does not match or an impossible date; an era date
/// before that era's start is refused, one after the next era began is
/// accepted (平成31年05月01日 is 2019-05-01).
std::optional<QDate> parseDate(const QString& text, const QString& pattern);

/// Whole years of age on @p day: year(day) - year(birth), less 1 when the
/// birth date's mmdd is later than day's mmdd. The birthday itself counts
/// (born 1960-12-31: 40 on 2001-06-15, 41 on 2001-12-31); born on 29 February,
/// the new age counts from 1 March in common years.
int ageOn(const QDate& birth, const QDate& day);

/// The age a customer or family member is shown, printed and saved with on
/// @p today. A stored age goes stale with the years, so where the stored birth
/// date ("yyyy/mm/dd") is readable the age is counted from it (ageOn), and a
/// birth date still to come gives Null. Without a readable birth date, or
/// with an invalid @p today, the stored age stands as it is.
QVariant ageToShow(const QString& storedBirth, const QVariant& storedAge, const QDate& today);

/// The program's clock: today's date, which tests can set.
class Clock {
public:
    /// The date set by setToday(), else the system's current date.
    static QDate today();
    /// Fixes today's date; an invalid date returns to the system's clock.
    static void setToday(const QDate& date);
};

} // namespace rov2
