// The program's own files are never written over by a file the user names,
// whatever way the name reaches them; other existing files are replaced only
// after a Yes.
#include "OwnFiles.h"

#include "ProgramEnv.h"
#include "QtPrinters.h"
#include "ScriptedDialogs.h"
#include "TempData.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace rov2 {
namespace {

using test::ScriptedDialogs;
using test::TempData;

void touch(const QString& path, const QByteArray& bytes = "x")
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

class OwnFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        touch(d.postalFile());
        touch(d.path(QStringLiteral("Rov2.lock")));
    }
    OwnFile at(const QString& path) const { return ownFileAt(path, d.ownFiles()); }

    TempData d;
    QTemporaryDir elsewhere;
};

TEST_F(OwnFilesTest, EachOfTheProgramsFilesByItsPath)
{
    EXPECT_EQ(at(d.dataFile()), OwnFile::DataFile);
    EXPECT_EQ(at(d.workFile()), OwnFile::WorkFile);
    EXPECT_EQ(at(d.postalFile()), OwnFile::PostalFile);
    EXPECT_EQ(at(d.path(QStringLiteral("Rov2.lock"))), OwnFile::LockFile);
    EXPECT_EQ(at(d.path(QStringLiteral("顧客一覧.csv"))), OwnFile::None);
    EXPECT_EQ(at(elsewhere.filePath(QStringLiteral("Rov2Data.mdb"))), OwnFile::None);
    EXPECT_EQ(at(QString()), OwnFile::None);
}

TEST_F(OwnFilesTest, FileNamesCountWhateverTheirCase)
{
    EXPECT_EQ(at(d.path(QStringLiteral("rov2data.MDB"))), OwnFile::DataFile);
    EXPECT_EQ(at(d.path(QStringLiteral("ROV2WORK.mdb"))), OwnFile::WorkFile);
    EXPECT_EQ(at(d.path(QStringLiteral("Yubin.mdb"))), OwnFile::PostalFile);
    EXPECT_EQ(at(d.path(QStringLiteral("rov2.LOCK"))), OwnFile::LockFile);
}

TEST_F(OwnFilesTest, RoundaboutPathsLinksAndJournalsAreResolved)
{
    // Through "..", a relative path, a linked folder, a link to the file, a
    // link to a link, a hard link.
    EXPECT_EQ(at(d.folder() + QStringLiteral("sub/../Rov2Data.mdb")), OwnFile::DataFile);
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(d.folder()));
    EXPECT_EQ(at(QStringLiteral("Rov2Work.mdb")), OwnFile::WorkFile);
    ASSERT_TRUE(QDir::setCurrent(cwd));
    const QString linkedFolder = elsewhere.filePath(QStringLiteral("data"));
    ASSERT_TRUE(QFile::link(QDir::cleanPath(d.folder()), linkedFolder));
    EXPECT_EQ(at(linkedFolder + QStringLiteral("/rov2data.mdb")), OwnFile::DataFile);
    const QString link = elsewhere.filePath(QStringLiteral("list.csv"));
    ASSERT_TRUE(QFile::link(d.dataFile(), link));
    EXPECT_EQ(at(link), OwnFile::DataFile);
    const QString linkToLink = elsewhere.filePath(QStringLiteral("list2.csv"));
    ASSERT_TRUE(QFile::link(link, linkToLink));
    EXPECT_EQ(at(linkToLink), OwnFile::DataFile);
    const QString hard = elsewhere.filePath(QStringLiteral("hard.pdf"));
    ASSERT_EQ(::link(QFile::encodeName(d.postalFile()).constData(), QFile::encodeName(hard).constData()), 0);
    EXPECT_EQ(at(hard), OwnFile::PostalFile);
    // A link whose file is missing would make that file.
    const QString dangling = elsewhere.filePath(QStringLiteral("dangling.csv"));
    ASSERT_TRUE(QFile::remove(d.path(QStringLiteral("Rov2.lock"))));
    ASSERT_TRUE(QFile::link(d.path(QStringLiteral("Rov2.lock")), dangling));
    EXPECT_EQ(at(dangling), OwnFile::LockFile);
    // SQLite's journals belong to their database.
    EXPECT_EQ(at(d.dataFile() + QStringLiteral("-journal")), OwnFile::DataFile);
    EXPECT_EQ(at(d.path(QStringLiteral("rov2work.mdb-WAL"))), OwnFile::WorkFile);
}

