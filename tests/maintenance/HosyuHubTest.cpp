// The maintenance screen opened from the main screen, as the program wires it.
#include "ComboBox.h"
#include "DateBox.h"
#include "DateText.h"
#include "FrmHosyu.h"
#include "FrmROV2.h"
#include "JapaneseDate.h"
#include "ProgramEnv.h"
#include "ScreenStack.h"
#include "ScriptedDialogs.h"
#include "TempData.h"
#include "TextBox.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace rov2::test {
namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

class Hub : public ::testing::Test {
protected:
    void SetUp() override
    {
        env() = ProgramEnv{};
        env().locations = {d.folder(), d.workFile(), d.dataFile(), d.dataFile(), d.postalFile()};
        Clock::setToday(QDate(2001, 6, 15));
        resetScreenStack();
        main = std::make_unique<FrmROV2>();
        registerScreen(kMainScreenName, [this] { return main.get(); });
        FrmHosyu::registerScreen([this] { main->FormInit(); });
        main->Form_Load();
        main->show();
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    }
    void TearDown() override
    {
        if (QWidget* w = hosyu())
            delete w;
        unregisterScreen(QStringLiteral("FrmHosyu"));
        unregisterScreen(kMainScreenName);
        main.reset();
        Clock::setToday(QDate());
    }
    /// Opens the maintenance screen with F11 from the telephone box.
    FrmHosyu* pressF11()
    {
        main->txtTEL1()->setFocus(Qt::OtherFocusReason);
        EXPECT_TRUE(QTest::qWaitFor([this] { return main->txtTEL1()->hasFocus(); }));
        QTest::keyClick(main->txtTEL1(), Qt::Key_F11);
        QApplication::processEvents();
        return hosyu();
    }
    /// The open maintenance screen, without loading one.
    FrmHosyu* hosyu()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<FrmHosyu*>(w))
                return f;
        return nullptr;
    }
    template <class T>
    T* ctl(QWidget* screen, const char* name)
    {
        return screen->findChild<T*>(QString::fromUtf8(name));
    }

    TempData d;
    ScriptedDialogs dialogs;
    std::unique_ptr<FrmROV2> main;
};

TEST_F(Hub, F11OpensTheLoadedScreenAndBackClosesIt)
{
    QPointer<FrmHosyu> screen = pressF11();
    ASSERT_TRUE(screen);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(ctl<ComboBox>(screen, "cmb性別")->text(), text("男")) << "the stored settings were read";
    EXPECT_EQ(screenStackEntries(), QStringList{kMainScreenName});

    ctl<ComboBox>(screen, "cmb性別")->setText(text("女"));
    ctl<QPushButton>(screen, "cmd戻る")->click();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(screen.isNull()) << "closed and unloaded";
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(screenStackEntries().isEmpty());

    FrmHosyu* again = pressF11();
    ASSERT_TRUE(again);
    EXPECT_EQ(ctl<ComboBox>(again, "cmb性別")->text(), text("男")) << "loaded afresh, the unsaved change gone";
}

TEST_F(Hub, MainLeavesTheScreenLoadedUnderneath)
{
    QPointer<FrmHosyu> screen = pressF11();
    ASSERT_TRUE(screen);
    ctl<QPushButton>(screen, "cmdメニュー")->click();
    QApplication::processEvents();
    EXPECT_TRUE(main->isVisible());
    EXPECT_FALSE(screen.isNull());
    EXPECT_EQ(screenStackEntries(), QStringList({text("FrmHosyu"), kMainScreenName}));
    // Opened again from the hub it is the same screen, with what was typed.
    ctl<TextBox>(screen, "txtYubinEriaName")->setText(text("関東"));
    EXPECT_EQ(pressF11(), screen.data());
    EXPECT_EQ(ctl<TextBox>(screen, "txtYubinEriaName")->text(), text("関東"));
}

TEST_F(Hub, SavedSettingsReachTheMainScreenAtOnce)
{
    FrmHosyu* screen = pressF11();
    ASSERT_TRUE(screen);
    main->dt生年月日()->setDate(QDate(1990, 5, 1));
    const QString western = main->dt生年月日()->text();
    ctl<ComboBox>(screen, "cmb年号")->setText(text("和暦"));
    ctl<ComboBox>(screen, "cmb性別")->setText(text("女"));
    dialogs.answer(MsgAnswer::Yes);
    ctl<QPushButton>(screen, "cmd登録")->click();
    QApplication::processEvents();
    EXPECT_NE(main->dt生年月日()->text(), western);
    EXPECT_EQ(main->dt生年月日()->toolTip(), dateBoxPattern(true)) << "the era form, without a restart";
    main->Clear顧客情報画面();
    EXPECT_EQ(main->cmb性別()->text(), text("女")) << "the new default sex";
}

} // namespace
} // namespace rov2::test
