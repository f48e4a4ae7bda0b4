// The list screen among the others: opened from the main screen, handing a
// customer back to it, the back and main buttons, the hint hand-over.
#include "ComboBox.h"
#include "CustomerListModel.h"
#include "FrmROV2.h"
#include "JapaneseDate.h"
#include "ListColumn.h"
#include "ListFixture.h"
#include "ScreenStack.h"
#include "TextBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace rov2::test {
namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

class ListHub : public ListData {
protected:
    void SetUp() override
    {
        ListData::SetUp();
        Clock::setToday(QDate(2001, 6, 15));
        addCustomer(u("山田　太郎"), u("やまだ たろう"), {{u("TEL1"), u("03-1111-2222")}});
        addMember(u("山田　太郎"), u("山田　花子"), u("やまだ はなこ"));
        addCustomer(u("青木　誠"), u("あおき まこと"));
        main = std::make_unique<FrmROV2>();
        registerScreen(kMainScreenName, [this] { return main.get(); });
        registerScreenType<FrmKokyakuList>(kKokyakuListName);
        main->Form_Load();
        main->show();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    }
    void TearDown() override
    {
        if (list)
            delete list.data();
        unregisterScreen(kKokyakuListName);
        unregisterScreen(u("FrmHint"));
        unregisterScreen(kMainScreenName);
        main.reset();
        Clock::setToday(QDate());
    }
    /// Opens the list with F10 on the main screen and waits until it is the active window.
    void openList()
    {
        main->txtTEL1()->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(QTest::qWaitFor([this] { return main->txtTEL1()->hasFocus(); }));
        QTest::keyClick(main->txtTEL1(), Qt::Key_F10);
        list = qobject_cast<FrmKokyakuList*>(screenNamed(kKokyakuListName));
        ASSERT_TRUE(list);
        ASSERT_TRUE(QTest::qWaitForWindowActive(list.data()));
    }
    /// A key pressed with the focus in the grid.
    void keyInGrid(Qt::Key key)
    {
        grid()->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(QTest::qWaitFor([this] { return grid()->hasFocus(); }));
        QTest::keyClick(grid(), key);
        QApplication::processEvents();
    }
    QPushButton* button(const char* name) { return ctl<QPushButton>(list.data(), name); }
    QTableView* grid() { return ctl<QTableView>(list.data(), "Grid明細"); }

    std::unique_ptr<FrmROV2> main;
    QPointer<FrmKokyakuList> list;
};

TEST_F(ListHub, F10OnTheMainScreenOpensAFreshList)
{
    openList();
    EXPECT_EQ(screenStackEntries(), QStringList{u("FrmROV2")});
    EXPECT_EQ(list->listModel()->rowCount(), 0);
    button("cmd_ENT")->click();
    EXPECT_EQ(list->listModel()->rowCount(), 2);
    // Closed, it is unloaded; opened again, it starts empty.
    button("cmd閉じる")->click();
    QApplication::processEvents();
    ASSERT_TRUE(QTest::qWaitFor([this] { return list.isNull(); }));
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    openList();
    EXPECT_EQ(list->listModel()->rowCount(), 0);
}

struct OpenCase {
    const char* name;
    int row;
    bool doubleClick;
};

class OpeningARow : public ListHub, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpeningARow, ShowsItsCustomerOnTheMainScreen)
{
    openList();
    QCheckBox* family = nullptr;
    ASSERT_NO_FATAL_FAILURE(ctl(list.data(), "Chk家族", family));
    family->setChecked(true);
    button("cmd_ENT")->click();
    // Rows by name: 山田　太郎, 山田　花子 (his wife), 青木　誠.
    ASSERT_EQ(list->listModel()->rowCount(), 3);
    ASSERT_EQ(list->listModel()->index(1, listcol::氏名).data().toString(), u("山田　花子"));
    QTableView* view = grid();
    view->setCurrentIndex(view->model()->index(GetParam().row, listcol::名称));
    if (GetParam().doubleClick)
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->currentIndex()).center());
    else
        keyInGrid(Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([this] { return main->cmb顧客名()->text() == u("山田　太郎"); }));
    EXPECT_TRUE(QTest::qWaitFor([this] { return main->txtTEL1()->text() == u("03-1111-2222"); }))
        << "the customer was read, not only named";
    EXPECT_TRUE(env().selectedCustomerName.isEmpty()) << "the hand-over is taken once";
    EXPECT_TRUE(list->isVisible()) << "the list stays open behind";
}

INSTANTIATE_TEST_SUITE_P(Rows, OpeningARow,
                         ::testing::Values(OpenCase{"CustomerRowByEnter", 0, false},
                                           OpenCase{"FamilyRowByEnter", 1, false},
                                           OpenCase{"FamilyRowByDoubleClick", 1, true}),
                         [](const auto& c) { return std::string(c.param.name); });

TEST_F(ListHub, BackClosesTheListWhenTheMainScreenOpenedIt)
{
    openList();
    keyInGrid(Qt::Key_F1);
    ASSERT_TRUE(QTest::qWaitFor([this] { return list.isNull(); }));
    EXPECT_TRUE(screenStackEntries().isEmpty());
    EXPECT_TRUE(main->isVisible());
}

TEST_F(ListHub, BackWithNothingBelowShowsTheMainScreenAndStays)
{
    openList();
    resetScreenStack();
    main->hide();
    keyInGrid(Qt::Key_F1);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(list->isVisible());
}

TEST_F(ListHub, MainRemembersTheListOnTheStack)
{
    openList();
    keyInGrid(Qt::Key_F2);
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    EXPECT_EQ(screenStackEntries(), (QStringList{u("FrmKokyakuList"), u("FrmROV2")}));
    EXPECT_TRUE(list->isVisible());
}

TEST_F(ListHub, TheHintButtonHandsOverThisScreen)
{
    openList();
    auto* hint = new QWidget;
    hint->setObjectName(u("FrmHint"));
    registerScreen(u("FrmHint"), [p = QPointer<QWidget>(hint)] { return p.data(); });
    button("CmdHint")->click();
    EXPECT_EQ(env().hint.formName, u("FrmKokyakuList"));
    EXPECT_EQ(env().hint.controlName, u("CmdHint"));
    EXPECT_EQ(env().hint.formCaption, u("顧客一覧　　　　VAVⅡaruv　Ver1.00"));
    EXPECT_TRUE(hint->isVisible());
    delete hint;
}

TEST_F(ListHub, ClosingTheMainScreenClosesTheList)
{
    openList();
    main->close();
    QApplication::processEvents();
    EXPECT_TRUE(list.isNull());
}

TEST_F(ListHub, EscInAnOpenDropDownClosesOnlyTheDropDown)
{
    openList();
    ComboBox* sex = nullptr;
    ASSERT_NO_FATAL_FAILURE(ctl(list.data(), "cmb性別", sex));
    sex->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([sex] { return sex->hasFocus(); }));
    sex->showPopup();
    ASSERT_TRUE(QTest::qWaitFor([sex] { return sex->view()->isVisible(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(list.isNull());
    ASSERT_TRUE(QTest::qWaitFor([sex] { return !sex->view()->isVisible(); }));
    EXPECT_FALSE(list.isNull()) << "Esc closed the drop-down only";
}

TEST_F(ListHub, EscClosesTheList)
{
    openList();
    keyInGrid(Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([this] { return list.isNull(); }));
    EXPECT_TRUE(main->isVisible());
}

} // namespace
} // namespace rov2::test