TEST_F(OwnFilesTest, MovedDataFileAndTheLocationsLockFile)
{
    Locations l;
    l.dataFolder = d.folder();
    l.workFile = d.workFile();
    l.dataFile = elsewhere.filePath(QStringLiteral("shop.mdb"));
    l.defaultDataFile = d.dataFile();
    l.postalFile = elsewhere.filePath(QStringLiteral("dict.mdb"));
    const OwnFiles own = ownFiles(l);
    EXPECT_EQ(ownFileAt(elsewhere.filePath(QStringLiteral("SHOP.mdb")), own), OwnFile::DataFile);
    EXPECT_EQ(ownFileAt(d.dataFile(), own), OwnFile::DataFile); // still read for the hints
    EXPECT_EQ(ownFileAt(elsewhere.filePath(QStringLiteral("dict.mdb")), own), OwnFile::PostalFile);
    EXPECT_EQ(ownFileAt(d.path(QStringLiteral("Rov2.lock")), own), OwnFile::LockFile);
    EXPECT_EQ(ownFileAt(d.postalFile(), own), OwnFile::None);
}

TEST_F(OwnFilesTest, WritersRefuseThemWithAMessageAndAskBeforeReplacingOthers)
{
    const QByteArray data = [&] {
        QFile f(d.dataFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    {
        ScriptedDialogs dialogs;
        EXPECT_FALSE(
            mayWriteUserFiles(nullptr, QStringLiteral("CSV出力"),
                              {d.path(QStringLiteral("a.csv")), d.path(QStringLiteral("rov2data.mdb"))},
                              d.ownFiles(), dialogs));
        ASSERT_EQ(dialogs.messages().size(), 1);
        const MessageRequest& m = dialogs.messages().front();
        EXPECT_EQ(m.title, QStringLiteral("CSV出力"));
        EXPECT_EQ(m.buttons, MsgButtons::Ok);
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        EXPECT_TRUE(m.text.contains(QStringLiteral("データファイル"))) << m.text.toStdString();
        EXPECT_TRUE(m.text.contains(QStringLiteral("保存できません"))) << m.text.toStdString();
    }
    for (const auto& [name, what] :
         {std::pair{"Rov2Work.mdb", "作業ファイル"}, std::pair{"yubin.mdb", "郵便番号辞書"},
          std::pair{"Rov2.lock", "ロックファイル"}}) {
        ScriptedDialogs dialogs;
        dialogs.answer(MsgAnswer::Ok);
        EXPECT_FALSE(mayWriteUserFiles(nullptr, QStringLiteral("PDF保存"), {d.path(QString::fromUtf8(name))},
                                       d.ownFiles(), dialogs));
        EXPECT_TRUE(dialogs.messages().front().text.contains(QString::fromUtf8(what)));
    }
    // Another file: no question while it does not exist, a Yes to replace it.
    const QString other = d.path(QStringLiteral("顧客一覧.csv"));
    {
        ScriptedDialogs dialogs;
        EXPECT_TRUE(mayWriteUserFiles(nullptr, QStringLiteral("CSV出力"), {other}, d.ownFiles(), dialogs));
        EXPECT_TRUE(dialogs.messages().isEmpty());
    }
    touch(other);
    {
        ScriptedDialogs dialogs; // Enter answers No
        EXPECT_FALSE(mayWriteUserFiles(nullptr, QStringLiteral("CSV出力"), {other}, d.ownFiles(), dialogs));
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_EQ(dialogs.messages().front().buttons, MsgButtons::YesNo);
        EXPECT_TRUE(dialogs.messages().front().defaultIsSecond);
        EXPECT_TRUE(dialogs.messages().front().text.contains(QStringLiteral("置き換えますか")));
        dialogs.answer(MsgAnswer::Yes);
        EXPECT_TRUE(mayWriteUserFiles(nullptr, QStringLiteral("CSV出力"), {other}, d.ownFiles(), dialogs));
    }
    QFile f(d.dataFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), data);
}

} // namespace
} // namespace rov2
