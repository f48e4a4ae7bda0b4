#include "ScreenStack.h"

#include "QtPrinters.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace rov2 {
namespace {

class ScreenStackTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resetScreenStack();
        registerScreen(kMainScreenName, [this] {
            ++mainLoads_;
            return screen(kMainScreenName);
        });
    }
    void TearDown() override
    {
        for (const auto& entry : screens_)
            unregisterScreen(entry.first);
        resetScreenStack();
    }

    /// The one widget of that name, created hidden on first use.
    QWidget* screen(const QString& name)
    {
        auto& w = screens_[name];
        if (!w) {
            w = std::make_unique<QWidget>();
            w->setObjectName(name);
        }
        return w.get();
    }
    QWidget* registered(const QString& name)
    {
        registerScreen(name, [this, name] { return screen(name); });
        return screen(name);
    }
    QVariant push(const QString& name) { return ScreenStack(QStringLiteral("PUSH"), screen(name)); }
    QVariant pop(const QString& name) { return ScreenStack(QStringLiteral("POP"), screen(name)); }
    QWidget* mainScreen() { return screen(kMainScreenName); }

    std::map<QString, std::unique_ptr<QWidget>> screens_;
    int mainLoads_ = 0;
};

TEST_F(ScreenStackTest, SixPushesKeepTheLatestFiveAndPopNewestFirst)
{
    for (const char* name : {"Frm1", "Frm2", "Frm3", "Frm4", "Frm5", "Frm6"})
        EXPECT_EQ(push(QString::fromLatin1(name)), QVariant(true));
    EXPECT_EQ(screenStackEntries(), (QStringList{"Frm6", "Frm5", "Frm4", "Frm3", "Frm2"}));
    for (const char* below : {"Frm6", "Frm5", "Frm4", "Frm3", "Frm2"}) {
        QWidget* w = registered(QString::fromLatin1(below));
        EXPECT_EQ(pop(QStringLiteral("FrmHint")), QVariant(true)) << below;
        EXPECT_TRUE(w->isVisible()) << below << " should have been brought forward";
        EXPECT_FALSE(screenStackEntries().contains(QString::fromLatin1(below)));
    }
    EXPECT_TRUE(screenStackEntries().isEmpty());
    EXPECT_FALSE(mainScreen()->isVisible());
    EXPECT_EQ(pop(QStringLiteral("FrmHint")), QVariant(false));
    EXPECT_TRUE(mainScreen()->isVisible());
}

TEST_F(ScreenStackTest, PopOnAnEmptyStackShowsTheMainScreenWhateverIsPassed)
{
    for (const char* caller : {"FrmCodeMaster", "FrmROV2", "FrmKokyakuList"}) {
        mainScreen()->hide();
        EXPECT_EQ(pop(QString::fromLatin1(caller)), QVariant(false)) << caller;
        EXPECT_TRUE(mainScreen()->isVisible()) << caller;
    }
    EXPECT_EQ(mainLoads_, 3);
}

TEST_F(ScreenStackTest, PopRestoresAMinimizedMainScreen)
{
    mainScreen()->showMinimized();
    EXPECT_EQ(pop(QStringLiteral("FrmHosyu")), QVariant(false));
    EXPECT_FALSE(mainScreen()->isMinimized());
    EXPECT_TRUE(mainScreen()->isVisible());
}

TEST_F(ScreenStackTest, PushOnePopTwice)
{
    EXPECT_EQ(push(QStringLiteral("FrmCodeMaster")), QVariant(true));
    EXPECT_EQ(pop(QStringLiteral("FrmCodeMaster")), QVariant(true));
    EXPECT_TRUE(screenStackEntries().isEmpty());
    EXPECT_EQ(pop(QStringLiteral("FrmCodeMaster")), QVariant(false));
}

TEST_F(ScreenStackTest, PopShowsTheCallerInItsNormalState)
{
    push(kMainScreenName);
    QWidget* caller = screen(QStringLiteral("FrmKokyakuList"));
    caller->showMinimized();
    EXPECT_EQ(pop(QStringLiteral("FrmKokyakuList")), QVariant(true));
    EXPECT_FALSE(caller->isMinimized());
    EXPECT_TRUE(caller->isVisible());
}

TEST_F(ScreenStackTest, AScreenWithoutANameGivesNoValueAndChangesNothing)
{
    push(QStringLiteral("Frm1"));
    QWidget unnamed;
    for (const char* op : {"PUSH", "POP"}) {
        EXPECT_FALSE(ScreenStack(QString::fromLatin1(op), &unnamed).isValid()) << op;
        EXPECT_FALSE(ScreenStack(QString::fromLatin1(op), nullptr).isValid()) << op;
    }
    EXPECT_EQ(screenStackEntries(), QStringList{"Frm1"});
    EXPECT_FALSE(mainScreen()->isVisible());
}

TEST_F(ScreenStackTest, AnOtherOperationChangesNothingAndAnswersTrue)
{
    push(QStringLiteral("Frm1"));
    for (const char* op : {"push", "pop", "PEEK", ""})
        EXPECT_EQ(ScreenStack(QString::fromLatin1(op), screen(QStringLiteral("Frm2"))), QVariant(true)) << op;
    EXPECT_EQ(screenStackEntries(), QStringList{"Frm1"});
}

TEST_F(ScreenStackTest, MainScreenThatCannotBeLoadedGivesFalse)
{
    registerScreen(kMainScreenName, [] { return nullptr; });
    EXPECT_EQ(pop(QStringLiteral("FrmHint")), QVariant(false));
    unregisterScreen(kMainScreenName);
    EXPECT_EQ(pop(QStringLiteral("FrmHint")), QVariant(false));
}

} // namespace
} // namespace rov2
