// Copying the data file in use to a chosen file and reading one back.
#include "BackupFixture.h"

#include "BackupFolderCopy.h"
#include "Database.h"
#include "JapaneseDate.h"
#include "SuppliedFiles.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace rov2::test {
namespace {

class FolderCopy : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Clock::setToday(QDate(2026, 12, 8));
        addCustomer(data.dataFile(), QStringLiteral("山田太郎"));
        ASSERT_TRUE(QDir().mkpath(target()));
    }
    void TearDown() override { Clock::setToday(QDate()); }

    // A folder with blanks in its path, as "My Documents" has.
    QString target() const { return elsewhere.filePath(QStringLiteral("バックアップ 用 folder")); }
    BackupJob job() { return jobFor(data, dialogs, writer); }

    TempData data;
    QTemporaryDir elsewhere;
    DiskDialogs dialogs;
    std::shared_ptr<MediaWriter> writer;
};

TEST_F(FolderCopy, SaveCopiesTheDataFileInUseAndSaysWhere)
{
    const QString to = target() + QStringLiteral("/Rov2data.mdb");
    dialogs.chooseFile(to);
    ASSERT_EQ(SaveDataFileToHdd(job()), BackupOutcome::Done);
    ASSERT_EQ(dialogs.fileRequests().size(), 1);
    const auto& request = dialogs.fileRequests().first();
    EXPECT_TRUE(request.save);
    EXPECT_EQ(request.title, QStringLiteral("ファイルの保存..."));
    EXPECT_TRUE(request.folderOrProposedPath.endsWith(QStringLiteral("/Rov2data.mdb")));
    EXPECT_EQ(request.selectedFilter, 0);
    EXPECT_EQ(customers(to), QStringList{QStringLiteral("山田太郎")});
    EXPECT_EQ(checkFile(to, FileKind::Data), FileState::Ok);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().first().title, QStringLiteral("コピー完了"));
    EXPECT_EQ(dialogs.messages().first().text, QDir::toNativeSeparators(to) + QStringLiteral(" にコピーしました。"));
    EXPECT_EQ(listing(target()), QStringList{QStringLiteral("Rov2data.mdb")});
}

TEST_F(FolderCopy, SaveLeavesOutWhatAnotherConnectionHasNotCommitted)
{
    auto other = Database::open(data.dataFile());
    ASSERT_TRUE(other);
    ASSERT_TRUE(other->beginTransaction());
    ASSERT_TRUE(other->execute(QStringLiteral("INSERT INTO 顧客マスタ (名称) VALUES (?)"), {QStringLiteral("書きかけ")}));
    const QString to = target() + QStringLiteral("/Rov2data.mdb");
    dialogs.chooseFile(to);
    ASSERT_EQ(SaveDataFileToHdd(job()), BackupOutcome::Done);
    EXPECT_EQ(customers(to), QStringList{QStringLiteral("山田太郎")});
    ASSERT_TRUE(other->rollback());
}

TEST_F(FolderCopy, ExistingTargetIsReplacedOnlyWhenTheUserAgrees)
{
    const QString to = target() + QStringLiteral("/Rov2data.mdb");
    writeAll(to, "the owner's older copy");
    dialogs.chooseFile(to).answer(MsgAnswer::No);
    EXPECT_EQ(SaveDataFileToHdd(job()), BackupOutcome::Cancelled);
    EXPECT_EQ(readAll(to), QByteArray("the owner's older copy"));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().first().buttons, MsgButtons::YesNo);
    EXPECT_TRUE(dialogs.messages().first().text.contains(QStringLiteral("置き換えますか")));

    dialogs.chooseFile(to).answer(MsgAnswer::Yes);
    EXPECT_EQ(SaveDataFileToHdd(job()), BackupOutcome::Done);
    EXPECT_EQ(customers(to), QStringList{QStringLiteral("山田太郎")});
}

TEST_F(FolderCopy, FailedSaveKeepsTheOldTargetAndClaimsNothing)
{
    const QString to = target() + QStringLiteral("/Rov2data.mdb");
    writeAll(to, "the owner's older copy");
    for (const Fault fault : {Fault::Refused, Fault::Dropped, Fault::Garbled}) {
        writer = std::make_shared<FailingWriter>(4096, QString(), fault);
        dialogs.chooseFile(to).answer(MsgAnswer::Yes);
        EXPECT_EQ(SaveDataFileToHdd(job()), BackupOutcome::Failed) << static_cast<int>(fault);
        EXPECT_EQ(readAll(to), QByteArray("the owner's older copy"));
        EXPECT_TRUE(dialogs.texts().last().startsWith(QStringLiteral("コピーできませんでした。")));
        EXPECT_FALSE(dialogs.saw(QStringLiteral("コピーしました。")));
        EXPECT_EQ(listing(target()), QStringList{QStringLiteral("Rov2data.mdb")}) << "no temporary file left";
    }
}

TEST_F(FolderCopy, CancelledDialogsDoNothing)
{
    const QByteArray before = readAll(data.dataFile());
    dialogs.cancelFile().cancelFile();
    EXPECT_EQ(SaveDataFileToHdd(job()), BackupOutcome::Cancelled);
    EXPECT_EQ(ReadDataFileFromHdd(job()), BackupOutcome::Cancelled);
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_TRUE(listing(target()).isEmpty());
    EXPECT_EQ(readAll(data.dataFile()), before);
}

