#include "Database.h"
#include "TestNames.h"
#include "Startup.h"
#include "SuppliedFiles.h"
#include "TempData.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>

#include <gtest/gtest.h>

#include <ostream>

using namespace rov2;

namespace {

const DevelopmentPaths kDev{QStringLiteral("/c/qendevelop.txt"), QStringLiteral("/c/develop2/vt/rov2/data/"),
                            QStringLiteral("/c/develop/vt/yubin/yubin.mdb")};

struct LocationCase {
    const char* what;
    bool development;
    QVariant dataPath;
    QVariant yubinPath;
    const char* dataFile;
    const char* postalFile;
    const char* dataFolder;
};

void PrintTo(const LocationCase& c, std::ostream* os) { *os << c.what; }

class LocationRules : public ::testing::TestWithParam<LocationCase> {};

TEST_P(LocationRules, FollowTheSwitchAndTheOverrides)
{
    const LocationCase& c = GetParam();
    const Locations l = resolveLocations(QStringLiteral("/opt/rov2"), c.development, kDev, {c.dataPath, c.yubinPath});
    EXPECT_EQ(l.dataFolder, QString::fromUtf8(c.dataFolder)) << c.what;
    EXPECT_EQ(l.dataFile, QString::fromUtf8(c.dataFile)) << c.what;
    EXPECT_EQ(l.postalFile, QString::fromUtf8(c.postalFile)) << c.what;
    EXPECT_EQ(l.workFile, QString::fromUtf8(c.dataFolder) + QStringLiteral("Rov2Work.mdb")) << "never relocated";
    EXPECT_EQ(l.defaultDataFile, QString::fromUtf8(c.dataFolder) + QStringLiteral("Rov2Data.mdb")) << "hints stay here";
}

INSTANTIATE_TEST_SUITE_P(
    Start, LocationRules,
    ::testing::Values(
        LocationCase{"no marker, empty 管理", false, {}, {}, "/opt/rov2/data/Rov2Data.mdb", "/opt/rov2/data/yubin.mdb",
                     "/opt/rov2/data/"},
        LocationCase{"DataPath only", false, QStringLiteral("/srv/shop/顧客.mdb"), {}, "/srv/shop/顧客.mdb",
                     "/opt/rov2/data/yubin.mdb", "/opt/rov2/data/"},
        LocationCase{"both overrides", false, QStringLiteral("/srv/a.mdb"), QStringLiteral("/srv/y.mdb"), "/srv/a.mdb",
                     "/srv/y.mdb", "/opt/rov2/data/"},
        LocationCase{"YubinPath only", false, {}, QStringLiteral("/srv/y.mdb"), "/opt/rov2/data/Rov2Data.mdb",
                     "/srv/y.mdb", "/opt/rov2/data/"},
        LocationCase{"marker", true, {}, {}, "/c/develop2/vt/rov2/data/Rov2Data.mdb", "/c/develop/vt/yubin/yubin.mdb",
                     "/c/develop2/vt/rov2/data/"},
        LocationCase{"marker and DataPath", true, QStringLiteral("/srv/a.mdb"), {}, "/srv/a.mdb",
                     "/c/develop/vt/yubin/yubin.mdb", "/c/develop2/vt/rov2/data/"}), ::rov2::test::PrintedName());

void setControl(const QString& workFile, const QVariant& dataPath, const QVariant& yubinPath)
{
    auto db = Database::open(workFile);
    ASSERT_TRUE(db);
    ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO 管理 (DataPath, YubinPath) VALUES (?, ?)"), {dataPath, yubinPath}));
}

TEST(ReadDataEnv, TakesTheFirstRowKeepingNulls)
{
    test::TempData d;
    EXPECT_TRUE(ReadDataEnv(d.workFile()).dataPath.isNull()) << "empty 管理";
    setControl(d.workFile(), QStringLiteral("/x/Rov2Data.mdb"), QVariant());
    setControl(d.workFile(), QStringLiteral("/second/row.mdb"), QStringLiteral("/second/y.mdb"));
    const DataEnv e = ReadDataEnv(d.workFile());
    EXPECT_EQ(e.dataPath.toString(), QStringLiteral("/x/Rov2Data.mdb"));
    EXPECT_TRUE(e.yubinPath.isNull());
}

TEST(ReadDataEnv, AMissingOrBrokenWorkFileGivesNoOverride)
{
    test::TempData d(false);
    EXPECT_TRUE(ReadDataEnv(d.workFile()).dataPath.isNull());
    QFile f(d.workFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is not a database at all, but a text file");
    f.close();
    const DataEnv e = ReadDataEnv(d.workFile());
    EXPECT_TRUE(e.dataPath.isNull());
    EXPECT_TRUE(e.yubinPath.isNull());
}

TEST(SuppliedFilesAtStart, AreMadeInTheDataFolderOnly)
{
    test::TempData d(false);
    Locations l = resolveLocations(d.folder(), false, kDev, {d.path(QStringLiteral("moved/Rov2Data.mdb")), {}});
    ensureSuppliedFiles(l);
    EXPECT_EQ(checkFile(l.workFile, FileKind::Work), FileState::Ok);
    EXPECT_EQ(checkFile(l.defaultDataFile, FileKind::Data), FileState::Ok);
    EXPECT_FALSE(QFileInfo::exists(l.dataFile)) << "a relocated data file is never made anew";
    const auto notice = startupNotice(l);
    ASSERT_TRUE(notice.has_value());
    EXPECT_TRUE(notice->contains(QStringLiteral("データファイル")));
    EXPECT_TRUE(notice->contains(QStringLiteral("moved")));
    EXPECT_TRUE(notice->contains(QStringLiteral("がありません")));
}

TEST(SuppliedFilesAtStart, ABrokenFileIsKeptAndReported)
{
    test::TempData d(false);
    const Locations l = resolveLocations(d.folder(), false, kDev, {});
    QDir().mkpath(l.dataFolder);
    QFile f(l.defaultDataFile);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(2048, '\x7f'));
    f.close();
    ensureSuppliedFiles(l);
    EXPECT_EQ(QFileInfo(l.defaultDataFile).size(), 2048) << "never replaced";
    const auto notice = startupNotice(l);
    ASSERT_TRUE(notice.has_value());
    EXPECT_TRUE(notice->contains(QStringLiteral("壊れています")));
    EXPECT_FALSE(notice->contains(QStringLiteral("作業ファイル"))) << "the work file was made and is fine";
}

TEST(SuppliedFilesAtStart, ADataFileGoneFromBesideTheWorkFileIsReportedNotMadeAnew)
{
    test::TempData d(false);
    const Locations l = resolveLocations(d.folder(), false, kDev, {});
    ensureSuppliedFiles(l);
    ASSERT_TRUE(QFile::remove(l.defaultDataFile));
    ensureSuppliedFiles(l);
    EXPECT_FALSE(QFileInfo::exists(l.defaultDataFile)) << "an empty file would take the user's typing";
    const auto notice = startupNotice(l);
    ASSERT_TRUE(notice.has_value());
    EXPECT_TRUE(notice->contains(QStringLiteral("データファイル")));
    EXPECT_TRUE(notice->contains(QStringLiteral("がありません")));
}

TEST(SuppliedFilesAtStart, AMissingWorkFileIsMadeBesideTheDataFile)
{
    test::TempData d(false);
    const Locations l = resolveLocations(d.folder(), false, kDev, {});
    ensureSuppliedFiles(l);
    ASSERT_TRUE(QFile::remove(l.workFile));
    const qint64 dataSize = QFileInfo(l.defaultDataFile).size();
    ensureSuppliedFiles(l);
    EXPECT_EQ(checkFile(l.workFile, FileKind::Work), FileState::Ok);
    EXPECT_EQ(QFileInfo(l.defaultDataFile).size(), dataSize);
    EXPECT_FALSE(startupNotice(l).has_value());
}

TEST(SuppliedFilesAtStart, AllWellGivesNoNotice)
{
    test::TempData d(false);
    const Locations l = resolveLocations(d.folder(), false, kDev, {});
    ensureSuppliedFiles(l);
    EXPECT_FALSE(startupNotice(l).has_value());
}

TEST(StartProgram, ReadsTheOverridesFromTheWorkFileItMade)
{
    test::TempData d(false);
    const QString folder = d.folder();
    ASSERT_EQ(startProgram(folder).outcome, StartOutcome::Ready);
    const QString work = folder + QStringLiteral("data/Rov2Work.mdb");
    ASSERT_EQ(env().locations.workFile, work);
    setControl(work, QStringLiteral("/elsewhere/Rov2Data.mdb"), QVariant());
    ASSERT_EQ(startProgram(folder).outcome, StartOutcome::Ready) << "the first start's lock was let go";
    EXPECT_EQ(env().locations.dataFile, QStringLiteral("/elsewhere/Rov2Data.mdb"));
    EXPECT_EQ(env().locations.postalFile, folder + QStringLiteral("data/yubin.mdb"));
}

/// Name, size, time and contents of every file in a folder.
QStringList snapshot(const QString& folder)
{
    QStringList out;
    for (const QFileInfo& f : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
        QFile file(f.filePath());
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
        out << QStringLiteral("%1 %2 %3 %4")
                   .arg(f.fileName())
                   .arg(f.size())
                   .arg(f.lastModified().toMSecsSinceEpoch())
                   .arg(QString::number(qHash(bytes)));
    }
    return out;
}

TEST(StartProgram, ASecondCopyOnTheSameDataFolderEndsWithoutTouchingAFile)
{
    test::TempData d(false);
    const ProgramStart first = startProgram(d.folder());
    ASSERT_EQ(first.outcome, StartOutcome::Ready);
    const QString dataFolder = d.folder() + QStringLiteral("data/");
    {
        // The first copy has a family on its grid.
        auto work = Database::open(dataFolder + QStringLiteral("Rov2Work.mdb"));
        ASSERT_TRUE(work);
        ASSERT_TRUE(work->execute(QStringLiteral("UPDATE w家族情報 SET 氏名 = ? WHERE rowid = (SELECT min(rowid) FROM w家族情報)"),
                                  {QStringLiteral("一つ目の家族")}));
    }
    const QStringList before = snapshot(dataFolder);
    const ProgramStart second = startProgram(d.folder());
    EXPECT_EQ(second.outcome, StartOutcome::AlreadyRunning);
    EXPECT_EQ(snapshot(dataFolder), before);
}

TEST(StartProgram, TakesOverTheLockOfACrashedCopy)
{
    test::TempData d(false);
    const QString dataFolder = d.folder() + QStringLiteral("data/");
    ASSERT_TRUE(QDir().mkpath(dataFolder));
    QFile lock(dataFolder + QString::fromUtf16(kLockFileName));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    // A process number beyond any the system hands out: its owner is gone.
    lock.write("2147483000\nrov2\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    const ProgramStart start = startProgram(d.folder());
    EXPECT_EQ(start.outcome, StartOutcome::Ready);
    EXPECT_EQ(checkFile(dataFolder + QStringLiteral("Rov2Work.mdb"), FileKind::Work), FileState::Ok);
}

struct LeftLockCase {
    const char* what;
    QByteArray contents;
};

void PrintTo(const LeftLockCase& c, std::ostream* os) { *os << c.what; }

QByteArray lockOfLivePid()
{
    return QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
           QCoreApplication::applicationName().toUtf8() + '\n' + QSysInfo::machineHostName().toUtf8() + '\n';
}

class LeftLockFile : public ::testing::TestWithParam<LeftLockCase> {};

// Whatever a power cut left in the file, no running copy holds it.
TEST_P(LeftLockFile, IsTakenOverAndThenKeepsTheNextCopyOut)
{
    test::TempData d(false);
    const QString dataFolder = d.folder() + QStringLiteral("data/");
    ASSERT_TRUE(QDir().mkpath(dataFolder));
    QFile left(dataFolder + QString::fromUtf16(kLockFileName));
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.write(GetParam().contents);
    left.close();
    const ProgramStart start = startProgram(d.folder());
    ASSERT_EQ(start.outcome, StartOutcome::Ready);
    EXPECT_EQ(checkFile(dataFolder + QStringLiteral("Rov2Work.mdb"), FileKind::Work), FileState::Ok);
    EXPECT_EQ(startProgram(d.folder()).outcome, StartOutcome::AlreadyRunning);
}

INSTANTIATE_TEST_SUITE_P(
    Start, LeftLockFile,
    ::testing::Values(LeftLockCase{"empty", {}},
                      LeftLockCase{"random bytes", QByteArray("\x8f\x00\xff\x13garbage\x01", 12)},
                      // After a restart the recorded process number may belong to a running program.
                      LeftLockCase{"a live process number", lockOfLivePid()}),
    ::rov2::test::PrintedName());

struct UnusableLockCase {
    const char* what;
    const char* path; ///< relative to the program folder
    bool asFolder;    ///< made as a folder, else as a file
    const char* advice;
};

void PrintTo(const UnusableLockCase& c, std::ostream* os) { *os << c.what; }

class UnusableLock : public ::testing::TestWithParam<UnusableLockCase> {};

TEST_P(UnusableLock, StopsTheStartAndSaysWhichFileAndWhatToDo)
{
    const UnusableLockCase& c = GetParam();
    test::TempData d(false);
    const QString path = d.folder() + QString::fromUtf8(c.path);
    if (c.asFolder) {
        ASSERT_TRUE(QDir().mkpath(path));
    } else {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const ProgramStart start = startProgram(d.folder());
    EXPECT_EQ(start.outcome, StartOutcome::LockUnusable);
    EXPECT_EQ(snapshot(d.folder() + QStringLiteral("data/")), QStringList()) << "no file was made";
    const QString notice = lockUnusableNotice(start.lockFile);
    EXPECT_TRUE(notice.contains(QDir::toNativeSeparators(d.folder() + QStringLiteral("data/Rov2.lock"))))
        << notice.toStdString();
    EXPECT_TRUE(notice.contains(QString::fromUtf8(c.advice))) << notice.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Start, UnusableLock,
                         ::testing::Values(UnusableLockCase{"a folder of that name", "data/Rov2.lock", true,
                                                            "フォルダを別の場所へ移す"},
                                           UnusableLockCase{"a data folder that is a file", "data", false,
                                                            "書き込めるか確認"}),
                         ::rov2::test::PrintedName());

TEST(StartProgram, AnotherProcessHoldingTheLockKeepsUsOutUntilItIsKilled)
{
    test::TempData d(false);
    const QString dataFolder = d.folder() + QStringLiteral("data/");
    ASSERT_TRUE(QDir().mkpath(dataFolder));
    QProcess holder;
    holder.start(QStringLiteral("sh"),
                 {QStringLiteral("-c"),
                  QStringLiteral("exec 9>>\"$1\" && flock -n 9 && echo held && exec sleep 60"),
                  QStringLiteral("sh"), dataFolder + QString::fromUtf16(kLockFileName)});
    ASSERT_TRUE(holder.waitForStarted());
    while (!holder.canReadLine() && holder.waitForReadyRead(10000)) {
    }
    ASSERT_TRUE(holder.canReadLine()) << "the holder never took the lock";
    ASSERT_EQ(holder.readLine().trimmed(), QByteArray("held"));
    EXPECT_EQ(startProgram(d.folder()).outcome, StartOutcome::AlreadyRunning);
    holder.kill(); // as kill -9: the holder gets no chance to tidy up
    ASSERT_TRUE(holder.waitForFinished());
    EXPECT_EQ(startProgram(d.folder()).outcome, StartOutcome::Ready);
}

} // namespace
