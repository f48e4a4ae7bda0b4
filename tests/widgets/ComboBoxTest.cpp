#include "ComboBox.h"
#include "TestForm.h"
#include "TextBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace rov2 {
namespace {

using test::focusName;
using test::press;
using test::type;

class ComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        names = form.add<ComboBox>("names");
        names->setEditable(true);
        names->addItems({QStringLiteral("ABC"), QStringLiteral("山田太郎"), QStringLiteral("山田花子")});
        next = form.add<TextBox>("next");
        ASSERT_TRUE(form.show());
        names->setFocus(Qt::OtherFocusReason);
        ASSERT_EQ(focusName(), "names");
    }

    test::TestForm form;
    ComboBox* names = nullptr;
    TextBox* next = nullptr;
};

class ComboBoxTypingTest : public ComboBoxTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ComboBoxTypingTest, WhatIsTypedIsWhatIsLeft)
{
    const QString typed = QString::fromUtf8(GetParam());
    names->lineEdit()->selectAll();
    type(typed);
    EXPECT_EQ(names->text(), typed) << "while typing";
    press(Qt::Key_Tab);
    ASSERT_EQ(focusName(), "next");
    EXPECT_EQ(names->text(), typed);
}

// Inline completion would turn "abc" into "ABC" and "A" or "山田" into an item.
INSTANTIATE_TEST_SUITE_P(Texts, ComboBoxTypingTest, ::testing::Values("abc", "A", "AB", "ABC", "ABCD", "xyz"));

TEST_F(ComboBoxTest, SetTextTakesAnyTextAndChoosesAMatchingItem)
{
    names->setText(QStringLiteral("佐藤"));
    EXPECT_EQ(names->text(), "佐藤");
    EXPECT_EQ(names->currentIndex(), -1);
    names->setText(QStringLiteral("山田花子"));
    EXPECT_EQ(names->currentIndex(), 2);
    names->setText(QStringLiteral("abc"));
    EXPECT_EQ(names->text(), "abc");
    EXPECT_EQ(names->currentIndex(), -1);
    names->setText(QString());
    EXPECT_EQ(names->text(), "");
}

// A screen may watch the keys at the window; Enter has to get there.
TEST_F(ComboBoxTest, EnterAddsNoItemAndReachesTheWindow)
{
    struct Recorder : QObject {
        int returns = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Return)
                ++returns;
            return false;
        }
    } recorder;
    form.window()->installEventFilter(&recorder);
    names->lineEdit()->selectAll();
    type(QStringLiteral("新しい名前"));
    press(Qt::Key_Return);
    EXPECT_EQ(recorder.returns, 1);
    EXPECT_EQ(names->count(), 3);
    EXPECT_EQ(names->text(), "新しい名前");
    EXPECT_EQ(focusName(), "names") << "the combo box itself does not move on Enter";
}

TEST_F(ComboBoxTest, ClearEmptiesTextAndItemsReplaceItemsMayKeepTheText)
{
    names->setText(QStringLiteral("区分A"));
    names->replaceItems({QStringLiteral("X"), QStringLiteral("Y")}, true);
    EXPECT_EQ(names->count(), 2);
    EXPECT_EQ(names->text(), "区分A");
    names->replaceItems({QStringLiteral("X"), QStringLiteral("Y")}, false);
    EXPECT_EQ(names->text(), "");
    names->setText(QStringLiteral("Y"));
    names->replaceItems({QStringLiteral("Y"), QStringLiteral("Z")}, true);
    EXPECT_EQ(names->currentIndex(), 0);
    names->setText(QStringLiteral("typed"));
    names->clear();
    EXPECT_EQ(names->count(), 0);
    EXPECT_EQ(names->text(), "");
}

TEST_F(ComboBoxTest, LeftFiresOnLeavingButNotWhenTheListDropsDown)
{
    QSignalSpy left(names, &ComboBox::left);
    names->setText(QStringLiteral("ABC"));
    press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return names->view()->isVisible(); }));
    EXPECT_EQ(left.count(), 0);
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !names->view()->isVisible(); }));
    EXPECT_EQ(names->text(), "山田太郎") << "picked from the keyboard";
    EXPECT_EQ(focusName(), "names");
    EXPECT_EQ(left.count(), 0);
    press(Qt::Key_Tab);
    EXPECT_EQ(left.count(), 1);
}

TEST_F(ComboBoxTest, LoadingItemsLeavesTheTextAlone)
{
    EXPECT_EQ(names->text(), "") << "the first item added to an empty list is not chosen";
    names->setText(QStringLiteral("山"));
    names->addItem(QStringLiteral("山本"));
    EXPECT_EQ(names->text(), "山");
    names->clear();
    names->addItem(QStringLiteral("ABC"));
    names->addItem(QStringLiteral("DEF"));
    EXPECT_EQ(names->text(), "");
    EXPECT_EQ(names->count(), 2);
}

struct FixedCase {
    const char* text;
    int index;
    const char* shown;
};

class FixedComboBoxTest : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FixedComboBoxTest, SetTextChoosesTheItemOrNone)
{
    test::TestForm form;
    auto* sex = form.add<ComboBox>("sex");
    sex->addItems({QStringLiteral("女"), QStringLiteral("男")});
    sex->setCurrentIndex(0);
    sex->setText(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(sex->currentIndex(), GetParam().index);
    EXPECT_EQ(sex->text(), QString::fromUtf8(GetParam().shown));
    sex->replaceItems({QStringLiteral("女"), QStringLiteral("男")}, true);
    EXPECT_EQ(sex->text(), QString::fromUtf8(GetParam().shown)) << "kept across a refill";
}

INSTANTIATE_TEST_SUITE_P(Texts, FixedComboBoxTest,
                         ::testing::Values(FixedCase{"男", 1, "男"}, FixedCase{"女", 0, "女"},
                                           FixedCase{"", -1, ""}, FixedCase{"不明", -1, ""}));

TEST(FixedComboBox, EditableSwitchesBackAndForthWithoutACompleter)
{
    ComboBox box;
    box.addItems({QStringLiteral("しない"), QStringLiteral("する")});
    box.setEditable(true);
    ASSERT_NE(box.lineEdit(), nullptr);
    EXPECT_EQ(box.completer(), nullptr);
    box.setEditable(false);
    box.setEditable(true);
    EXPECT_EQ(box.completer(), nullptr);
}

} // namespace
} // namespace rov2
