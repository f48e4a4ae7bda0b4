// Where an installed program keeps its data, and the copy of the data file
// taken at the first start of each day.
#include "DailyCopy.h"
#include "Database.h"
#include "JapaneseDate.h"
#include "ScriptedDialogs.h"
#include "Startup.h"
#include "SuppliedFiles.h"
#include "TempData.h"
#include "TestNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <ostream>

using namespace rov2;

namespace {

struct HomeCase
{
    const char* what;
    bool besideWritable;
    const char* xdgDataHome;
    const char* dataFolder;
    const char* postalFile;
};

void PrintTo(const HomeCase& c, std::ostream* os)
{
    *os << c.what;
}

class HomeFolderChoice : public ::testing::TestWithParam<HomeCase>
{
};

TEST_P(HomeFolderChoice, FollowsTheProgramFolderAndXdgDataHome)
{
    const HomeCase& c = GetParam();
    const HomeFolders home = homeFolders(QStringLiteral("/usr/bin"), c.besideWritable,
                                         QString::fromUtf8(c.xdgDataHome), QStringLiteral("/home/hana"));
    EXPECT_EQ(home.dataFolder, QString::fromUtf8(c.dataFolder));
    EXPECT_EQ(home.postalFile, QString::fromUtf8(c.postalFile));
}

INSTANTIATE_TEST_SUITE_P(
    Start, HomeFolderChoice,
    ::testing::Values(HomeCase{"a writable program folder", true, "/xdg", "/usr/bin/data/",
                               "/usr/bin/data/yubin.mdb"},
                      HomeCase{"installed with XDG_DATA_HOME", false, "/xdg/share",
                               "/xdg/share/VAVⅡaruv/data/", "/usr/share/vavaruv/yubin.mdb"},
                      HomeCase{"installed without XDG_DATA_HOME", false, "",
                               "/home/hana/.local/share/VAVⅡaruv/data/", "/usr/share/vavaruv/yubin.mdb"},
                      HomeCase{"installed with a relative XDG_DATA_HOME", false, "share",
                               "/home/hana/.local/share/VAVⅡaruv/data/", "/usr/share/vavaruv/yubin.mdb"}),
    ::rov2::test::PrintedName());

/// Sets an environment variable for its lifetime.
class EnvVar
{
public:
    EnvVar(const char* name, const QString& value)
        : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name))
    {
        qputenv(name, value.toUtf8());
    }
    ~EnvVar() { had_ ? qputenv(name_, old_) : qunsetenv(name_); }

private:
    const char* name_;
    QByteArray old_;
    bool had_;
};

/// Fixes today's date for its lifetime.
struct Today
{
    explicit Today(const QDate& day) { Clock::setToday(day); }
    ~Today() { Clock::setToday(QDate()); }
};

TEST(StartProgram, AnInstalledProgramMakesItsDataFolderInTheUsersDataHome)
{
    test::TempData program(false);
    test::TempData user(false);
    const EnvVar xdg("XDG_DATA_HOME", user.folder() + QStringLiteral("share"));
    QString asked;
    const ProgramStart start = startProgram(program.folder(), [&asked](const QString& folder) {
        asked = folder;
        return false;
    });
    ASSERT_EQ(start.outcome, StartOutcome::Ready);
    EXPECT_EQ(asked, program.folder() + QStringLiteral("data/"));
    const QString data = user.folder() + QStringLiteral("share/VAVⅡaruv/data/");
    EXPECT_EQ(env().locations.dataFolder, data);
    EXPECT_EQ(checkFile(data + QStringLiteral("Rov2Data.mdb"), FileKind::Data), FileState::Ok);
    EXPECT_EQ(start.lockFile, data + QStringLiteral("Rov2.lock"));
    EXPECT_EQ(env().locations.postalFile,
              QDir::cleanPath(program.folder() + QStringLiteral("../share/vavaruv/yubin.mdb")));
    EXPECT_FALSE(QFileInfo::exists(program.folder() + QStringLiteral("data")))
        << "nothing beside the program";
}

qint64 customersNamed(const QString& file, const QString& name)
{
    auto db = Database::open(file);
    return db ? db->count(QStringLiteral("SELECT COUNT(*) AS num FROM 顧客マスタ WHERE 名称 = ?"), {name})
                    .value_or(-1)
              : -1;
}

void addCustomer(const QString& file, const QString& name)
{
    auto db = Database::open(file);
    ASSERT_TRUE(db);
    ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO 顧客マスタ (名称) VALUES (?)"), {name}));
}

