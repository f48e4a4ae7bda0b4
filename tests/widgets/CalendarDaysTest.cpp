#include "CalendarDays.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace rov2 {
namespace {

struct DayCase {
    QDate date;
    bool holiday;
    bool red;
};

class CalendarDaysTest : public ::testing::TestWithParam<DayCase> {};

TEST_P(CalendarDaysTest, MarksSundaysAndTheFixedHolidays)
{
    const DayCase& c = GetParam();
    EXPECT_EQ(isFixedHoliday(c.date), c.holiday) << c.date.toString(Qt::ISODate).toStdString();
    EXPECT_EQ(isRedDay(c.date), c.red) << c.date.toString(Qt::ISODate).toStdString();
}

// 2001: 1 Jan is a Monday, 5 and 6 May are Saturday and Sunday.
INSTANTIATE_TEST_SUITE_P(
    Days, CalendarDaysTest,
    ::testing::Values(DayCase{QDate(2001, 1, 1), true, true}, DayCase{QDate(2001, 1, 15), true, true},
                      DayCase{QDate(2001, 2, 11), true, true}, DayCase{QDate(2001, 4, 29), true, true},
                      DayCase{QDate(2001, 5, 3), true, true}, DayCase{QDate(2001, 5, 4), true, true},
                      DayCase{QDate(2001, 5, 5), true, true}, DayCase{QDate(2001, 7, 20), true, true},
                      DayCase{QDate(2001, 9, 15), true, true}, DayCase{QDate(2001, 10, 10), true, true},
                      DayCase{QDate(2001, 11, 3), true, true}, DayCase{QDate(2001, 11, 23), true, true},
                      DayCase{QDate(2001, 12, 23), true, true}, DayCase{QDate(1975, 12, 23), true, true},
                      // neighbours of holidays, a Saturday, Sundays
                      DayCase{QDate(2001, 1, 2), false, false}, DayCase{QDate(2001, 5, 2), false, false},
                      DayCase{QDate(2001, 5, 6), false, true}, DayCase{QDate(2001, 5, 12), false, false},
                      DayCase{QDate(2001, 12, 22), false, false}, DayCase{QDate(2001, 7, 21), false, false},
                      DayCase{QDate(2001, 7, 22), false, true}, DayCase{QDate(2001, 11, 22), false, false},
                      DayCase{QDate(), false, false}));

} // namespace
} // namespace rov2
