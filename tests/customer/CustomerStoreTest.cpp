// The customer screen's file routines on their own.
#include "CodeList.h"
#include "CustomerStore.h"
#include "Database.h"
#include "Query.h"
#include "TempData.h"

#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

namespace rov2::test {
namespace {

QVariantMap fieldsNamed(const QString& name)
{
    QVariantMap f;
    for (const QString& field : CustomerStore::customerFields())
        f.insert(field, QString());
    f.insert(QStringLiteral("名称"), name);
    f.insert(QStringLiteral("生年月日"), QVariant());
    f.insert(QStringLiteral("誕生月"), QVariant());
    f.insert(QStringLiteral("年齢"), QVariant());
    return f;
}

TEST(CustomerStore, TwoRowsWithOneNameSaveIntoTheFirstAndDeleteTogether)
{
    TempData d;
    {
        auto db = Database::open(d.dataFile());
        ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO 顧客マスタ (名称, TEL1) VALUES ('同名', '1'), ('同名', '2')")));
    }
    QVariantMap f = fieldsNamed(QStringLiteral("同名"));
    f.insert(QStringLiteral("TEL1"), QStringLiteral("新"));
    ASSERT_TRUE(CustomerStore::saveCustomer(d.dataFile(), d.workFile(), QStringLiteral("同名"), f,
                                            {QStringLiteral("同名"), {}, {}, QDate(2001, 6, 15)}));
    auto db = Database::open(d.dataFile());
    ASSERT_TRUE(db);
    {
        Query q = db->query(QStringLiteral("SELECT TEL1 FROM 顧客マスタ ORDER BY code"));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toString(), QStringLiteral("新"));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toString(), QStringLiteral("2"));
    } // a query still open would hold its read lock

    ASSERT_TRUE(CustomerStore::deleteCustomer(d.dataFile(), QStringLiteral("同名")));
    EXPECT_EQ(db->count(QStringLiteral("SELECT count(*) AS num FROM 顧客マスタ")), 0);
}

TEST(CustomerStore, ReadingTheFamilyKeepsGapsAndNormalisesDates)
{
    TempData d;
    {
        auto db = Database::open(d.dataFile());
        ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO 家族情報 (名称, 行番号, 氏名, 生年月日, 誕生月, 年齢) VALUES "
                                   "('客', 0, '一', '1975/4/5', 4, 30), ('客', 1, NULL, NULL, NULL, NULL), "
                                   "('客', 2, '三', 'not a date', NULL, NULL), ('他', 0, '他人', NULL, NULL, NULL)")));
    }
    ASSERT_TRUE(CustomerStore::copyFamilyToWork(d.dataFile(), d.workFile(), QStringLiteral("客"), QDate(2005, 6, 1)));
    auto work = Database::open(d.workFile());
    ASSERT_TRUE(work);
    Query q = work->query(QStringLiteral("SELECT 氏名, 生年月日, 誕生月, 年齢 FROM w家族情報 ORDER BY rowid"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("一"));
    EXPECT_EQ(q.value(1).toString(), QStringLiteral("1975/04/05"));
    EXPECT_EQ(q.value(2).toInt(), 4);
    EXPECT_EQ(q.value(3).toInt(), 30);
    ASSERT_TRUE(q.next());
    EXPECT_TRUE(q.value(0).isNull()) << "a stored row without a name leaves its grid row empty";
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("三"));
    EXPECT_TRUE(q.value(1).isNull());
    EXPECT_EQ(work->count(QStringLiteral("SELECT count(*) AS num FROM w家族情報")), 10);
}

TEST(CustomerStore, CodeListsSkipEmptySlotsAndFollowCntThenCode)
{
    TempData d;
    {
        auto db = Database::open(d.dataFile());
        ASSERT_TRUE(db->execute(QStringLiteral("UPDATE コードマスタ SET sname = ?, cnt = ? WHERE kcode = '区分1' AND code = ?"),
                    {QStringLiteral("後"), 2, QStringLiteral("01")}));
        ASSERT_TRUE(db->execute(QStringLiteral("UPDATE コードマスタ SET sname = ?, cnt = ? WHERE kcode = '区分1' AND code = ?"),
                    {QStringLiteral("先"), 1, QStringLiteral("05")}));
        ASSERT_TRUE(db->execute(QStringLiteral("UPDATE コードマスタ SET sname = ?, cnt = ? WHERE kcode = '区分1' AND code = ?"),
                    {QStringLiteral("次"), 1, QStringLiteral("07")}));
    }
    EXPECT_EQ(readCodeList(d.dataFile(), QStringLiteral("区分1")),
              (QStringList{QStringLiteral("先"), QStringLiteral("次"), QStringLiteral("後")}));
    EXPECT_FALSE(readCodeList(d.path(QStringLiteral("none.mdb")), QStringLiteral("区分1")).has_value());
}

