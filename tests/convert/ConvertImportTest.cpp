// Importing a data file of the Windows version (or any file with our tables) into a new SQLite data file.
#include "ConvertFixtures.h"
#include "ConvertImport.h"
#include "Database.h"
#include "Query.h"
#include "RestoreImport.h"
#include "ScriptedDialogs.h"
#include "SuppliedFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace rov2::test {
namespace {

QVariant null() { return QVariant(); }
QString s(const char* text) { return QString::fromUtf8(text); }

class ConvertImportTest : public ::testing::Test {
protected:
    /// An old file with customers (one field our layout lacks, one of ours missing),
    /// family rows, call history in a differently cased table, and no 電話番号 table.
    void writeOld()
    {
        writeSqliteFile(oldPath, {
            {s("顧客マスタ"), {s("code"), s("名称"), s("ふりがな"), s("TEL1"), s("生年月日"), s("旧項目")},
             {{7, s("山田 太郎"), s("やまだ"), s("03"), s("1960/01/02"), s("x")},
              {8, s("O'Brien"), null(), null(), null(), s("y")},
              {7, s("同じ番号"), null(), null(), null(), null()}}},
            {s("家族情報"), {s("名称"), s("行番号"), s("氏名"), s("メモ")},
             {{s("山田 太郎"), 0, s("山田 花子"), s("")}}},
            {s("着信履歴"), {s("CODE"), s("着信日時"), s("電話番号")}, {{7, s("2020/01/01 10:00"), s("03")}}},
        });
    }

    QTemporaryDir dir;
    QString oldPath = dir.filePath(s("Rov2Data_old.mdb"));
    QString newPath = dir.filePath(s("Rov2Data.mdb"));
};

const ImportedTable* tableOf(const ImportReport& r, const char* name)
{
    for (const auto& t : r.tables)
        if (t.table == QString::fromUtf8(name))
            return &t;
    return nullptr;
}

TEST_F(ConvertImportTest, everyTableOfOurLayoutComesOverByFieldName)
{
    writeOld();
    const ImportReport r = importDataFile(oldPath, newPath);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(checkFile(newPath, FileKind::Data), FileState::Ok);
    EXPECT_FALSE(QFile::exists(newPath + s(".part")));

    const auto* customers = tableOf(r, "顧客マスタ");
    ASSERT_TRUE(customers && customers->found);
    EXPECT_EQ(customers->rows, 2);
    // the third row repeats customer number 7, which call history refers to: reported, not guessed
    ASSERT_EQ(customers->problems.size(), 1);
    EXPECT_TRUE(customers->problems.at(0).startsWith(s("3 行目")));
    EXPECT_TRUE(customers->missingFields.contains(s("住所1")));
    EXPECT_EQ(tableOf(r, "家族情報")->rows, 1);
    EXPECT_EQ(tableOf(r, "着信履歴")->rows, 1) << "table and field names match without regard to case";
    EXPECT_FALSE(tableOf(r, "電話番号")->found);
    EXPECT_FALSE(tableOf(r, "コードマスタ")->found);
    EXPECT_EQ(r.problemCount(), 1);

    auto db = Database::open(newPath);
    ASSERT_TRUE(db);
    Query q = db->query(s("SELECT code, 名称, TEL1, 生年月日, 住所1 FROM 顧客マスタ ORDER BY code"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 7);
    EXPECT_EQ(q.value(1), s("山田 太郎"));
    EXPECT_EQ(q.value(3), s("1960/01/02"));
    EXPECT_TRUE(q.value(4).isNull());
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(1), s("O'Brien"));
    EXPECT_TRUE(q.value(2).isNull());
    EXPECT_EQ(db->count(s("SELECT count(*) AS num FROM 家族情報 WHERE メモ = ''")).value_or(-1), 1)
        << "the empty text stays apart from Null";
    // tables the old file lacks keep what the supplied file holds
    EXPECT_EQ(db->count(s("SELECT count(*) AS num FROM コードマスタ")).value_or(-1), 30 * codeKinds().size());
    EXPECT_EQ(db->count(s("SELECT count(*) AS num FROM 自社情報")).value_or(-1), 1);
}

TEST_F(ConvertImportTest, jetFileOfTheWindowsEngineBuildsAFile)
{
    const ImportReport r = importDataFile(jetFixture(s("nwind.mdb")), newPath, SourceOptions{s("CP1252")});
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.tables.size(), tablesOf(FileKind::Data).size());
    for (const auto& t : r.tables)
        EXPECT_FALSE(t.found) << t.table.toStdString();
    EXPECT_EQ(checkFile(newPath, FileKind::Data), FileState::Ok);
}

