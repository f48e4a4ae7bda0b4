#include "DateBox.h"
#include "TestNames.h"

#include "CalendarPopup.h"
#include "JapaneseDate.h"
#include "TestForm.h"
#include "TextBox.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace rov2 {
namespace {

using test::focusName;
using test::press;
using test::type;

class DateBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Clock::setToday(QDate(2001, 8, 15));
        before = form.add<TextBox>("before");
        birth = form.add<DateBox>("birth");
        after = form.add<TextBox>("after");
        ASSERT_TRUE(form.show());
        birth->setFocus(Qt::OtherFocusReason);
        ASSERT_EQ(focusName(), "birth");
    }
    void TearDown() override { Clock::setToday(QDate()); }

    bool calendarOpen() const { return QApplication::activePopupWidget() == birth->calendarPopup(); }

    test::TestForm form;
    TextBox* before = nullptr;
    DateBox* birth = nullptr;
    TextBox* after = nullptr;
};

struct TypedCase
{
    const char* typed;
    bool era;
    QDate date; ///< invalid: the box holds no date
    const char* shown;
};

void PrintTo(const TypedCase& c, std::ostream* os)
{
    *os << c.typed << (c.era ? " era" : " western");
}

class DateBoxTypingTest : public DateBoxTest, public ::testing::WithParamInterface<TypedCase>
{
};

TEST_P(DateBoxTypingTest, RewritesTheTextOnLeavingAndDropsWhatIsNoDate)
{
    const TypedCase& c = GetParam();
    birth->setEraCalendar(c.era);
    birth->setDate(QDate(1960, 12, 31)); // a previous date is not kept
    birth->selectAll();
    type(QString::fromUtf8(c.typed));
    press(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "after");
    EXPECT_EQ(birth->text(), QString::fromUtf8(c.shown));
    EXPECT_EQ(birth->date(), c.date.isValid() ? std::optional(c.date) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Texts, DateBoxTypingTest,
                         ::testing::Values(TypedCase{"19750405", false, QDate(1975, 4, 5), "1975/04/05"},
                                           TypedCase{"1975/4/5", false, QDate(1975, 4, 5), "1975/04/05"},
                                           TypedCase{"1975/4/5", true, QDate(1975, 4, 5), "昭和50年04月05日"},
                                           TypedCase{"19750405", true, QDate(1975, 4, 5), "昭和50年04月05日"},
                                           TypedCase{"H13/8/8", false, QDate(2001, 8, 8), "2001/08/08"},
                                           TypedCase{"h13/8/8", true, QDate(2001, 8, 8), "平成13年08月08日"},
                                           TypedCase{"abc", false, QDate(), ""},
                                           TypedCase{"abc", true, QDate(), ""},
                                           TypedCase{"1975/2/30", true, QDate(), ""},
                                           TypedCase{"0405", false, QDate(), ""},
                                           TypedCase{" ", false, QDate(), ""}), ::rov2::test::PrintedName());

TEST_F(DateBoxTest, EnterRewritesTheTextSignalsAndMovesOnEraSwitchKeepsTheDate)
{
    QSignalSpy done(birth, &DateBox::editingDone);
    QSignalSpy left(birth, &DateBox::left);
    birth->setEraCalendar(true);
    type(QStringLiteral("2001/8/8"));
    press(Qt::Key_Return);
    EXPECT_EQ(done.count(), 1);
    EXPECT_EQ(left.count(), 1);
    EXPECT_EQ(focusName(), "after");
    EXPECT_EQ(birth->text(), "平成13年08月08日");
    birth->setEraCalendar(false);
    EXPECT_EQ(birth->text(), "2001/08/08");
}

TEST_F(DateBoxTest, PicksADayFromTheKeyboardWithoutLeaving)
{
    QSignalSpy left(birth, &DateBox::left);
    QSignalSpy picked(birth, &DateBox::datePicked);
    birth->setEraCalendar(true);
    birth->setDate(QDate(2001, 8, 8));
    press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(calendarOpen());
    EXPECT_EQ(birth->calendarPopup()->title(), "平成13年08月");
    press(Qt::Key_Right);
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    EXPECT_FALSE(birth->isCalendarVisible());
    EXPECT_EQ(birth->text(), "平成13年08月16日");
    EXPECT_EQ(picked.count(), 1);
    EXPECT_EQ(left.count(), 0);
    EXPECT_EQ(test::focusTrail({Qt::Key_Return}), "after");
    EXPECT_EQ(left.count(), 1);
}

TEST_F(DateBoxTest, EscapeClosesTheCalendarAndKeepsWhatWasTyped)
{
    type(QStringLiteral("1975/4/5"));
    press(Qt::Key_F4);
    ASSERT_TRUE(calendarOpen());
    EXPECT_EQ(birth->calendarPopup()->title(), "1975年04月");
    press(Qt::Key_PageDown);
    EXPECT_EQ(birth->calendarPopup()->title(), "1975年05月");
    press(Qt::Key_Escape);
    EXPECT_FALSE(birth->isCalendarVisible());
    EXPECT_EQ(focusName(), "birth");
    EXPECT_EQ(birth->text(), "1975/4/5") << "typing is tidied on leaving, not by the calendar";
}

TEST_F(DateBoxTest, AnEmptyBoxOpensOnTodayAndTheButtonTakesTheFocus)
{
    QSignalSpy leftBefore(before, &TextBox::left);
    auto* button = birth->findChild<QToolButton*>(); // the box's own unnamed part
    ASSERT_NE(button, nullptr);
    before->setFocus(Qt::OtherFocusReason);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(calendarOpen());
    EXPECT_EQ(leftBefore.count(), 1) << "the input left before runs its check";
    press(Qt::Key_Return);
    EXPECT_EQ(birth->date(), QDate(2001, 8, 15));

    before->setFocus(Qt::OtherFocusReason);
    birth->showCalendar(); // as a screen's own key would
    ASSERT_TRUE(calendarOpen());
    EXPECT_EQ(leftBefore.count(), 2);
    press(Qt::Key_Escape);
    EXPECT_EQ(focusName(), "birth");
}

TEST_F(DateBoxTest, IsWideEnoughForAnEraDateBesideItsButton)
{
    const int western = birth->sizeHint().width();
    birth->setEraCalendar(true);
    birth->setDate(QDate(1988, 12, 28));
    const int needed = birth->fontMetrics().horizontalAdvance(birth->text()) + birth->textMargins().right();
    EXPECT_GT(birth->sizeHint().width(), needed);
    EXPECT_GT(birth->sizeHint().width(), western);
}

} // namespace
} // namespace rov2