TEST(DailyCopyAtStart, OnlyTheDaysFirstStartCopiesTheDataAsItWas)
{
    test::TempData program(false);
    const QString dataFile = program.folder() + QStringLiteral("data/Rov2Data.mdb");
    Today today(QDate(2026, 12, 8));
    {
        ASSERT_EQ(startProgram(program.folder()).outcome, StartOutcome::Ready);
    }
    addCustomer(dataFile, QStringLiteral("朝の客"));
    {
        ASSERT_EQ(startProgram(program.folder()).outcome, StartOutcome::Ready);
    }
    Clock::setToday(QDate(2026, 12, 9));
    {
        ASSERT_EQ(startProgram(program.folder()).outcome, StartOutcome::Ready);
    }

    const QList<DailyCopy> copies = dailyCopies(dataFile);
    ASSERT_EQ(copies.size(), 2);
    EXPECT_EQ(copies[0].day, QDate(2026, 12, 9));
    EXPECT_EQ(customersNamed(copies[0].path, QStringLiteral("朝の客")), 1);
    EXPECT_EQ(customersNamed(copies[1].path, QStringLiteral("朝の客")), 0)
        << "a later start the same day copied again";
    EXPECT_EQ(QFileInfo(copies[1].path).fileName(), QStringLiteral("Rov2Data_20261208.mdb"));
}

TEST(DailyCopyAtStart, KeepsTheNewestSeven)
{
    test::TempData program(false);
    const QString dataFile = program.folder() + QStringLiteral("data/Rov2Data.mdb");
    Today today(QDate(2026, 12, 1));
    {
        ASSERT_EQ(startProgram(program.folder()).outcome, StartOutcome::Ready);
    }
    // Earlier days' copies, one of them named in other letters.
    for (int day = 2; day <= 9; ++day)
        ASSERT_TRUE(QFile::copy(dataFile, dailyCopyFolder(dataFile) +
                                              (day == 2 ? QStringLiteral("/ROV2DATA_202611%1.MDB")
                                                        : QStringLiteral("/Rov2Data_202611%1.mdb"))
                                                  .arg(day, 2, 10, QLatin1Char('0'))));
    {
        ASSERT_EQ(startProgram(program.folder()).outcome, StartOutcome::Ready);
    } // not the day's first: nothing pruned
    EXPECT_EQ(dailyCopies(dataFile).size(), 9);
    Clock::setToday(QDate(2026, 12, 2));
    {
        ASSERT_EQ(startProgram(program.folder()).outcome, StartOutcome::Ready);
    }

    QStringList days;
    for (const DailyCopy& c : dailyCopies(dataFile))
        days << c.day.toString(QStringLiteral("MMdd"));
    EXPECT_EQ(days, (QStringList{"1202", "1201", "1109", "1108", "1107", "1106", "1105"}));
    EXPECT_EQ(QDir(dailyCopyFolder(dataFile)).entryList(QDir::Files | QDir::Hidden).size(), 7)
        << "nothing else left";
}

struct FailedCopyCase
{
    const char* what;
    const char* inTheWay; ///< made as a folder (ending '/') or a file, relative to the data folder
    bool brokenDataFile;
};

void PrintTo(const FailedCopyCase& c, std::ostream* os)
{
    *os << c.what;
}

class FailedDailyCopy : public ::testing::TestWithParam<FailedCopyCase>
{
};

TEST_P(FailedDailyCopy, IsToldOnceTheWindowShowsAndTheStartGoesOn)
{
    const FailedCopyCase& c = GetParam();
    test::TempData program(false);
    const QString data = program.folder() + QStringLiteral("data/");
    Today today(QDate(2026, 12, 8));
    {
        ASSERT_EQ(startProgram(program.folder()).outcome, StartOutcome::Ready);
    }
    ASSERT_TRUE(QDir(data + QStringLiteral("自動保存")).removeRecursively());
    const QString inTheWay = data + QString::fromUtf8(c.inTheWay);
    if (inTheWay.endsWith(u'/'))
        ASSERT_TRUE(QDir().mkpath(inTheWay));
    else
        ASSERT_TRUE(QFile(inTheWay).open(QIODevice::WriteOnly));
    if (c.brokenDataFile) {
        QFile broken(data + QStringLiteral("Rov2Data.mdb"));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write(QByteArray(4096, 'x'));
    }

    const ProgramStart start = startProgram(program.folder());
    ASSERT_EQ(start.outcome, StartOutcome::Ready) << "never fatal";
    EXPECT_EQ(env().locations.dataFile, data + QStringLiteral("Rov2Data.mdb"));
    ASSERT_FALSE(start.dailyCopyNotice.isEmpty());

    test::ScriptedDialogs dialogs;
    QWidget window;
    window.show();
    tellAfterShown(&window, {start.dailyCopyNotice});
    EXPECT_TRUE(dialogs.messages().isEmpty()) << "not before the window is up";
    ASSERT_TRUE(QTest::qWaitFor([&dialogs] { return !dialogs.messages().isEmpty(); }));
    EXPECT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().text.contains(QStringLiteral("自動保存を作れませんでした")))
        << dialogs.messages().first().text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Start, FailedDailyCopy,
    ::testing::Values(FailedCopyCase{"a file where the folder belongs", "自動保存", false},
                      FailedCopyCase{"a folder with the day's name", "自動保存/Rov2Data_20261208.mdb/",
                                     false},
                      FailedCopyCase{"a data file that is no database", "自動保存/", true}),
    ::rov2::test::PrintedName());

} // namespace
