#include "Database.h"
#include "Query.h"
#include "SuppliedFiles.h"
#include "TempData.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace rov2;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(Database, OpenNeverCreatesAFile)
{
    test::TempData d(false);
    QString error;
    EXPECT_FALSE(Database::open(d.dataFile(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(d.dataFile()));
}

TEST(Database, GarbageAndEmptyFilesAreNotDatabases)
{
    test::TempData d(false);
    writeFile(d.path(QStringLiteral("garbage.mdb")), QByteArray(4096, 'x'));
    writeFile(d.path(QStringLiteral("empty.mdb")), QByteArray());
    EXPECT_FALSE(Database::open(d.path(QStringLiteral("garbage.mdb"))));
    EXPECT_EQ(checkFile(d.path(QStringLiteral("garbage.mdb")), FileKind::Data), FileState::NotOurs);
    // SQLite takes an empty file for an empty database: it is still not one of ours.
    EXPECT_EQ(checkFile(d.path(QStringLiteral("empty.mdb")), FileKind::Data), FileState::NotOurs);
    EXPECT_EQ(checkFile(d.path(QStringLiteral("none.mdb")), FileKind::Data), FileState::Missing);
}

TEST(Database, FailedStatementsReportAndLeaveNoTrace)
{
    test::TempData d;
    auto db = Database::open(d.dataFile());
    ASSERT_TRUE(db);
    EXPECT_FALSE(db->execute(QStringLiteral("INSERT INTO 無い (a) VALUES (1)")));
    EXPECT_FALSE(db->lastError().isEmpty());
    EXPECT_TRUE(db->execute(QStringLiteral("DELETE FROM 顧客マスタ")));
    EXPECT_TRUE(db->lastError().isEmpty());
    EXPECT_FALSE(db->count(QStringLiteral("SELECT count(*) AS num FROM 無い")).has_value());
    Query bad = db->query(QStringLiteral("SELEC"));
    EXPECT_FALSE(bad.ok());
    EXPECT_FALSE(bad.next());
}

TEST(Database, TransactionRollsBackUnlessCommitted)
{
    test::TempData d;
    auto db = Database::open(d.dataFile());
    ASSERT_TRUE(db);
    {
        Transaction tx(*db);
        ASSERT_TRUE(tx.active());
        ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO 顧客マスタ (名称) VALUES ('消える')")));
    }
    EXPECT_EQ(db->count(QStringLiteral("SELECT count(*) AS num FROM 顧客マスタ")), 0);
    {
        Transaction tx(*db);
        ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO 顧客マスタ (名称) VALUES ('残る')")));
        EXPECT_TRUE(tx.commit());
    }
    EXPECT_EQ(db->count(QStringLiteral("SELECT count(*) AS num FROM 顧客マスタ")), 1);
    EXPECT_FALSE(db->inTransaction());
}

TEST(Database, AttachedCopyReadsTheOtherFileAndDetaches)
{
    test::TempData d;
    auto work = Database::open(d.workFile());
    ASSERT_TRUE(work->executeWithAttached(
        d.dataFile(), QStringLiteral("src"),
        QStringLiteral("INSERT INTO w続柄 (sname, 性別) SELECT sname, 性別 FROM src.コードマスタ WHERE kcode = ? "
                       "AND sname IS NOT NULL ORDER BY code"),
        {QStringLiteral("続柄")}));
    Query q = work->query(QStringLiteral("SELECT sname, 性別 FROM w続柄 ORDER BY rowid"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("夫"));
    EXPECT_EQ(q.value(1).toString(), QStringLiteral("男"));
    // The other file is detached again: a second attach under the same name works.
    EXPECT_TRUE(work->executeWithAttached(d.dataFile(), QStringLiteral("src"), QStringLiteral("DELETE FROM w続柄")));
    // A missing other file fails without creating it.
    EXPECT_FALSE(work->executeWithAttached(d.path(QStringLiteral("none.mdb")), QStringLiteral("src"),
                                           QStringLiteral("DELETE FROM w続柄")));
    EXPECT_FALSE(QFileInfo::exists(d.path(QStringLiteral("none.mdb"))));
}

} // namespace
