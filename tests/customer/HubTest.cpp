// The main window as the hub: opening the other screens, the hint hand-over,
// and closing every window with it.
#include "ScreenFixture.h"
#include "FamilyGrid.h"
#include "FamilyGridView.h"
#include "ModalDriving.h"
#include "ScreenStack.h"
#include "TextBox.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace rov2::test {
namespace {

class Hub : public ScreenFixture {
protected:
    void TearDown() override
    {
        for (const char* name : {"FrmKokyakuList", "FrmHosyu", "FrmHint"})
            unregisterScreen(QString::fromUtf8(name));
        ScreenFixture::TearDown();
    }
    QWidget* registerPlain(const char* name)
    {
        auto* w = new QWidget;
        w->setObjectName(QString::fromUtf8(name));
        w->setAttribute(Qt::WA_DeleteOnClose);
        registerScreen(w->objectName(), [p = QPointer<QWidget>(w)] { return p.data(); });
        return w;
    }
};

TEST_F(Hub, AButtonOpensItsScreenAndRemembersTheCaller)
{
    QWidget* list = registerPlain("FrmKokyakuList");
    list->showMinimized();
    frm->Command3()->click();
    EXPECT_TRUE(list->isVisible());
    EXPECT_FALSE(list->isMinimized()) << "opened in its normal state";
    EXPECT_EQ(screenStackEntries(), QStringList{QStringLiteral("FrmROV2")});
    delete list;
}

TEST_F(Hub, AScreenThatIsNotThereDoesNothing)
{
    frm->Command5()->click();
    focus(frm->txtTEL1());
    QTest::keyClick(frm->txtTEL1(), Qt::Key_F12);
    EXPECT_TRUE(screenStackEntries().isEmpty());
    EXPECT_TRUE(frm->isVisible());
}

TEST_F(Hub, TheHintButtonHandsOverThisScreen)
{
    QWidget* hint = registerPlain("FrmHint");
    frm->CmdHint()->click();
    EXPECT_EQ(env().hint.formName, QStringLiteral("FrmROV2"));
    EXPECT_EQ(env().hint.controlName, QStringLiteral("CmdHint"));
    EXPECT_EQ(env().hint.formCaption, QStringLiteral("VAVⅡaruv　Ver1.00"));
    EXPECT_TRUE(hint->isVisible());
    EXPECT_TRUE(screenStackEntries().isEmpty()) << "the hint screen is not a step back";
    delete hint;
}

TEST_F(Hub, ClosingTheMainWindowClosesEveryOtherWindow)
{
    QPointer<QWidget> list = registerPlain("FrmKokyakuList");
    QPointer<QWidget> upkeep = registerPlain("FrmHosyu");
    frm->Command3()->click();
    frm->Command11()->click();
    ASSERT_TRUE(list->isVisible() && upkeep->isVisible());
    focus(frm->txtTEL1());
    QTest::keyClick(frm->txtTEL1(), Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return list.isNull() && upkeep.isNull(); }))
        << "closed (and so deleted)";
    EXPECT_FALSE(frm->isVisible());
}

TEST_F(Hub, EscInAFamilyCellCancelsTheEditInsteadOfClosing)
{
    frm->Tab顧客情報()->setCurrentIndex(1);
    QTableView* grid = frm->Grid家族()->Grid家族;
    grid->setCurrentIndex(grid->model()->index(0, 1));
    grid->edit(grid->currentIndex());
    const auto inEditor = [&] {
        QWidget* w = QApplication::focusWidget();
        return w && frm->Grid家族()->isAncestorOf(w) && w != grid;
    };
    ASSERT_TRUE(QTest::qWaitFor(inEditor));
    const QPointer<QWidget> editor = QApplication::focusWidget();
    QTest::keyClick(editor, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor.isNull(); })) << "the edit is cancelled";
    ASSERT_TRUE(queuedEventsHandled());
    EXPECT_TRUE(frm->isVisible());
    focus(grid);
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !frm->isVisible(); }))
        << "from the grid itself Esc closes as everywhere";
}

} // namespace
} // namespace rov2::test
