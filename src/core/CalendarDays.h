#pragma once

#include <QDate>

namespace rov2 {

/// The holidays the calendar marks: a fixed list of month/day pairs, the same
/// every year (1/1, 1/15, 2/11, 4/29, 5/3, 5/4, 5/5, 7/20, 9/15, 10/10, 11/3,
/// 11/23, 12/23). Movable holidays are not known.
bool isFixedHoliday(const QDate& date);

/// Sundays and fixed holidays: the days the calendar shows in red.
bool isRedDay(const QDate& date);

} // namespace rov2
