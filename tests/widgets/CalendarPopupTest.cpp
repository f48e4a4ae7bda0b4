#include "CalendarPopup.h"

#include "DateBox.h"
#include "JapaneseDate.h"
#include "TestForm.h"

#include <QAbstractItemModel>
#include <QCalendarWidget>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace rov2 {
namespace {

using test::press;

class CalendarPopupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Clock::setToday(QDate(2001, 5, 10));
        box = form.add<DateBox>("birth");
        ASSERT_TRUE(form.show());
        box->setFocus(Qt::OtherFocusReason);
        box->setDate(QDate(2001, 5, 20));
        press(Qt::Key_F4);
        ASSERT_NE(box->calendarPopup(), nullptr);
        calendar = box->calendarPopup()->calendar();
    }
    void TearDown() override { Clock::setToday(QDate()); }

    bool red(const QDate& d) const { return calendar->dateTextFormat(d).foreground().color() == Qt::red; }

    test::TestForm form;
    DateBox* box = nullptr;
    QCalendarWidget* calendar = nullptr;
};

TEST_F(CalendarPopupTest, HeaderNamesTheWeekdaysFromSunday)
{
    const auto* view = calendar->findChild<QTableView*>();
    ASSERT_NE(view, nullptr);
    QStringList header;
    for (int column = 0; column < 7; ++column)
        header << view->model()->index(0, column).data().toString();
    EXPECT_EQ(header, QStringList({"日", "月", "火", "水", "木", "金", "土"}));
    EXPECT_EQ(calendar->weekdayTextFormat(Qt::Sunday).foreground().color(), Qt::red);
    EXPECT_NE(calendar->weekdayTextFormat(Qt::Saturday).foreground().color(), Qt::red);
}

TEST_F(CalendarPopupTest, MarksTheFixedHolidaysAndToday)
{
    EXPECT_TRUE(red(QDate(2001, 5, 3)));
    EXPECT_TRUE(red(QDate(2001, 5, 4)));
    EXPECT_TRUE(red(QDate(2001, 5, 5)));
    EXPECT_FALSE(red(QDate(2001, 5, 7)));
    EXPECT_TRUE(red(QDate(2001, 4, 29))) << "the end of the previous month is on the page";
    EXPECT_EQ(calendar->dateTextFormat(QDate(2001, 5, 10)).fontWeight(), QFont::Bold);
    EXPECT_NE(calendar->dateTextFormat(QDate(2001, 5, 11)).fontWeight(), QFont::Bold);
}

TEST_F(CalendarPopupTest, PagingMarksTheNewMonth)
{
    press(Qt::Key_PageDown);
    press(Qt::Key_PageDown);
    EXPECT_EQ(box->calendarPopup()->title(), "2001年07月");
    EXPECT_TRUE(red(QDate(2001, 7, 20)));
    EXPECT_FALSE(red(QDate(2001, 7, 19)));
    press(Qt::Key_Escape);
    box->setEraCalendar(true);
    press(Qt::Key_F4);
    EXPECT_EQ(box->calendarPopup()->title(), "平成13年05月");
}

} // namespace
} // namespace rov2
