// The window itself: its tabs and start-up values, the keys, the converter's
// folder choice and the hint buttons.
#include "HosyuFixture.h"

#include "ComboBox.h"
#include "ScreenStack.h"
#include "TestNames.h"
#include "TextBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <algorithm>

namespace rov2::test {
namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

using Screen = HosyuFixture;

TEST_F(Screen, OpensWithItsTabsAndStartingValues)
{
    open();
    EXPECT_EQ(frm->windowTitle(), text("保守　　VAVⅡaruv　Ver1.00"));
    auto* tabs = ctl<QTabWidget>("SSTab");
    ASSERT_TRUE(tabs);
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i)
        titles << tabs->tabText(i);
    EXPECT_EQ(titles, QStringList({text("設定"), text("データ保守"), text("データ削除"), text("データコンバータ")}));
    EXPECT_EQ(tabs->currentIndex(), 0);

    auto* app = ctl<ComboBox>("cmbアプリ名");
    EXPECT_EQ(app->count(), 1);
    EXPECT_EQ(app->text(), text("ROV顧客管理"));
#ifdef Q_OS_WIN
    EXPECT_EQ(ctl<TextBox>("txtSrcPath")->text(), text("c:\\KokyakuRov\\data\\RovData.mdb"));
    EXPECT_EQ(ctl<ComboBox>("cmbFDD")->count(), 7);
    EXPECT_EQ(ctl<ComboBox>("cmbFDD")->text(), text("A:"));
#else
    EXPECT_EQ(ctl<TextBox>("txtSrcPath")->text(), QDir::homePath() + text("/KokyakuRov/data/RovData.mdb"));
    EXPECT_EQ(ctl<ComboBox>("cmbFDD")->count(), 0);
    EXPECT_TRUE(ctl<ComboBox>("cmbFDD")->isEditable()) << "a drive is typed as a folder here";
    EXPECT_TRUE(ctl<ComboBox>("cmbFDD")->text().isEmpty());
#endif
    EXPECT_FALSE(ctl<QFrame>("Cnコンバート")->isVisible());
    EXPECT_TRUE(ctl<QLabel>("FddMsg")->text().isEmpty());
    EXPECT_TRUE(ctl<QLabel>("FddMsg")->accessibleName().isEmpty()) << "screen readers hear its value";
}

// Enter and Down walk through the 設定 tab's inputs, Up walks back.
TEST_F(Screen, EnterAndUpWalkThroughTheSettingsInOrder)
{
    open();
    const QStringList order = {text("txtDataPath"), text("txtYubinPath"),     text("cmb年号"),
                               text("chkYubinEria"), text("txtYubinEriaName"), text("Chk敬称"),
                               text("Chk区分1"),     text("Chk区分2"),         text("Chk続柄"),
                               text("cmb性別"),      text("cmbクイック"),      text("txt自社名"),
                               text("txt自社郵便番号"), text("txt自社電話番号"), text("txt自社住所"),
                               text("cmd登録")};
    // The arrows of a drop-down choose its items: there Enter and Shift+Tab move.
    const auto inList = [] { return qobject_cast<ComboBox*>(QApplication::focusWidget()) != nullptr; };
    focus(ctl<TextBox>("txtDataPath"));
    QStringList forward{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), i % 2 || inList() ? Qt::Key_Return : Qt::Key_Down);
        forward << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(forward, order);
    EXPECT_TRUE(dialogs.messages().isEmpty()) << "reaching 登録 does not press it";

    focus(ctl<TextBox>("txt自社住所"));
    QStringList back{QApplication::focusWidget()->objectName()};
    for (int i = order.size() - 3; i >= 0; --i) {
        QTest::keyClick(QApplication::focusWidget(), inList() ? Qt::Key_Backtab : Qt::Key_Up,
                        inList() ? Qt::ShiftModifier : Qt::NoModifier);
        back << QApplication::focusWidget()->objectName();
    }
    std::reverse(back.begin(), back.end());
    EXPECT_EQ(back, order.mid(0, order.size() - 1));
}

struct ListArrows {
    const char* list;
    const char* first;
    const char* second;
};

class ArrowsOnAList : public HosyuFixture, public ::testing::WithParamInterface<ListArrows> {};

