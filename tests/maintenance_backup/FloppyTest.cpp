// Backup onto disks and restore from them, with disks as folders behind a
// drive link and the user's answers scripted.
#include "BackupFixture.h"

#include "BackupFloppy.h"
#include "BackupMedia.h"
#include "Crc16.h"
#include "JapaneseDate.h"
#include "RestoreFloppy.h"
#include "TestNames.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

namespace rov2::test {
namespace {

QString diskPrompt(int k, int n)
{
    return QStringLiteral("%1/ %2枚目").arg(k).arg(n);
}

QString label(int k)
{
    return QString::number(k);
}

// A data file whose archive needs three disks (3,000,000 random bytes).
constexpr int kThreeDisks = 3'000'000;

class Floppy : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Clock::setToday(QDate(2026, 12, 8));
        addCustomer(data.dataFile(), QStringLiteral("山田太郎"));
    }
    void TearDown() override { Clock::setToday(QDate()); }

    BackupJob job(Dialogs& d)
    {
        BackupJob j = jobFor(data, d, writer);
        j.progress = [this](const QString& text) { progress << text; };
        return j;
    }

    // The user puts disk k in when asked for disk k of n.
    void feedDisks(DiskDialogs& d, int n)
    {
        for (int k = 1; k <= n; ++k)
            d.on(diskPrompt(k, n), [this, k] { drive.insert(label(k)); });
    }

    // Backs up onto n disks labelled 1..n, every answer OK.
    void backUp(int n)
    {
        DiskDialogs d;
        feedDisks(d, n);
        ASSERT_EQ(FDDBuckUp(job(d), drive.path()), BackupOutcome::Done) << d.texts().join(u'\n').toStdString();
        ASSERT_TRUE(d.saw(QStringLiteral("%1 枚のフロッピーディスクを準備してださい。").arg(n)))
            << d.texts().join(u'\n').toStdString();
    }

    // The archive as the disks hold it, parts joined.
    QByteArray joined(int n)
    {
        if (n == 1)
            return readAll(drive.disk(label(1)) + QStringLiteral("/rov2data.lzh"));
        QByteArray all;
        for (int k = 1; k <= n; ++k)
            all += readAll(drive.disk(label(k)) + u'/' + backup::partName(k));
        return all;
    }

    TempData data;
    DiskDrive drive;
    std::shared_ptr<MediaWriter> writer = std::make_shared<FloppyWriter>();
    QStringList progress; // every text the progress line showed
};

bool lhasaFinds(const QByteArray& archive, const QString& member)
{
    QTemporaryDir dir;
    writeAll(dir.filePath(QStringLiteral("x.lzh")), archive);
    QProcess lhasa;
    lhasa.start(QStringLiteral("lhasa"), {QStringLiteral("tq"), dir.filePath(QStringLiteral("x.lzh"))});
    if (!lhasa.waitForFinished(60000) || lhasa.exitCode() != 0)
        return false;
    lhasa.start(QStringLiteral("lhasa"), {QStringLiteral("l"), dir.filePath(QStringLiteral("x.lzh"))});
    return lhasa.waitForFinished(60000) && QString::fromUtf8(lhasa.readAllStandardOutput()).contains(member);
}

TEST_F(Floppy, SmallArchiveGoesOnOneDiskBesideTheOwnersFiles)
{
    const QString disk = drive.disk(label(1));
    writeAll(disk + QStringLiteral("/memo.txt"), "the owner's");
    writeAll(disk + QStringLiteral("/ROV2_D007"), "an older backup's part");
    ASSERT_TRUE(QDir(disk).mkdir(QStringLiteral("photos")));
    writeAll(disk + QStringLiteral("/photos/rov2_d001"), "kept: not in the root");
    backUp(1);

    EXPECT_EQ(drive.files(label(1)), (QStringList{QStringLiteral("Rov2ctl"), QStringLiteral("memo.txt"),
                                                  QStringLiteral("rov2data.lzh")}));
    EXPECT_EQ(readAll(disk + QStringLiteral("/Rov2ctl")), QByteArray("Rov2FddNum = 1"));
    EXPECT_EQ(readAll(disk + QStringLiteral("/memo.txt")), QByteArray("the owner's"));
    EXPECT_EQ(readAll(disk + QStringLiteral("/photos/rov2_d001")), QByteArray("kept: not in the root"));
    EXPECT_TRUE(lhasaFinds(joined(1), QStringLiteral("Rov2data.mdb"))) << "lhasa reads the archive";
    // Nothing of the run is left in the data folder.
    EXPECT_EQ(listing(data.folder()), (QStringList{QStringLiteral("Rov2Data.mdb"), QStringLiteral("Rov2Work.mdb")}));
}