TEST_F(ConvertImportTest, refusesAndLeavesNoFileBehind)
{
    writeOld();
    QFile existing(newPath);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep");
    existing.close();
    EXPECT_FALSE(importDataFile(oldPath, newPath).ok) << "an existing file is never overwritten";
    QFile kept(newPath);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("keep"));

    const QString other = dir.filePath(s("other.mdb"));
    const ImportReport r = importDataFile(newPath, other); // a text file: neither Jet nor SQLite
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_FALSE(QFile::exists(other));
    EXPECT_FALSE(QFile::exists(other + s(".part")));
}

TEST_F(ConvertImportTest, jetFileIsOfferedAndNoChangesNothing)
{
    writeOld();
    ScriptedDialogs dialogs;
    // an SQLite file is not offered: the caller reads it as before
    EXPECT_EQ(offerWindowsImport(oldPath, newPath, dialogs), ImportOffer::NotJet);
    EXPECT_TRUE(dialogs.messages().isEmpty());

    dialogs.answer(MsgAnswer::No);
    EXPECT_EQ(offerWindowsImport(jetFixture(s("nwind.mdb")), newPath, dialogs), ImportOffer::Declined);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().at(0).buttons, MsgButtons::YesNo);
    EXPECT_FALSE(QFile::exists(newPath));

    dialogs.answer(MsgAnswer::Yes);
    ImportReport report;
    EXPECT_EQ(offerWindowsImport(jetFixture(s("nwind.mdb")), newPath, dialogs, &report), ImportOffer::Built);
    EXPECT_TRUE(report.ok);
    EXPECT_TRUE(QFile::exists(newPath));
    EXPECT_TRUE(dialogs.allUsed());
}

TEST_F(ConvertImportTest, commandLineToolImportsAndReportsCounts)
{
    writeOld();
    QProcess p;
    p.start(QCoreApplication::applicationDirPath() + s("/rov2-import"), {oldPath, newPath});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 3) << "a row was left out";
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(out.contains(s("顧客マスタ: 2 件"))) << out.toStdString();
    EXPECT_TRUE(out.contains(s("電話番号: ありません"))) << out.toStdString();
    EXPECT_EQ(checkFile(newPath, FileKind::Data), FileState::Ok);

    QProcess again;
    again.start(QCoreApplication::applicationDirPath() + s("/rov2-import"), {oldPath, newPath});
    ASSERT_TRUE(again.waitForFinished(60000));
    EXPECT_EQ(again.exitCode(), 1) << "the new file exists now";
}

struct CutCase {
    const char* name;
    const char* file;
    const char* codePage;
    qint64 bytes; ///< whole pages: libmdb reads the file as if it were whole
};

class CutJetFile : public ::testing::TestWithParam<CutCase> {
protected:
    void SetUp() override
    {
        QFile whole(jetFixture(s(GetParam().file)));
        ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
        QFile cut(cutPath);
        ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
        ASSERT_EQ(cut.write(whole.read(GetParam().bytes)), GetParam().bytes);
    }

    QTemporaryDir dir;
    QString cutPath = dir.filePath(s("Rov2Data_old.mdb"));
    QString newPath = dir.filePath(s("Rov2Data.mdb"));
};

// libmdb tells of the pages it cannot read only on stderr and reads on.
TEST_P(CutJetFile, isRefusedByTheToolAndTheReadBackAlike)
{
    const SourceOptions options{s(GetParam().codePage)};
    const ImportReport r = importDataFile(cutPath, newPath, options);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_FALSE(QFile::exists(newPath));
    EXPECT_FALSE(QFile::exists(newPath + s(".part")));

    QProcess tool;
    tool.start(QCoreApplication::applicationDirPath() + s("/rov2-import"), {cutPath, newPath, options.jet3CodePage});
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tool.exitCode(), 1);
    EXPECT_FALSE(QFile::exists(newPath));

    ScriptedDialogs dialogs;
    dialogs.answer(MsgAnswer::Yes);
    const ReadBackFile back = prepareReadBack(cutPath, dir.path(), dialogs);
    EXPECT_EQ(back.state, ReadBackFile::State::Refused);
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(dialogs.messages().at(1).text, s("データを取り込めませんでした。データは変更されていません。"));
    EXPECT_FALSE(QFile::exists(dir.filePath(s("imported.mdb"))));
}

INSTANTIATE_TEST_SUITE_P(
    AtAPage, CutJetFile,
    ::testing::Values(CutCase{"Jet3SystemTableShort", "nwind.mdb", "CP1252", 1220 * 2048},
                      CutCase{"Jet3TableDefinitionsGone", "nwind.mdb", "CP1252", 732 * 2048},
                      CutCase{"Jet4SystemTableShort", "DateTestDatabase.mdb", "CP932", 66 * 4096},
                      CutCase{"Jet4UserTableShort", "DateTestDatabase.mdb", "CP932", 20 * 4096}),
    [](const auto& tp) { return std::string(tp.param.name); });

} // namespace
} // namespace rov2::test
