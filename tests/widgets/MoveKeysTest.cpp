#include "DateBox.h"
#include "NumberBox.h"
#include "TestForm.h"
#include "TextBox.h"

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace rov2 {
namespace {

using test::focusName;
using test::press;

// The keyboard movement and the leave signal are the same for every box;
// each box type has its own key handling on top, so each is driven here.
template <class Box> class MoveKeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        a = form.add<Box>("a");
        b = form.add<Box>("b");
        c = form.add<Box>("c");
        ASSERT_TRUE(form.show());
        a->setFocus(Qt::OtherFocusReason);
        ASSERT_EQ(focusName(), "a");
    }

    test::TestForm form;
    Box* a = nullptr;
    Box* b = nullptr;
    Box* c = nullptr;
};

using Boxes = ::testing::Types<TextBox, NumberBox, DateBox>;
TYPED_TEST_SUITE(MoveKeysTest, Boxes);

TYPED_TEST(MoveKeysTest, EnterAndDownGoForwardUpGoesBack)
{
    press(Qt::Key_Return);
    EXPECT_EQ(focusName(), "b");
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(focusName(), "c");
    press(Qt::Key_Up);
    EXPECT_EQ(focusName(), "b");
    press(Qt::Key_Up);
    EXPECT_EQ(focusName(), "a");
    press(Qt::Key_Down);
    EXPECT_EQ(focusName(), "b");
}

TYPED_TEST(MoveKeysTest, KeysWithModifiersDoNotMove)
{
    press(Qt::Key_Return, Qt::ShiftModifier);
    press(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(focusName(), "a");
}

TYPED_TEST(MoveKeysTest, KeysCanBeReplacedOrSwitchedOff)
{
    this->a->setMoveKeys({Qt::Key_Right}, {});
    press(Qt::Key_Return);
    press(Qt::Key_Down);
    EXPECT_EQ(focusName(), "a");
    press(Qt::Key_Right);
    EXPECT_EQ(focusName(), "b");
    this->b->setMoveKeys({}, {});
    press(Qt::Key_Return);
    press(Qt::Key_Up);
    EXPECT_EQ(focusName(), "b");
}

TYPED_TEST(MoveKeysTest, LeftFiresOncePerRealFocusChange)
{
    QSignalSpy leftA(this->a, &LineInput::left);
    QSignalSpy leftB(this->b, &LineInput::left);
    press(Qt::Key_Return);
    EXPECT_EQ(leftA.count(), 1);
    EXPECT_EQ(leftB.count(), 0);
    press(Qt::Key_Tab);
    EXPECT_EQ(leftA.count(), 1);
    EXPECT_EQ(leftB.count(), 1);
    QTest::mouseClick(this->a, Qt::LeftButton);
    EXPECT_EQ(focusName(), "a");
    EXPECT_EQ(leftA.count(), 1);
}

TYPED_TEST(MoveKeysTest, NoLeftForAPopupMenuOrAnotherWindow)
{
    QSignalSpy leftA(this->a, &LineInput::left);
    QMenu menu(this->form.window());
    menu.addAction(QStringLiteral("貼り付け"));
    menu.popup(this->a->mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activePopupWidget() == &menu; }));
    menu.close();
    EXPECT_EQ(leftA.count(), 0);

    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(leftA.count(), 0);
    other.close();
    QApplication::setActiveWindow(this->form.window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(this->form.window()));
    EXPECT_EQ(focusName(), "a");
    press(Qt::Key_Return);
    EXPECT_EQ(leftA.count(), 1);
}

} // namespace
} // namespace rov2
