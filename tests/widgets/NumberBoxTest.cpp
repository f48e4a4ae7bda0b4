#include "NumberBox.h"
#include "TestNames.h"

#include "TestForm.h"
#include "TextBox.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace rov2 {
namespace {

using test::press;
using test::type;

struct TypedCase
{
    const char* typed;
    QVariant value;
    const char* shownAfterLeave;
};

void PrintTo(const TypedCase& c, std::ostream* os)
{
    *os << c.typed;
}

class NumberBoxTypingTest : public ::testing::TestWithParam<TypedCase>
{
};

TEST_P(NumberBoxTypingTest, TakesUpToThreeDigitsAndShowsThemAsHashFormat)
{
    const TypedCase& c = GetParam();
    test::TestForm form;
    auto* age = form.add<NumberBox>("age");
    form.add<TextBox>("next");
    ASSERT_TRUE(form.show());
    age->setFocus(Qt::OtherFocusReason);
    type(QString::fromUtf8(c.typed));
    EXPECT_EQ(age->value(), c.value) << "while typing " << c.typed;
    press(Qt::Key_Return);
    ASSERT_EQ(test::focusName(), "next");
    EXPECT_EQ(age->value(), c.value) << c.typed;
    EXPECT_EQ(age->text(), QString::fromUtf8(c.shownAfterLeave)) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(
    Typing, NumberBoxTypingTest,
    ::testing::Values(TypedCase{"40", QVariant(40), "40"}, TypedCase{"7", QVariant(7), "7"},
                      TypedCase{"999", QVariant(999), "999"}, TypedCase{"1234", QVariant(123), "123"},
                      TypedCase{"0", QVariant(0), ""}, TypedCase{"000", QVariant(0), ""},
                      TypedCase{"007", QVariant(7), "7"}, TypedCase{"4a0", QVariant(40), "40"},
                      TypedCase{"-5", QVariant(5), "5"}, TypedCase{"2.5", QVariant(25), "25"},
                      TypedCase{"", QVariant(), ""}, TypedCase{"x", QVariant(), ""}), ::rov2::test::PrintedName());

struct SetCase
{
    QVariant given;
    QVariant value;
    const char* shown;
};

void PrintTo(const SetCase& c, std::ostream* os)
{
    *os << (c.given.isNull() ? std::string("Null") : c.given.toString().toStdString());
}

class NumberBoxSetValueTest : public ::testing::TestWithParam<SetCase>
{
};

TEST_P(NumberBoxSetValueTest, HoldsNullOrAThreeDigitNumber)
{
    const SetCase& c = GetParam();
    test::TestForm form;
    auto* age = form.add<NumberBox>("age");
    age->setValue(QVariant(12)); // something to be replaced
    age->setValue(c.given);
    EXPECT_EQ(age->value(), c.value);
    EXPECT_EQ(age->text(), QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberBoxSetValueTest,
    ::testing::Values(SetCase{QVariant(), QVariant(), ""}, SetCase{QVariant(0), QVariant(0), ""},
                      SetCase{QVariant(57), QVariant(57), "57"}, SetCase{QVariant(999), QVariant(999), "999"},
                      SetCase{QVariant(QStringLiteral("41")), QVariant(41), "41"},
                      SetCase{QVariant(1000), QVariant(), ""}, SetCase{QVariant(-1), QVariant(), ""},
                      SetCase{QVariant(QStringLiteral("abc")), QVariant(), ""}), ::rov2::test::PrintedName());

TEST(NumberBox, AZeroReadFromTheDataIsKeptUntilTheUserTypes)
{
    test::TestForm form;
    auto* age = form.add<NumberBox>("age");
    form.add<TextBox>("next");
    ASSERT_TRUE(form.show());
    age->setValue(QVariant(0));
    age->setFocus(Qt::OtherFocusReason);
    press(Qt::Key_Return);
    EXPECT_EQ(age->value(), QVariant(0)) << "passing through does not turn 0 into null";
    age->setFocus(Qt::OtherFocusReason);
    type(QStringLiteral("3"));
    press(Qt::Key_Backspace);
    EXPECT_TRUE(age->value().isNull()) << "an emptied box holds nothing";
}

} // namespace
} // namespace rov2
