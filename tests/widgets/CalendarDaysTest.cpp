#include "CalendarDays.h"
#include "TestNames.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace rov2 {
namespace {

struct DayCase
{
    QDate date;
    bool holiday;
    bool red;
};

void PrintTo(const DayCase& c, std::ostream* os)
{
    *os << c.date.toString(Qt::ISODate).toStdString();
}

class CalendarDaysTest : public ::testing::TestWithParam<DayCase>
{
};

TEST_P(CalendarDaysTest, MarksSundaysAndTheFixedHolidays)
{
    EXPECT_EQ(isFixedHoliday(GetParam().date), GetParam().holiday);
    EXPECT_EQ(isRedDay(GetParam().date), GetParam().red);
}

// In 2001, 5 May is a Saturday and 6 May and 22 July are Sundays.
INSTANTIATE_TEST_SUITE_P(
    Days, CalendarDaysTest,
    ::testing::Values(DayCase{{2001, 1, 1}, true, true}, DayCase{{2001, 1, 15}, true, true},
                      DayCase{{2001, 2, 11}, true, true}, DayCase{{2001, 4, 29}, true, true},
                      DayCase{{2001, 5, 3}, true, true}, DayCase{{2001, 5, 4}, true, true},
                      DayCase{{2001, 5, 5}, true, true}, DayCase{{2001, 7, 20}, true, true},
                      DayCase{{2001, 9, 15}, true, true}, DayCase{{2001, 10, 10}, true, true},
                      DayCase{{2001, 11, 3}, true, true}, DayCase{{2001, 11, 23}, true, true},
                      DayCase{{1975, 12, 23}, true, true}, DayCase{{2001, 1, 2}, false, false},
                      DayCase{{2001, 5, 6}, false, true}, DayCase{{2001, 5, 12}, false, false},
                      DayCase{{2001, 7, 22}, false, true}, DayCase{{2001, 12, 22}, false, false},
                      DayCase{QDate(), false, false}), ::rov2::test::PrintedName());

} // namespace
} // namespace rov2