TEST_P(ArrowsOnAList, ChangeTheChoiceAndKeepTheFocus)
{
    open();
    auto* list = ctl<ComboBox>(GetParam().list);
    ASSERT_TRUE(list);
    list->setText(text(GetParam().first));
    focus(list);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->text(), text(GetParam().second));
    EXPECT_TRUE(list->hasFocus());
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(list->text(), text(GetParam().first));
    EXPECT_TRUE(list->hasFocus());
    // The postal-area box keeps its own Up.
    focus(ctl<QCheckBox>("chkYubinEria"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_TRUE(ctl<ComboBox>("cmb年号")->hasFocus());
}

INSTANTIATE_TEST_SUITE_P(Lists, ArrowsOnAList,
                         ::testing::Values(ListArrows{"cmb年号", "西暦", "和暦"}, ListArrows{"cmb性別", "女", "男"},
                                           ListArrows{"cmbクイック", "する", "しない"}),
                         [](const auto& p) { return testName(p.param.list); });

// The keys of Label37 press their buttons from any input of any tab.
struct Key {
    const char* name;
    Qt::Key key;
    const char* from;
};

class Keys : public HosyuFixture, public ::testing::WithParamInterface<Key> {
protected:
    void SetUp() override
    {
        HosyuFixture::SetUp();
        registerScreen(kMainScreenName, [this] { return main.data(); });
        main->setObjectName(kMainScreenName);
        open();
    }
    void TearDown() override
    {
        unregisterScreen(kMainScreenName);
        delete main.data();
        HosyuFixture::TearDown();
    }
    void press()
    {
        QWidget* from = ctl<QWidget>(GetParam().from);
        ASSERT_TRUE(from);
        for (int i = 0; i < 4; ++i)
            if (ctl<QTabWidget>("SSTab")->widget(i)->isAncestorOf(from))
                ctl<QTabWidget>("SSTab")->setCurrentIndex(i);
        focus(from);
        QTest::keyClick(from, GetParam().key);
        QApplication::processEvents();
    }
    QPointer<QWidget> main = new QWidget;
};

TEST_P(Keys, PressTheirButtons)
{
    const std::string key = GetParam().name;
    auto* era = ctl<ComboBox>("cmb年号");
    era->setText(text("和暦"));
    if (key == "F1")
        ScreenStack(StackOp::Push, main); // the main screen opened this one
    press();
    if (key == "F5") {
        ASSERT_FALSE(dialogs.messages().isEmpty());
        EXPECT_EQ(dialogs.messages().first().text, text("設定 を登録します。よろしいですか"));
    } else if (key == "F9") {
        EXPECT_EQ(era->text(), text("西暦"));
    } else if (key == "F2") {
        EXPECT_EQ(screenStackEntries(), QStringList{text("FrmHosyu")});
        EXPECT_TRUE(main->isVisible());
        EXPECT_TRUE(frm->isVisible()) << "stays loaded underneath";
    } else {
        EXPECT_FALSE(frm->isVisible()) << key << " closes the screen";
        EXPECT_TRUE(screenStackEntries().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Row, Keys,
                         ::testing::Values(Key{"F1", Qt::Key_F1, "txtDataPath"}, Key{"F2", Qt::Key_F2, "Chk敬称"},
                                           Key{"F5", Qt::Key_F5, "cmb性別"}, Key{"F9", Qt::Key_F9, "txtSrcPath"},
                                           Key{"Esc", Qt::Key_Escape, "txtYubinEriaName"},
                                           Key{"EscOnAButton", Qt::Key_Escape, "Command6"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(Screen, BackWithNothingBelowBringsUpTheMainScreenAndStays)
{
    QWidget main;
    main.setObjectName(kMainScreenName);
    registerScreen(kMainScreenName, [&main] { return &main; });
    open();
    click("cmd戻る");
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(frm->isVisible());
    unregisterScreen(kMainScreenName);
}

// Command17: a chosen folder gives the old data file in it, for the one
// application that can be converted.
struct Folder {
    const char* name;
    const char* app; ///< empty: the one item of the list
    std::optional<QString> chosen;
    std::optional<QString> expected; ///< nothing: the box keeps its text
};

class SourceFolders : public HosyuFixture, public ::testing::WithParamInterface<Folder> {};

TEST_P(SourceFolders, GiveTheDataFileInThem)
{
    open();
    auto* app = ctl<ComboBox>("cmbアプリ名");
    if (*GetParam().app)
        app->setText(text(GetParam().app));
    auto* box = ctl<TextBox>("txtSrcPath");
    const QString before = box->text();
    if (GetParam().chosen)
        dialogs.chooseFolder(*GetParam().chosen);
    else
        dialogs.cancelFolder();
    click("Command17");
    ASSERT_EQ(dialogs.folderPrompts().size(), 1);
    EXPECT_EQ(box->text(), GetParam().expected.value_or(before));
}

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(SourceFolders);
#ifndef Q_OS_WIN
INSTANTIATE_TEST_SUITE_P(
    Row, SourceFolders,
    ::testing::Values(Folder{"chosen", "", QStringLiteral("/srv/rov"), QStringLiteral("/srv/rov/RovData.mdb")},
                      Folder{"root", "", QStringLiteral("/"), QStringLiteral("/RovData.mdb")},
                      Folder{"trailingSlash", "", QStringLiteral("/srv/rov/"), QStringLiteral("/srv/rov/RovData.mdb")},
                      Folder{"cancelled", "", std::nullopt, std::nullopt},
                      Folder{"otherApplication", "ROV2", QStringLiteral("/srv/rov"), std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });
#endif

struct Hint {
    const char* button;
    int tab;
};

class Hints : public HosyuFixture, public ::testing::WithParamInterface<Hint> {};

TEST_P(Hints, HandOverThisScreenAndButton)
{
    QWidget hint;
    registerScreen(QStringLiteral("FrmHint"), [&hint] { return &hint; });
    open();
    ctl<QTabWidget>("SSTab")->setCurrentIndex(GetParam().tab);
    click(GetParam().button);
    EXPECT_EQ(env().hint.formName, text("FrmHosyu"));
    EXPECT_EQ(env().hint.controlName, text(GetParam().button));
    EXPECT_EQ(env().hint.formCaption, text("保守　　VAVⅡaruv　Ver1.00"));
    EXPECT_TRUE(hint.isVisible());
    EXPECT_TRUE(screenStackEntries().isEmpty()) << "the hint screen is not a step back";
    unregisterScreen(QStringLiteral("FrmHint"));
}

INSTANTIATE_TEST_SUITE_P(Row, Hints, ::testing::Values(Hint{"cmdHint1", 0}, Hint{"CmdHint2", 1}),
                         [](const auto& row) { return std::string(row.param.button); });

} // namespace
} // namespace rov2::test