TEST_F(FolderCopy, TheProgramsOtherFilesAreNeverCopiedOver)
{
    BackupJob own = job();
    own.own = data.ownFiles();
    for (const QString& target : {own.own.workFile, own.own.lockFile}) {
        const bool existed = QFileInfo::exists(target);
        const QByteArray before = existed ? readAll(target) : QByteArray();
        dialogs.chooseFile(target);
        EXPECT_EQ(SaveDataFileToHdd(own), BackupOutcome::Failed) << target.toStdString();
        EXPECT_EQ(QFileInfo::exists(target), existed) << target.toStdString();
        if (existed) {
            EXPECT_EQ(readAll(target), before) << target.toStdString();
        }
    }
}

TEST_F(FolderCopy, ReadReplacesTheDataFileAndKeepsTheOldOne)
{
    const QString from = target() + QStringLiteral("/Rov2data.mdb");
    ASSERT_TRUE(QFile::copy(data.dataFile(), from));
    addCustomer(from, QStringLiteral("読み込む人"));
    const QByteArray before = readAll(data.dataFile());
    dialogs.chooseFile(from).answer(MsgAnswer::Yes);
    ASSERT_EQ(ReadDataFileFromHdd(job()), BackupOutcome::Done) << dialogs.texts().join(u'\n').toStdString();
    EXPECT_EQ(customers(data.dataFile()), (QStringList{QStringLiteral("山田太郎"), QStringLiteral("読み込む人")}));
    EXPECT_EQ(readAll(data.path(QStringLiteral("Rov2Data_20261208.mdb"))), before);
    EXPECT_EQ(dialogs.fileRequests().first().title, QStringLiteral("ファイルの読込..."));
    EXPECT_EQ(dialogs.messages().last().title, QStringLiteral("読込完了"));
    const QString done = dialogs.messages().last().text;
    EXPECT_TRUE(done.endsWith(u'\n' + QDir::toNativeSeparators(data.dataFile()) +
                              QStringLiteral(" に読込みしました。")))
        << done.toStdString();
    EXPECT_TRUE(done.contains(data.path(QStringLiteral("Rov2Data_20261208.mdb")))) << "names the kept copy";

    // A second read the same day keeps another copy beside the first.
    dialogs.chooseFile(from).answer(MsgAnswer::Yes);
    ASSERT_EQ(ReadDataFileFromHdd(job()), BackupOutcome::Done);
    EXPECT_TRUE(QFileInfo::exists(data.path(QStringLiteral("Rov2Data_20261208_2.mdb"))));
}

TEST_F(FolderCopy, ReadAnsweredNoChangesNothing)
{
    const QString from = target() + QStringLiteral("/Rov2data.mdb");
    ASSERT_TRUE(QFile::copy(data.dataFile(), from));
    const QByteArray before = readAll(data.dataFile());
    dialogs.chooseFile(from).answer(MsgAnswer::No);
    EXPECT_EQ(ReadDataFileFromHdd(job()), BackupOutcome::Cancelled);
    EXPECT_EQ(readAll(data.dataFile()), before);
    EXPECT_EQ(dialogs.messages().size(), 1);
}

struct NotOursRow
{
    const char* name;
    std::function<void(const QString&)> make;
};

class NotADataFile : public FolderCopy, public ::testing::WithParamInterface<NotOursRow>
{};

TEST_P(NotADataFile, IsRefusedAndTheDataFileStays)
{
    const QString from = target() + QStringLiteral("/chosen file.mdb");
    GetParam().make(from);
    const QByteArray before = readAll(data.dataFile());
    const QStringList folderBefore = listing(data.folder());
    dialogs.chooseFile(from).answer(MsgAnswer::Yes);
    EXPECT_EQ(ReadDataFileFromHdd(job()), BackupOutcome::Failed);
    EXPECT_TRUE(dialogs.texts().last().startsWith(QStringLiteral("読込めませんでした。現在のデータはそのままです。")))
        << dialogs.texts().join(u'\n').toStdString();
    EXPECT_EQ(readAll(data.dataFile()), before);
    EXPECT_EQ(listing(data.folder()), folderBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Files, NotADataFile,
    ::testing::Values(NotOursRow{"Text", [](const QString& p) { writeAll(p, "メモ帳で書いたもの"); }},
                      NotOursRow{"Empty", [](const QString& p) { writeAll(p, ""); }},
                      NotOursRow{"WorkFile", [](const QString& p) { ASSERT_TRUE(createSuppliedWorkFile(p)); }},
                      NotOursRow{"OtherDatabase",
                                 [](const QString& p) {
                                     auto db = Database::createNew(p);
                                     ASSERT_TRUE(db);
                                     ASSERT_TRUE(db->execute(QStringLiteral("CREATE TABLE t (x)")));
                                 }},
                      NotOursRow{"Damaged",
                                 [](const QString& p) {
                                     ASSERT_TRUE(createSuppliedDataFile(p));
                                     QByteArray bytes = readAll(p);
                                     // Scribble over the second page, the root of the
                                     // first table (pages of 4096 bytes).
                                     ASSERT_GT(bytes.size(), 8192);
                                     bytes.replace(4096, 4096, QByteArray(4096, static_cast<char>(0xA5)));
                                     writeAll(p, bytes);
                                 }}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(FolderCopy, TheDataFileInUseCannotBeItsOwnSourceOrTarget)
{
    const QByteArray before = readAll(data.dataFile());
    dialogs.chooseFile(data.dataFile()).chooseFile(data.dataFile());
    EXPECT_EQ(SaveDataFileToHdd(job()), BackupOutcome::Failed);
    EXPECT_EQ(ReadDataFileFromHdd(job()), BackupOutcome::Failed);
    EXPECT_EQ(readAll(data.dataFile()), before);
}

} // namespace
} // namespace rov2::test
