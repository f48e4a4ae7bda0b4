#include "ComboBox.h"
#include "TestNames.h"

#include "TestForm.h"
#include "TextBox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace rov2 {
namespace {

using test::focusName;
using test::press;
using test::type;

const QStringList kNames = {QStringLiteral("ABC"), QStringLiteral("山田太郎"), QStringLiteral("山田花子")};

class ComboBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        names = form.add<ComboBox>("names");
        names->setEditable(true);
        names->setEditable(false);
        names->setEditable(true); // a second line edit gets no completer either
        names->addItems(kNames);
        form.add<TextBox>("next");
        ASSERT_TRUE(form.show());
        names->setFocus(Qt::OtherFocusReason);
    }

    test::TestForm form;
    ComboBox* names = nullptr;
};

class ComboBoxTypingTest : public ComboBoxTest, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(ComboBoxTypingTest, WhatIsTypedIsWhatIsLeft)
{
    const QString typed = QString::fromUtf8(GetParam());
    type(typed);
    EXPECT_EQ(names->text(), typed) << "while typing";
    press(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "next");
    EXPECT_EQ(names->text(), typed);
}

// Qt's default completer would turn "abc" into "ABC" and "A" or "山田" into an item.
INSTANTIATE_TEST_SUITE_P(Texts, ComboBoxTypingTest, ::testing::Values("abc", "A", "AB", "ABCD", "山田"), ::rov2::test::PrintedName());

// A screen may watch the keys at the window; Enter has to get there.
TEST_F(ComboBoxTest, EnterAddsNoItemAndReachesTheWindow)
{
    struct Recorder : QObject
    {
        int returns = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            returns += e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Return;
            return false;
        }
    } recorder;
    form.window()->installEventFilter(&recorder);
    type(QStringLiteral("新しい名前"));
    press(Qt::Key_Return);
    EXPECT_EQ(recorder.returns, 1);
    EXPECT_EQ(names->count(), 3);
    EXPECT_EQ(names->text(), "新しい名前");
    EXPECT_EQ(focusName(), "names") << "the combo box itself does not move on Enter";
}

TEST_F(ComboBoxTest, LeftFiresOnLeavingButNotWhenTheListDropsDown)
{
    QSignalSpy left(names, &ComboBox::left);
    names->setText(QStringLiteral("ABC"));
    press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return names->view()->isVisible(); }));
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !names->view()->isVisible(); }));
    EXPECT_EQ(names->text(), "山田太郎") << "picked from the keyboard";
    EXPECT_EQ(left.count(), 0);
    press(Qt::Key_Tab);
    EXPECT_EQ(left.count(), 1);
}

TEST_F(ComboBoxTest, LoadingItemsLeavesTheTextAloneAndClearEmptiesIt)
{
    EXPECT_EQ(names->text(), "") << "the first item put into an empty list is not chosen";
    names->setText(QStringLiteral("山"));
    names->addItem(QStringLiteral("山本"));
    EXPECT_EQ(names->text(), "山");
    names->clear();
    EXPECT_EQ(names->text(), "");
    names->addItems(kNames);
    EXPECT_EQ(names->text(), "");
}

struct TextCase
{
    bool editable;
    const char* text;
    int index;
    const char* shown;
};

void PrintTo(const TextCase& c, std::ostream* os)
{
    *os << (c.editable ? "editable " : "fixed ") << c.text;
}

class ComboBoxTextTest : public ::testing::TestWithParam<TextCase>
{
};

TEST_P(ComboBoxTextTest, SetTextChoosesTheItemAndKeepsOtherTextWhenEditable)
{
    const TextCase& c = GetParam();
    ComboBox box;
    box.setEditable(c.editable);
    box.replaceItems(kNames, false);
    box.setCurrentIndex(0);
    box.setText(QString::fromUtf8(c.text));
    EXPECT_EQ(box.currentIndex(), c.index);
    EXPECT_EQ(box.text(), QString::fromUtf8(c.shown));
    box.replaceItems(kNames, true);
    EXPECT_EQ(box.text(), QString::fromUtf8(c.shown)) << "kept across a refill";
    box.replaceItems(kNames, false);
    EXPECT_EQ(box.text(), "");
}

INSTANTIATE_TEST_SUITE_P(Texts, ComboBoxTextTest,
                         ::testing::Values(TextCase{true, "佐藤", -1, "佐藤"},
                                           TextCase{true, "山田花子", 2, "山田花子"},
                                           TextCase{true, "abc", -1, "abc"}, TextCase{true, "", -1, ""},
                                           TextCase{false, "山田花子", 2, "山田花子"},
                                           TextCase{false, "佐藤", -1, ""}, TextCase{false, "", -1, ""}), ::rov2::test::PrintedName());

} // namespace
} // namespace rov2
