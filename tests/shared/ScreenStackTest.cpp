#include "ScreenStack.h"

#include "CapturedWarnings.h"
#include "QtPrinters.h"

#include <QPointer>
#include <QTest>
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
    QVariant push(const QString& name) { return ScreenStack(StackOp::Push, screen(name)); }
    QVariant pop(const QString& name) { return ScreenStack(StackOp::Pop, screen(name)); }
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
    for (const StackOp op : {StackOp::Push, StackOp::Pop}) {
        EXPECT_FALSE(ScreenStack(op, &unnamed).isValid()) << static_cast<int>(op);
        EXPECT_FALSE(ScreenStack(op, nullptr).isValid()) << static_cast<int>(op);
    }
    EXPECT_EQ(screenStackEntries(), QStringList{"Frm1"});
    EXPECT_FALSE(mainScreen()->isVisible());
}

TEST_F(ScreenStackTest, MainScreenThatCannotBeLoadedGivesFalse)
{
    registerScreen(kMainScreenName, [] { return nullptr; });
    EXPECT_EQ(pop(QStringLiteral("FrmHint")), QVariant(false));
    unregisterScreen(kMainScreenName);
    EXPECT_EQ(pop(QStringLiteral("FrmHint")), QVariant(false));
}

/// A screen class as the program registers one: it names itself and counts its loads.
class CountedScreen : public QWidget
{
public:
    CountedScreen() { setObjectName(QStringLiteral("FrmCounted")); }
    void Form_Load() { ++loads; }
    int loads = 0;
};

TEST_F(ScreenStackTest, AScreenTypeIsMadeOnceAndAfreshAfterItWasClosed)
{
    const QString name = QStringLiteral("FrmCounted");
    int setups = 0;
    registerScreenType<CountedScreen>(name, [&setups](CountedScreen& s) { setups += s.loads == 0 ? 1 : 100; });
    auto* first = dynamic_cast<CountedScreen*>(screenNamed(name));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(screenNamed(name), first);
    EXPECT_EQ(first->loads, 1);
    EXPECT_EQ(setups, 1) << "set up once, before loading";
    QPointer<QWidget> closed(first);
    first->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed.isNull(); }));
    auto* second = dynamic_cast<CountedScreen*>(screenNamed(name));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->loads, 1);
    EXPECT_EQ(setups, 2);
    delete second;
    unregisterScreen(name);
}

TEST_F(ScreenStackTest, AScreenTypeUnderAnotherNameIsWarnedAbout)
{
    const QString name = QStringLiteral("FrmElsewhere");
    registerScreenType<CountedScreen>(name);
    test::CapturedWarnings warnings;
    const std::unique_ptr<QWidget> made(screenNamed(name));
    EXPECT_TRUE(warnings.said(QStringLiteral("FrmElsewhere"))) << "the stack would record a name that finds nothing";
    unregisterScreen(name);
}

} // namespace
} // namespace rov2
