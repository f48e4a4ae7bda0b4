// The maintenance screen opened from the main screen, as the program wires it.
#include "CodeColumn.h"
#include "CodeTableModel.h"
#include "ComboBox.h"
#include "CustomerListModel.h"
#include "Database.h"
#include "DateBox.h"
#include "DateText.h"
#include "FindControl.h"
#include "FrmCodeMaster.h"
#include "FrmHint.h"
#include "FrmHosyu.h"
#include "FrmKokyakuList.h"
#include "FrmROV2.h"
#include "HintButton.h"
#include "JapaneseDate.h"
#include "ProgramEnv.h"
#include "ScreenStack.h"
#include "ScriptedDialogs.h"
#include "TempData.h"
#include "TextBox.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
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
        registerScreenType<FrmHosyu>(QStringLiteral("FrmHosyu"), [this](FrmHosyu& hosyu) {
            QObject::connect(&hosyu, &FrmHosyu::settingsSaved, &hosyu, [this] { main->FormInit(); });
        });
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

void exec(const QString& file, const QString& sql, const QVariantList& params = {})
{
    auto db = Database::open(file);
    ASSERT_TRUE(db);
    ASSERT_TRUE(db->execute(sql, params)) << sql.toStdString();
}

QStringList items(const ComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

/// The screens open on one data file when another is read back from a folder.
class ReadBack : public Hub {
protected:
    void SetUp() override
    {
        Hub::SetUp();
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(QFile::copy(d.dataFile(), backup()));
        const QString add =
            QStringLiteral("INSERT INTO 顧客マスタ (名称, ふりがな, クイック) VALUES (?, ?, ?)");
        exec(d.dataFile(), add, {text("旧い人"), text("ふるいひと"), text("する")});
        exec(backup(), add, {text("新井一"), text("あらいいち"), text("する")});
        exec(backup(), add, {text("新井二"), text("あらいに"), text("しない")});
        exec(backup(), add, {text("新井三"), text("あらいさん"), text("する")});
        const QString name = QStringLiteral("UPDATE コードマスタ SET sname = ? WHERE rowid = "
                                            "(SELECT min(rowid) FROM コードマスタ WHERE kcode = '区分1')");
        exec(d.dataFile(), name, {text("旧い区分")});
        exec(backup(), name, {text("新しい区分")});
        registerScreenType<FrmKokyakuList>(kKokyakuListName);
        registerScreenType<FrmCodeMaster>(QStringLiteral("FrmCodeMaster"));
        registerScreenType<FrmHint>(kHintScreenName);
        main->Form_Load();
    }
    void TearDown() override
    {
        QList<QPointer<QWidget>> opened;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<FrmKokyakuList*>(w) || qobject_cast<FrmCodeMaster*>(w))
                opened << w;
        for (const QPointer<QWidget>& w : opened)
            delete w.data();
        for (const char* name : {"FrmKokyakuList", "FrmCodeMaster"})
            unregisterScreen(text(name));
        Hub::TearDown();
    }
    QString backup() const { return folder.filePath(QStringLiteral("Rov2data.mdb")); }
    /// 保守's 読込 with the backup, answered Yes.
    void readBackup()
    {
        FrmHosyu* screen = pressF11();
        ASSERT_TRUE(screen);
        auto* read = ctl<QPushButton>(screen, "Command11");
        ASSERT_TRUE(read);
        dialogs.chooseFile(backup()).answer(MsgAnswer::Yes);
        read->click();
        QApplication::processEvents();
        auto db = Database::open(d.dataFile());
        ASSERT_TRUE(db);
        ASSERT_EQ(db->count(QStringLiteral("SELECT count(*) AS num FROM 顧客マスタ")), 3)
            << "the file was read back";
    }
    static void bringForward(QWidget* w)
    {
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }

    QTemporaryDir folder;
};

TEST_F(ReadBack, TheMainScreenShowsTheNewFileWhenItComesForward)
{
    ASSERT_EQ(main->LblEntNum()->text(), text("登録数 1"));
    main->cmb顧客名()->setText(text("旧い人"));
    readBackup();
    bringForward(main.get());
    EXPECT_EQ(main->LblEntNum()->text(), text("登録数 3"));
    EXPECT_EQ(items(main->cmb顧客名()), QStringList({text("新井一"), text("新井三")}))
        << "the quick-pick list";
    EXPECT_TRUE(items(main->cmb区分1()).contains(text("新しい区分")));
    EXPECT_FALSE(items(main->cmb区分1()).contains(text("旧い区分")));
    EXPECT_EQ(main->cmb顧客名()->text(), QString()) << "the old file's customer is no longer shown";
}

TEST_F(ReadBack, TheMainScreenFollowsABulkDeletion)
{
    ASSERT_EQ(main->LblEntNum()->text(), text("登録数 1"));
    FrmHosyu* screen = pressF11();
    ASSERT_TRUE(screen);
    bringForward(screen);
    dialogs.answer(MsgAnswer::Yes);
    screen->DeleteAllData();
    auto db = Database::open(d.dataFile());
    ASSERT_TRUE(db);
    ASSERT_EQ(db->count(QStringLiteral("SELECT count(*) AS num FROM 顧客マスタ")), 0);
    bringForward(main.get());
    EXPECT_EQ(main->LblEntNum()->text(), text("登録数 ")) << "no customers left to count";
    EXPECT_TRUE(items(main->cmb顧客名()).isEmpty()) << "the quick-pick list";
}

TEST_F(ReadBack, TheCustomerListIsLoadedAfreshWhenItComesForward)
{
    QPointer<FrmKokyakuList> list = qobject_cast<FrmKokyakuList*>(screenNamed(kKokyakuListName));
    ASSERT_TRUE(list);
    auto* search = ctl<QPushButton>(list, "cmd_ENT");
    auto* total = ctl<QLabel>(list, "LblAllNum");
    auto* kind = ctl<ComboBox>(list, "cmb区分1");
    ASSERT_TRUE(search && total && kind);
    bringForward(list);
    search->click();
    ASSERT_EQ(list->listModel()->rowCount(), 1);
    bringForward(main.get());
    readBackup();
    bringForward(list);
    EXPECT_EQ(list->listModel()->rowCount(), 0) << "no row of the old file";
    EXPECT_EQ(total->text(), QString());
    EXPECT_TRUE(items(kind).contains(text("新しい区分")));
}

TEST_F(ReadBack, TheCodeTableReadsItsListAgainWhenItComesForward)
{
    QPointer<FrmCodeMaster> codes =
        qobject_cast<FrmCodeMaster*>(screenNamed(QStringLiteral("FrmCodeMaster")));
    ASSERT_TRUE(codes);
    CodeTableModel* model = nullptr;
    ASSERT_NO_FATAL_FAILURE(ctl(codes.data(), "datコードマスタ", model));
    const auto names = [model] {
        QStringList out;
        for (int row = 0; row < model->rowCount(); ++row)
            out << model->index(row, codes::sname).data().toString();
        return out;
    };
    ASSERT_TRUE(names().contains(text("旧い区分")));
    bringForward(main.get());
    readBackup();
    bringForward(codes);
    EXPECT_TRUE(names().contains(text("新しい区分")));
    EXPECT_FALSE(names().contains(text("旧い区分"))) << "saving these slots would write the old list back";
}

} // namespace
} // namespace rov2::test
