#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>

namespace rov2 {

// The date texts of the date boxes, their calendars and the family grid, all
// made with formatDate/parseDate. "era" is the setting 年号 = 和暦.

/// "gggee年mm月dd日" or "yyyy/mm/dd": what a date box shows and reads.
QString dateBoxPattern(bool era);
/// "gggee年mm月" or "yyyy年mm月": the title of the drop-down calendar.
QString calendarTitlePattern(bool era);
/// "gee/mm/dd" or "yyyy/mm/dd": the family grid's 生年月日 column.
QString gridDatePattern(bool era);

/// @p date with dateBoxPattern; a date before the first era has no era form
/// and is shown "yyyy/mm/dd" instead. Empty for an invalid date.
QString dateBoxText(const QDate& date, bool era);
/// The calendar title of the month of @p date (western form before the first era).
QString calendarTitle(const QDate& date, bool era);
/// The grid cell text of a stored value: a QDate or the stored text
/// "yyyy/mm/dd" shown with gridDatePattern; empty for null or empty values;
/// a text that is no date is shown as it is.
QString gridDateText(const QVariant& stored, bool era);

/// Reads what a user typed into a date box, in either calendar:
/// "19750405", "1975/4/5", "1975-4-5", "1975年4月5日", "昭和50年4月5日",
/// "S50/4/5", "平成元年1月8日", full-width digits as well. Nothing for an empty
/// text or one that is not clearly one date (no day, a year without era, an
/// impossible date).
std::optional<QDate> readTypedDate(const QString& text);

} // namespace rov2
