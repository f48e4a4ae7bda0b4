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

using test::focusTrail;

// The movement and the leave signal are shared, but every box type handles
// keys of its own first, so each type is driven here.
template <class Box> class MoveKeysTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        a = form.add<Box>("a");
        b = form.add<Box>("b");
        form.add<Box>("c");
        ASSERT_TRUE(form.show());
        a->setFocus(Qt::OtherFocusReason);
    }

    test::TestForm form;
    Box* a = nullptr;
    Box* b = nullptr;
};

using Boxes = ::testing::Types<TextBox, NumberBox, DateBox>;
TYPED_TEST_SUITE(MoveKeysTest, Boxes);

TYPED_TEST(MoveKeysTest, EnterAndDownGoForwardUpGoesBack)
{
    EXPECT_EQ(focusTrail({Qt::Key_Return, Qt::KeypadModifier | Qt::Key_Enter, Qt::Key_Up, Qt::Key_Up,
                          Qt::Key_Down, Qt::ShiftModifier | Qt::Key_Return, Qt::ShiftModifier | Qt::Key_Up}),
              "b c b a b b b");
}

TYPED_TEST(MoveKeysTest, KeysCanBeReplacedOrSwitchedOff)
{
    this->a->setMoveKeys({Qt::Key_Right}, {});
    this->b->setMoveKeys({}, {});
    EXPECT_EQ(focusTrail({Qt::Key_Return, Qt::Key_Down, Qt::Key_Right, Qt::Key_Return, Qt::Key_Up}),
              "a a b b b");
}

TYPED_TEST(MoveKeysTest, LeftFiresOncePerRealFocusChange)
{
    QSignalSpy leftA(this->a, &LineInput::left);
    QSignalSpy leftB(this->b, &LineInput::left);
    EXPECT_EQ(focusTrail({Qt::Key_Return, Qt::Key_Tab}), "b c");
    QTest::mouseClick(this->a, Qt::LeftButton);
    EXPECT_EQ(leftA.count(), 1);
    EXPECT_EQ(leftB.count(), 1);
}

TYPED_TEST(MoveKeysTest, NoLeftForAPopupMenuOrAnotherWindow)
{
    QSignalSpy leftA(this->a, &LineInput::left);
    QMenu menu(this->form.window());
    menu.addAction(QStringLiteral("貼り付け"));
    menu.popup(this->a->mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activePopupWidget() == &menu; }));
    menu.close();
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    other.close();
    QApplication::setActiveWindow(this->form.window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(this->form.window()));
    EXPECT_EQ(leftA.count(), 0);
    EXPECT_EQ(focusTrail({Qt::Key_Return}), "b");
    EXPECT_EQ(leftA.count(), 1);
}

} // namespace
} // namespace rov2
