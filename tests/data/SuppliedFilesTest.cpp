#include "Database.h"
#include "Query.h"
#include "SuppliedFiles.h"
#include "TempData.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace rov2;

namespace {

TEST(SuppliedFiles, CodeListsHaveThirtySlotsEachWithTheCommonEntriesFirst)
{
    test::TempData d;
    auto db = Database::open(d.dataFile());
    ASSERT_TRUE(db);
    for (const QString& kind : codeKinds()) {
        EXPECT_EQ(db->count(QStringLiteral("SELECT count(*) AS num FROM コードマスタ WHERE kcode = ?"), {kind}), 30);
        Query q = db->query(QStringLiteral("SELECT min(code), max(code) FROM コードマスタ WHERE kcode = ?"), {kind});
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toString(), QStringLiteral("01"));
        EXPECT_EQ(q.value(1).toString(), QStringLiteral("30"));
    }
    EXPECT_EQ(db->count(QStringLiteral("SELECT count(*) AS num FROM コードマスタ WHERE kcode IN ('区分1', '区分2') "
                                       "AND sname IS NOT NULL")),
              0);
    Query first = db->query(QStringLiteral("SELECT sname FROM コードマスタ WHERE kcode = '敬称' AND code = '01'"));
    ASSERT_TRUE(first.next());
    EXPECT_EQ(first.value(0).toString(), QStringLiteral("様"));
    Query son = db->query(QStringLiteral("SELECT 性別 FROM コードマスタ WHERE kcode = '続柄' AND sname = '長男'"));
    ASSERT_TRUE(son.next());
    EXPECT_EQ(son.value(0).toString(), QStringLiteral("男"));
    // Free slots are Null, not the empty text: that is how a free slot is found.
    EXPECT_GT(*db->count(QStringLiteral("SELECT count(*) AS num FROM コードマスタ WHERE kcode = '敬称' AND sname IS NULL")),
              0);
}

TEST(SuppliedFiles, WorkFileHoldsTenEmptyFamilyRows)
{
    test::TempData d;
    auto db = Database::open(d.workFile());
    ASSERT_TRUE(db);
    EXPECT_EQ(db->count(QStringLiteral("SELECT count(*) AS num FROM w家族情報")), 10);
    EXPECT_EQ(db->count(QStringLiteral("SELECT count(*) AS num FROM w家族情報 WHERE 氏名 IS NULL AND 年齢 IS NULL")), 10);
    EXPECT_EQ(db->count(QStringLiteral("SELECT count(*) AS num FROM 管理")), 0);
    EXPECT_EQ(checkFile(d.workFile(), FileKind::Work), FileState::Ok);
    EXPECT_EQ(checkFile(d.workFile(), FileKind::Data), FileState::NotOurs);
}

TEST(SuppliedFiles, ExistingFilesAreNeverReplaced)
{
    test::TempData d;
    {
        auto db = Database::open(d.dataFile());
        ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO 顧客マスタ (名称) VALUES ('既存')")));
    }
    QString error;
    EXPECT_FALSE(createSuppliedDataFile(d.dataFile(), &error));
    EXPECT_FALSE(error.isEmpty());
    auto db = Database::open(d.dataFile());
    ASSERT_TRUE(db);
    EXPECT_EQ(db->count(QStringLiteral("SELECT count(*) AS num FROM 顧客マスタ")), 1);
}

TEST(SuppliedFiles, AFailedCreationLeavesNoFile)
{
    test::TempData d(false);
    const QString path = d.path(QStringLiteral("no-such-folder/Rov2Data.mdb"));
    EXPECT_FALSE(createSuppliedDataFile(path));
    EXPECT_FALSE(QFileInfo::exists(path));
}

} // namespace