TEST(CustomerStore, RelationshipsAreRebuiltFromTheCodeListInCodeOrder)
{
    TempData d;
    ASSERT_TRUE(CustomerStore::rebuildRelationships(d.dataFile(), d.workFile()));
    ASSERT_TRUE(CustomerStore::rebuildRelationships(d.dataFile(), d.workFile())) << "rebuilt, not appended";
    auto work = Database::open(d.workFile());
    ASSERT_TRUE(work);
    auto data = Database::open(d.dataFile());
    ASSERT_TRUE(data);
    EXPECT_EQ(work->count(QStringLiteral("SELECT count(*) AS num FROM w続柄")),
              data->count(QStringLiteral("SELECT count(*) AS num FROM コードマスタ WHERE kcode = '続柄' AND sname IS NOT NULL")));
    Query q = work->query(QStringLiteral("SELECT sname, 性別 FROM w続柄 ORDER BY rowid LIMIT 2"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("夫"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("妻"));
    EXPECT_EQ(q.value(1).toString(), QStringLiteral("女"));
}

struct ReadCase {
    const char* what;
    const char* file; ///< in the temporary folder
    const char* name;
    CustomerStore::ReadOutcome expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.what; }

class CustomerRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(CustomerRead, TellsNotFoundFromCouldNotRead)
{
    TempData d;
    {
        auto db = Database::open(d.dataFile());
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO 顧客マスタ (名称, TEL1) VALUES ('居る客', '03')")));
    }
    QFile broken(d.path(QStringLiteral("broken.mdb")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    ASSERT_EQ(broken.write(QByteArray(4096, 'x')), 4096);
    broken.close();
    const ReadCase& c = GetParam();
    const auto read = CustomerStore::readCustomer(d.path(QString::fromUtf8(c.file)), QString::fromUtf8(c.name));
    EXPECT_EQ(read.outcome, c.expected);
    EXPECT_EQ(read.fields.value(QStringLiteral("TEL1")).toString(),
              c.expected == CustomerStore::ReadOutcome::Found ? QStringLiteral("03") : QString());
}

INSTANTIATE_TEST_SUITE_P(
    CustomerStore, CustomerRead,
    ::testing::Values(ReadCase{"found", "Rov2Data.mdb", "居る客", CustomerStore::ReadOutcome::Found},
                      ReadCase{"not there", "Rov2Data.mdb", "居ない客", CustomerStore::ReadOutcome::NotFound},
                      ReadCase{"no file", "none.mdb", "居る客", CustomerStore::ReadOutcome::Failed},
                      ReadCase{"not a database", "broken.mdb", "居る客", CustomerStore::ReadOutcome::Failed}),
    [](const ::testing::TestParamInfo<ReadCase>& row) {
        std::string name = row.param.what;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(CustomerStore, AFailedRelationshipRebuildKeepsThePreviousList)
{
    TempData d;
    ASSERT_TRUE(CustomerStore::rebuildRelationships(d.dataFile(), d.workFile()));
    {
        auto work = Database::open(d.workFile());
        ASSERT_TRUE(work);
        ASSERT_TRUE(work->execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON w続柄 WHEN NEW.sname = '妻' "
                                                 "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    }
    EXPECT_FALSE(CustomerStore::rebuildRelationships(d.dataFile(), d.workFile()));
    auto work = Database::open(d.workFile());
    ASSERT_TRUE(work);
    EXPECT_EQ(work->count(QStringLiteral("SELECT count(*) AS num FROM w続柄 WHERE sname = ?"), {QStringLiteral("夫")}), 1)
        << "the delete was rolled back with the failed insert";
}

TEST(CustomerStore, NothingIsSavedWhenTheWorkFileCannotBeRead)
{
    TempData d;
    EXPECT_FALSE(CustomerStore::saveCustomer(d.dataFile(), d.path(QStringLiteral("none.mdb")), QStringLiteral("客"),
                                             fieldsNamed(QStringLiteral("客")),
                                             {QStringLiteral("客"), {}, {}, QDate(2001, 6, 15)}));
    auto db = Database::open(d.dataFile());
    ASSERT_TRUE(db);
    EXPECT_EQ(db->count(QStringLiteral("SELECT count(*) AS num FROM 顧客マスタ")), 0);
}

} // namespace
} // namespace rov2::test
