#include "CalendarDays.h"

#include <algorithm>
#include <array>

namespace rov2 {

namespace {

struct MonthDay
{
    int month;
    int day;
};

constexpr std::array<MonthDay, 13> kHolidays = {{{1, 1},
                                                 {1, 15},
                                                 {2, 11},
                                                 {4, 29},
                                                 {5, 3},
                                                 {5, 4},
                                                 {5, 5},
                                                 {7, 20},
                                                 {9, 15},
                                                 {10, 10},
                                                 {11, 3},
                                                 {11, 23},
                                                 {12, 23}}};

} // namespace

bool isFixedHoliday(const QDate& date)
{
    if (!date.isValid())
        return false;
    return std::any_of(kHolidays.begin(), kHolidays.end(),
                       [&date](const MonthDay& h) { return h.month == date.month() && h.day == date.day(); });
}

bool isRedDay(const QDate& date)
{
    return date.isValid() && (date.dayOfWeek() == Qt::Sunday || isFixedHoliday(date));
}

} // namespace rov2