TEST_F(Floppy, MessagesOfAOneDiskBackup)
{
    drive.insert(label(1));
    DiskDialogs d;
    ASSERT_EQ(FDDBuckUp(job(d), drive.path()), BackupOutcome::Done);
    const QVector<MessageRequest>& m = d.messages();
    ASSERT_EQ(m.size(), 4) << d.texts().join(u'\n').toStdString();
    EXPECT_TRUE(m[0].text.startsWith(QStringLiteral("[書庫ファイル ＯＫ]\r\n")));
    EXPECT_TRUE(m[0].text.contains(QStringLiteral("Rov2data.mdb")));
    EXPECT_EQ(m[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(m[1].text, QStringLiteral("1 枚のフロッピーディスクを準備してださい。"));
    EXPECT_EQ(m[1].title, QStringLiteral("フロッピーディスクへの保存"));
    EXPECT_EQ(m[1].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(m[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(m[2].text, QStringLiteral("1/ 1枚目のフロッピーディスクをセットしてください。"));
    EXPECT_EQ(m[3].text, QStringLiteral("保存が終了しました。"));
    EXPECT_EQ(m[3].icon, MsgIcon::Information);
}

TEST_F(Floppy, LargeArchiveIsSplitAndRestored)
{
    padDataFile(data.dataFile(), kThreeDisks);
    backUp(3);

    const qint64 size = joined(3).size();
    ASSERT_EQ(backup::diskCount(size), 3);
    for (int k = 1; k <= 3; ++k) {
        QStringList expected{backup::partName(k)};
        if (k == 1)
            expected.prepend(QStringLiteral("Rov2ctl"));
        EXPECT_EQ(drive.files(label(k)), expected);
        EXPECT_EQ(QFileInfo(drive.disk(label(k)) + u'/' + backup::partName(k)).size(),
                  backup::partRange(size, k, 3).length);
    }
    EXPECT_EQ(readAll(drive.disk(label(1)) + QStringLiteral("/Rov2ctl")), QByteArray("Rov2FddNum = 3"));
    EXPECT_TRUE(lhasaFinds(joined(3), QStringLiteral("Rov2data.mdb"))) << "lhasa reads the joined parts";

    for (int k = 1; k <= 3; ++k)
        EXPECT_TRUE(progress.contains(QStringLiteral("%1/ 3 枚目のフロッピーディスクに保存中です･･･").arg(k)));
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_TRUE(progress.last().isEmpty()) << "the progress line is hidden at the end";

    addCustomer(data.dataFile(), QStringLiteral("後から足した人"));
    progress.clear();
    const QByteArray changed = readAll(data.dataFile());
    DiskDialogs d;
    d.on(QStringLiteral("の「1」をセット"), [this] { drive.insert(label(1)); });
    feedDisks(d, 3);
    ASSERT_EQ(RestoreVT(job(d), drive.path()), BackupOutcome::Done) << d.texts().join(u'\n').toStdString();
    EXPECT_TRUE(d.texts().last().startsWith(QStringLiteral("読込が終了しました。\n")));
    EXPECT_TRUE(d.texts().last().contains(data.path(QStringLiteral("Rov2Data_20261208.mdb")))) << "names the kept copy";
    EXPECT_TRUE(progress.contains(QStringLiteral("2/ 3 枚目のフロッピーディスクを読込中です･･･")));
    EXPECT_EQ(customers(data.dataFile()), QStringList{QStringLiteral("山田太郎")});
    EXPECT_EQ(readAll(data.path(QStringLiteral("Rov2Data_20261208.mdb"))), changed) << "the kept copy";
    EXPECT_EQ(listing(data.folder()), (QStringList{QStringLiteral("Rov2Data.mdb"), QStringLiteral("Rov2Data_20261208.mdb"),
                                                   QStringLiteral("Rov2Work.mdb")}));
}

TEST_F(Floppy, StickWithRoomTakesTheWholeArchiveAtOnce)
{
    padDataFile(data.dataFile(), kThreeDisks);
    writer = std::make_shared<MediaWriter>();
    drive.insert(label(1));
    backUp(1);
    EXPECT_EQ(drive.files(label(1)), (QStringList{QStringLiteral("Rov2ctl"), QStringLiteral("rov2data.lzh")}));
    EXPECT_EQ(readAll(drive.disk(label(1)) + QStringLiteral("/Rov2ctl")), QByteArray("Rov2FddNum = 1"));
    EXPECT_GT(joined(1).size(), backup::kSplitUnit);
}

TEST_F(Floppy, StickPutInAtTheFirstPromptTakesTheWholeArchive)
{
    padDataFile(data.dataFile(), kThreeDisks);
    writer = std::make_shared<MediaWriter>();
    DiskDialogs d;
    feedDisks(d, 3);
    ASSERT_EQ(FDDBuckUp(job(d), drive.path()), BackupOutcome::Done) << d.texts().join(u'\n').toStdString();
    EXPECT_TRUE(d.saw(QStringLiteral("3 枚のフロッピーディスクを準備してださい。")));
    EXPECT_FALSE(d.saw(diskPrompt(2, 3)));
    EXPECT_EQ(drive.files(label(1)), (QStringList{QStringLiteral("Rov2ctl"), QStringLiteral("rov2data.lzh")}));
    EXPECT_EQ(readAll(drive.disk(label(1)) + QStringLiteral("/Rov2ctl")), QByteArray("Rov2FddNum = 1"));
    EXPECT_GT(joined(1).size(), backup::kSplitUnit);
}

TEST_F(Floppy, CancelAtDiskTwoOfThreeKeepsDiskOneAndClaimsNothing)
{
    padDataFile(data.dataFile(), kThreeDisks);
    DiskDialogs d;
    feedDisks(d, 3);
    d.answer(MsgAnswer::Ok).answer(MsgAnswer::Ok).answer(MsgAnswer::Ok).answer(MsgAnswer::Cancel);
    EXPECT_EQ(FDDBuckUp(job(d), drive.path()), BackupOutcome::Cancelled);
    EXPECT_EQ(drive.files(label(1)), (QStringList{QStringLiteral("Rov2ctl"), QStringLiteral("rov2_d001")}));
    EXPECT_TRUE(drive.files(label(2)).isEmpty());
    EXPECT_FALSE(d.saw(QStringLiteral("保存が終了しました。")));
    EXPECT_TRUE(d.saw(QStringLiteral("保存を中止しました。")));
}

TEST_F(Floppy, MissingAndWriteProtectedDisksAreAskedForAgain)
{
    auto locked = std::make_shared<ProtectedWriter>();
    locked->protectedFolders.insert(QFileInfo(drive.disk(QStringLiteral("locked"))).canonicalFilePath());
    writer = locked;
    DiskDialogs d;
    int asked = 0;
    // First no disk, then a locked one, then a good one.
    d.on(diskPrompt(1, 1), [&] {
        ++asked;
        if (asked == 1)
            drive.eject();
        else if (asked == 2)
            drive.insert(QStringLiteral("locked"));
        else
            drive.insert(label(1));
    });
    ASSERT_EQ(FDDBuckUp(job(d), drive.path()), BackupOutcome::Done) << d.texts().join(u'\n').toStdString();
    EXPECT_EQ(asked, 3);
    EXPECT_TRUE(d.saw(QStringLiteral("フロッピーディスクがセットされていません。確認してください。")));
    EXPECT_TRUE(d.saw(QStringLiteral("フロッピーディスクが書き込み可能ではありません。確認してください。")));
    EXPECT_TRUE(drive.files(QStringLiteral("locked")).isEmpty());
    EXPECT_EQ(drive.files(label(1)), (QStringList{QStringLiteral("Rov2ctl"), QStringLiteral("rov2data.lzh")}));
}

constexpr char kNotWritten[] = "書き込めませんでした。空き容量が足りないか、書き込みが禁止されています。";
constexpr char kReadBackDiffers[] = "書き込んだ内容を読み返すと元と違っていました。";

struct FaultRow
{
    const char* name;
    Fault fault;
    const char* says; // why the disk is refused
};

void PrintTo(const FaultRow& row, std::ostream* os)
{
    *os << row.name;
}

class FailingDisk : public Floppy, public ::testing::WithParamInterface<FaultRow>
{};

TEST_P(FailingDisk, IsReportedAndAnotherDiskTakesItsPlace)
{
    // Disk "bad" fails after 1,000 bytes of any file.
    writer = std::make_shared<FailingWriter>(
        1000, QFileInfo(drive.disk(QStringLiteral("bad"))).canonicalFilePath(), GetParam().fault);
    DiskDialogs d;
    int asked = 0;
    d.on(diskPrompt(1, 1), [&] { drive.insert(++asked == 1 ? QStringLiteral("bad") : label(1)); });
    // The probe of WriteTest goes through the same device: make it pass by
    // failing only past its size.
    ASSERT_EQ(FDDBuckUp(job(d), drive.path()), BackupOutcome::Done) << d.texts().join(u'\n').toStdString();
    EXPECT_TRUE(d.saw(QStringLiteral("1/ 1 枚目のフロッピーディスクに書き込めませんでした。\n%1\n"
                                     "確認してもう一度セットしてください。")
                          .arg(QString::fromUtf8(GetParam().says))))
        << d.texts().join(u'\n').toStdString();
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(drive.files(QStringLiteral("bad")).isEmpty()) << "nothing half-written is left";
    EXPECT_EQ(drive.files(label(1)), (QStringList{QStringLiteral("Rov2ctl"), QStringLiteral("rov2data.lzh")}));
}

TEST_P(FailingDisk, CancelledAfterTheFailureClaimsNothing)
{
    writer = std::make_shared<FailingWriter>(1000, QString(), GetParam().fault);
    drive.insert(label(1));
    DiskDialogs d;
    d.answer(MsgAnswer::Ok).answer(MsgAnswer::Ok).answer(MsgAnswer::Ok).answer(MsgAnswer::Cancel);
    EXPECT_EQ(FDDBuckUp(job(d), drive.path()), BackupOutcome::Cancelled) << d.texts().join(u'\n').toStdString();
    EXPECT_FALSE(d.saw(QStringLiteral("保存が終了しました。")));
    EXPECT_FALSE(drive.files(label(1)).contains(QStringLiteral("rov2data.lzh")));
}

INSTANTIATE_TEST_SUITE_P(Devices, FailingDisk,
                         ::testing::Values(FaultRow{"full", Fault::Refused, kNotWritten},
                                           FaultRow{"lying", Fault::Dropped, kReadBackDiffers},
                                           FaultRow{"garbling", Fault::Garbled, kReadBackDiffers}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(Floppy, BackupOfTheDataFileInUseElsewhereRestoresThere)
{
    // 管理 names a data file in another folder, spelt in another case.
    QTemporaryDir elsewhere;
    const QString inUse = elsewhere.filePath(QStringLiteral("ROV2DATA.MDB"));
    ASSERT_TRUE(QFile::copy(data.dataFile(), inUse));
    addCustomer(inUse, QStringLiteral("別の場所の顧客"));
    const QByteArray defaultFile = readAll(data.dataFile());
    {
        DiskDialogs d;
        feedDisks(d, 1);
        BackupJob j = job(d);
        j.dataFile = inUse;
        ASSERT_EQ(FDDBuckUp(j, drive.path()), BackupOutcome::Done);
    }
    addCustomer(inUse, QStringLiteral("後で足した顧客"));
    DiskDialogs d;
    feedDisks(d, 1);
    BackupJob j = job(d);
    j.dataFile = inUse;
    ASSERT_EQ(RestoreVT(j, drive.path()), BackupOutcome::Done) << d.texts().join(u'\n').toStdString();
    EXPECT_EQ(customers(inUse), (QStringList{QStringLiteral("別の場所の顧客"), QStringLiteral("山田太郎")}));
    EXPECT_TRUE(QFileInfo::exists(elsewhere.filePath(QStringLiteral("ROV2DATA_20261208.MDB"))));
    EXPECT_EQ(readAll(data.dataFile()), defaultFile) << "the data folder's own file is not the one in use";
}

TEST_F(Floppy, BackupAndRestoreThroughAFolderWithQuotesBlanksAndJapanese)
{
    const QString folder = data.path(QStringLiteral("顧客 \"本店\" ^データ\\ 2"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString inUse = folder + QStringLiteral("/Rov2Data.mdb");
    ASSERT_TRUE(QFile::copy(data.dataFile(), inUse));
    const auto jobThere = [&](DiskDialogs& d) {
        BackupJob j = job(d);
        j.dataFile = inUse;
        j.workFolder = folder;
        return j;
    };
    DiskDialogs backupDialogs;
    feedDisks(backupDialogs, 1);
    ASSERT_EQ(FDDBuckUp(jobThere(backupDialogs), drive.path()), BackupOutcome::Done)
        << backupDialogs.texts().join(u'\n').toStdString();
    addCustomer(inUse, QStringLiteral("後で足した顧客"));
    DiskDialogs d;
    d.on(QStringLiteral("の「1」をセット"), [this] { drive.insert(label(1)); });
    feedDisks(d, 1);
    ASSERT_EQ(RestoreVT(jobThere(d), drive.path()), BackupOutcome::Done) << d.texts().join(u'\n').toStdString();
    EXPECT_EQ(customers(inUse), QStringList{QStringLiteral("山田太郎")});
}

TEST_F(Floppy, EarlierBackupAndLeftoversGiveWayToTheCheckedNewOne)
{
    backUp(1);
    const QString disk = drive.disk(label(1));
    const QByteArray earlier = readAll(disk + QStringLiteral("/rov2data.lzh"));
    writeAll(disk + u'/' + backup::pendingName(QStringLiteral("rov2data.lzh")), "left by a run that was cut short");
    addCustomer(data.dataFile(), QStringLiteral("後で足した顧客"));
    backUp(1);
    EXPECT_EQ(drive.files(label(1)), (QStringList{QStringLiteral("Rov2ctl"), QStringLiteral("rov2data.lzh")}));
    EXPECT_NE(readAll(disk + QStringLiteral("/rov2data.lzh")), earlier);
}

struct EarlierRow
{
    const char* name;
    int ownersBytes;  // the owner's own file on the disk
    qint64 failAfter; // bytes a new file takes before the disk fails; -1: never
    Fault fault;
    const char* says; // what the failure prompt tells
};

void PrintTo(const EarlierRow& row, std::ostream* os)
{
    *os << row.name;
}

class EarlierBackup : public Floppy, public ::testing::WithParamInterface<EarlierRow>
{};

TEST_P(EarlierBackup, StaysWhenTheNewOneCannotBeWrittenAndTheUserIsTold)
{
    const EarlierRow& row = GetParam();
    backUp(1);
    const QString disk = drive.disk(label(1));
    if (row.ownersBytes > 0)
        writeAll(disk + QStringLiteral("/photo.jpg"), QByteArray(row.ownersBytes, 'p'));
    const QStringList files = drive.files(label(1));
    const QByteArray earlier = readAll(disk + QStringLiteral("/rov2data.lzh"));
    padDataFile(data.dataFile(), 1'000'000);
    if (row.failAfter >= 0)
        writer =
            std::make_shared<FailingWriter>(row.failAfter, QFileInfo(disk).canonicalFilePath(), row.fault);
    DiskDialogs d;
    feedDisks(d, 1);
    d.answer(MsgAnswer::Ok).answer(MsgAnswer::Ok).answer(MsgAnswer::Ok).answer(MsgAnswer::Cancel);
    EXPECT_EQ(FDDBuckUp(job(d), drive.path()), BackupOutcome::Cancelled) << d.texts().join(u'\n').toStdString();
    EXPECT_EQ(drive.files(label(1)), files);
    EXPECT_EQ(readAll(disk + QStringLiteral("/rov2data.lzh")), earlier);
    EXPECT_EQ(readAll(disk + QStringLiteral("/Rov2ctl")), QByteArray("Rov2FddNum = 1"));
    EXPECT_TRUE(d.saw(QString::fromUtf8(row.says))) << d.texts().join(u'\n').toStdString();
    EXPECT_EQ(d.texts().last(), QStringLiteral("保存を中止しました。フロッピーディスクには何も書き込んでいません。"
                                               "前回のバックアップはそのまま残っています。"));
}

INSTANTIATE_TEST_SUITE_P(
    Disks, EarlierBackup,
    ::testing::Values(EarlierRow{"NoRoom", 1'200'000, -1, Fault::Refused, "空き容量が足りません。あと "},
                      EarlierRow{"Full", 0, 1000, Fault::Refused, "空き容量が足りないか"},
                      EarlierRow{"Lying", 0, 1000, Fault::Dropped, "読み返すと元と違っていました"}),
    PrintedName());

// ---- restore ---------------------------------------------------------------

class Restore : public Floppy
{
protected:
    void SetUp() override
    {
        Floppy::SetUp();
        padDataFile(data.dataFile(), kThreeDisks);
        backUp(3);
        addCustomer(data.dataFile(), QStringLiteral("消えてはならない人"));
        before = readAll(data.dataFile());
        folderBefore = listing(data.folder());
    }
    // The data file and its folder are exactly as they were.
    void expectUntouched()
    {
        EXPECT_EQ(readAll(data.dataFile()), before);
        EXPECT_EQ(listing(data.folder()), folderBefore);
    }
    QByteArray before;
    QStringList folderBefore;
};

TEST_F(Restore, DiskWithoutControlFileAndWrongDiskAreAskedAgain)
{
    DiskDialogs d;
    int firstAsked = 0;
    d.on(QStringLiteral("の「1」をセット"), [&] { drive.insert(label(2)); });
    d.on(QStringLiteral("フロッピーディスクが違います。"), [&] { ++firstAsked; drive.insert(label(1)); });
    d.on(diskPrompt(1, 3), [&] { drive.insert(label(1)); });
    int secondAsked = 0;
    d.on(diskPrompt(2, 3), [&] { drive.insert(label(++secondAsked == 1 ? 3 : 2)); });
    d.on(diskPrompt(3, 3), [&] { drive.insert(label(3)); });
    ASSERT_EQ(RestoreVT(job(d), drive.path()), BackupOutcome::Done) << d.texts().join(u'\n').toStdString();
    EXPECT_EQ(firstAsked, 1);
    EXPECT_EQ(secondAsked, 2);
    EXPECT_TRUE(d.saw(QStringLiteral("これは 2 枚目のフロッピーディスクではありません。確認してください。")));
    EXPECT_TRUE(d.saw(QStringLiteral("フロッピーディスクは 3 枚です。よろしいですか。")));
    EXPECT_EQ(customers(data.dataFile()), QStringList{QStringLiteral("山田太郎")});
}

TEST_F(Restore, ControlFileNamedInAnotherCaseIsFound)
{
    const QString disk1 = drive.disk(label(1));
    ASSERT_TRUE(QFile::rename(disk1 + QStringLiteral("/Rov2ctl"), disk1 + QStringLiteral("/ROV2CTL")));
    ASSERT_TRUE(QFile::rename(disk1 + QStringLiteral("/rov2_d001"), disk1 + QStringLiteral("/ROV2_D001")));
    DiskDialogs d;
    d.on(QStringLiteral("の「1」をセット"), [this] { drive.insert(label(1)); });
    feedDisks(d, 3);
    EXPECT_EQ(RestoreVT(job(d), drive.path()), BackupOutcome::Done) << d.texts().join(u'\n').toStdString();
}

class CancelRestore : public Restore, public ::testing::WithParamInterface<int>
{};

// Prompts in order: disk 1 of the set, the count, disk 1/3, 2/3, 3/3.
TEST_P(CancelRestore, LeavesTheDataFileAsItWas)
{
    DiskDialogs d;
    d.on(QStringLiteral("の「1」をセット"), [this] { drive.insert(label(1)); });
    feedDisks(d, 3);
    for (int i = 0; i < GetParam(); ++i)
        d.answer(MsgAnswer::Ok);
    d.answer(MsgAnswer::Cancel);
    EXPECT_EQ(RestoreVT(job(d), drive.path()), BackupOutcome::Cancelled);
    EXPECT_EQ(d.texts().last(), QStringLiteral("読込を中止しました。現在のデータはそのままです。"));
    expectUntouched();
}

INSTANTIATE_TEST_SUITE_P(Prompts, CancelRestore, ::testing::Range(0, 5),
                         NamesInOrder({"AtDisk1OfTheSet", "AtTheCount", "AtDisk1Of3", "AtDisk2Of3",
                                       "AtDisk3Of3"}));

TEST_F(Restore, CancelWhenNoDiskIsSet)
{
    DiskDialogs d;
    d.on(QStringLiteral("の「1」をセット"), [this] { drive.eject(); });
    d.answer(MsgAnswer::Ok).answer(MsgAnswer::Cancel);
    EXPECT_EQ(RestoreVT(job(d), drive.path()), BackupOutcome::Cancelled);
    EXPECT_TRUE(d.saw(QStringLiteral("フロッピーディスクがセットされていません。")));
    expectUntouched();
}

// Damage done to the disks before the restore.
struct DamageRow
{
    const char* name;
    std::function<void(DiskDrive&)> damage;
};

class DamagedBackup : public Restore, public ::testing::WithParamInterface<DamageRow>
{};

TEST_P(DamagedBackup, IsRefusedAndTheDataFileStaysAsItWas)
{
    GetParam().damage(drive);
    DiskDialogs d;
    d.on(QStringLiteral("の「1」をセット"), [this] { drive.insert(label(1)); });
    feedDisks(d, 3);
    EXPECT_EQ(RestoreVT(job(d), drive.path()), BackupOutcome::Failed);
    EXPECT_TRUE(d.texts().last().startsWith(QStringLiteral("読込めませんでした。現在のデータはそのままです。")))
        << d.texts().join(u'\n').toStdString();
    EXPECT_FALSE(d.saw(QStringLiteral("読込が終了しました。")));
    EXPECT_TRUE(d.saw(QStringLiteral("バックアップが壊れているか"))) << d.texts().join(u'\n').toStdString();
    expectUntouched();
}

void flipByte(const QString& file, qint64 at)
{
    QByteArray bytes = readAll(file);
    bytes[at] = static_cast<char>(bytes[at] ^ 0x5A);
    writeAll(file, bytes);
}

void cutTo(const QString& file, qint64 size)
{
    QFile f(file);
    ASSERT_TRUE(f.resize(size));
}

QString part(DiskDrive& drive, int k)
{
    return drive.disk(label(k)) + u'/' + backup::partName(k);
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedBackup,
    ::testing::Values(DamageRow{"CorruptedPart", [](DiskDrive& d) { flipByte(part(d, 2), 700'000); }},
                      DamageRow{"TruncatedMiddlePart", [](DiskDrive& d) { cutTo(part(d, 2), 1'000'000); }},
                      DamageRow{"TruncatedLastPart", [](DiskDrive& d) { cutTo(part(d, 3), 100); }},
                      DamageRow{"EmptyFirstPart", [](DiskDrive& d) { cutTo(part(d, 1), 0); }},
                      DamageRow{"DamagedHeader", [](DiskDrive& d) { flipByte(part(d, 1), 3); }}),
    [](const auto& row) { return std::string(row.param.name); });

struct RoomRow
{
    const char* name;
    std::function<std::shared_ptr<MediaWriter>()> dataFolder; // the disk of the data folder
};

void PrintTo(const RoomRow& row, std::ostream* os)
{
    *os << row.name;
}

class RestoreWithoutRoom : public Restore, public ::testing::WithParamInterface<RoomRow>
{};

TEST_P(RestoreWithoutRoom, SaysHowMuchIsMissingAndNeverThatTheBackupIsBroken)
{
    DiskDialogs d;
    d.on(QStringLiteral("の「1」をセット"), [this] { drive.insert(label(1)); });
    feedDisks(d, 3);
    BackupJob j = job(d);
    j.localWriter = GetParam().dataFolder();
    EXPECT_EQ(RestoreVT(j, drive.path()), BackupOutcome::Failed) << d.texts().join(u'\n').toStdString();
    const QString last = d.texts().last();
    EXPECT_TRUE(last.startsWith(QStringLiteral("読込めませんでした。現在のデータはそのままです。\n") +
                                QDir::toNativeSeparators(data.folder()) + QStringLiteral(" に書き込めませんでした。")))
        << last.toStdString();
    EXPECT_TRUE(last.contains(QStringLiteral("空き容量が足りません。あと "))) << last.toStdString();
    EXPECT_FALSE(d.saw(QStringLiteral("壊れて")));
    EXPECT_FALSE(d.saw(QStringLiteral("読めませんでした")));
    expectUntouched();
}

// A floppy's room where the data folder is: the disks are joined, the
// unpacked data would not fit. A disk that fills while they are joined.
INSTANTIATE_TEST_SUITE_P(
    DataFolders, RestoreWithoutRoom,
    ::testing::Values(RoomRow{"TooLittleToUnpack", [] { return std::make_shared<FloppyWriter>(); }},
                      RoomRow{"FullWhileJoining", [] { return std::make_shared<FailingWriter>(2'000'000); }}),
    PrintedName());

// ---- archives that no backup of ours would hold -----------------------------

void put16(QByteArray& out, unsigned v)
{
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>((v >> 8) & 0xFF));
}

// One stored (-lh0-) member with a level-0 header naming @p name.
QByteArray storedArchive(const QByteArray& name, const QByteArray& body)
{
    QByteArray header("-lh0-");
    put16(header, static_cast<unsigned>(body.size()));
    put16(header, 0);
    put16(header, static_cast<unsigned>(body.size()));
    put16(header, 0);
    put16(header, 0);
    put16(header, 0x5A21); // a DOS date in 2025
    header.append('\x20').append('\0').append(static_cast<char>(name.size())).append(name);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(body.constData());
    put16(header, archive::Crc16::of({bytes, static_cast<std::size_t>(body.size())}));
    unsigned sum = 0;
    for (const char c : header)
        sum += static_cast<unsigned char>(c);
    QByteArray out;
    out.append(static_cast<char>(header.size())).append(static_cast<char>(sum & 0xFF)).append(header).append(body);
    return out.append('\0');
}

struct HostileRow
{
    const char* name;
    QByteArray member;
    QByteArray body;
};

class HostileBackup : public Floppy, public ::testing::WithParamInterface<HostileRow>
{};

TEST_P(HostileBackup, IsRefusedWithNothingWritten)
{
    const QString disk = drive.disk(label(1));
    writeAll(disk + QStringLiteral("/Rov2ctl"), "Rov2FddNum = 1");
    writeAll(disk + QStringLiteral("/rov2data.lzh"), storedArchive(GetParam().member, GetParam().body));
    const QByteArray before = readAll(data.dataFile());
    const QStringList folderBefore = listing(data.folder());
    DiskDialogs d;
    feedDisks(d, 1);
    d.on(QStringLiteral("の「1」をセット"), [this] { drive.insert(label(1)); });
    EXPECT_EQ(RestoreVT(job(d), drive.path()), BackupOutcome::Failed) << d.texts().join(u'\n').toStdString();
    EXPECT_EQ(readAll(data.dataFile()), before);
    EXPECT_EQ(listing(data.folder()), folderBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Archives, HostileBackup,
    ::testing::Values(HostileRow{"DotDot", "../Rov2data.mdb", "SQLite format 3"},
                      HostileRow{"AbsolutePath", "/tmp/Rov2data.mdb", "SQLite format 3"},
                      HostileRow{"OtherMember", "readme.txt", "not a data file"},
                      HostileRow{"NotADatabase", "Rov2data.mdb", "just some text, no database"},
                      HostileRow{"HeaderOnly", "Rov2data.mdb", QByteArray("SQLite format 3\0", 16)}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace rov2::test
