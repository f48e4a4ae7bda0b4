// Files written by the first layout, whose reading columns declared the
// program's own collation, are rebuilt without it when they are first opened.
#include "Database.h"
#include "JapaneseCollation.h"
#include "Layout.h"
#include "Query.h"
#include "SuppliedFiles.h"
#include "TempData.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace rov2 {
namespace {

/// A connection as any SQLite tool makes it: without the reading collation
/// unless asked for.
std::unique_ptr<SQLite::Database> plainConnection(const QString& path, bool withCollation)
{
    auto db = std::make_unique<SQLite::Database>(path.toStdString(), SQLite::OPEN_READWRITE);
    if (withCollation) {
        EXPECT_TRUE(registerJapaneseCollation(db->getHandle()));
    }
    return db;
}

/// Turns a file of the current layout into one as the first layout wrote it:
/// the same text with " COLLATE JA" after each reading column, version 1.
void writeFirstLayout(const QString& path)
{
    {
        auto db = plainConnection(path, true);
        db->exec("PRAGMA writable_schema = ON");
        db->exec("UPDATE sqlite_master SET sql = replace(sql, '\"ふりがな\" TEXT', '\"ふりがな\" TEXT COLLATE JA') "
                 "WHERE type = 'table'");
        db->exec("PRAGMA writable_schema = OFF");
        db->exec("PRAGMA user_version = 1");
    }
    auto db = plainConnection(path, true);
    db->exec("REINDEX"); // the reading indexes now follow the declared collation
}

int firstLayoutTables(const QString& path)
{
    auto db = plainConnection(path, true);
    return db->execAndGet("SELECT count(*) FROM sqlite_master WHERE sql LIKE '%COLLATE JA%'").getInt();
}

std::string namesInAppendOrder(SQLite::Database& db, const char* table)
{
    std::string out;
    const std::string sql = std::string(table) == "顧客マスタ"
                                ? "SELECT code || ':' || 名称 || '/' || ifnull(ふりがな, '') FROM 顧客マスタ ORDER BY rowid"
                                : std::string("SELECT ifnull(名称, '-') || ifnull(氏名, '') FROM ") + table + " ORDER BY rowid";
    SQLite::Statement q(db, sql);
    while (q.executeStep())
        out += q.getColumn(0).getString() + ' ';
    return out;
}

class FirstLayoutFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeFirstLayout(d.dataFile());
        writeFirstLayout(d.workFile());
        ASSERT_GT(firstLayoutTables(d.dataFile()), 0);
        auto data = plainConnection(d.dataFile(), true);
        data->exec("INSERT INTO 顧客マスタ (名称, ふりがな) VALUES ('岡', 'おか'), ('阿部', 'あべ'), ('消える', 'きえる'), "
                   "('宇野', 'うの'), ('名無し', NULL)");
        data->exec("DELETE FROM 顧客マスタ WHERE 名称 IN ('消える', '名無し')"); // numbers 3 and 5 stay used
        data->exec("INSERT INTO 家族情報 (名称, 行番号, 氏名, ふりがな) VALUES ('岡', 0, '岡花子', 'おかはなこ')");
        auto work = plainConnection(d.workFile(), true);
        work->exec("UPDATE w家族情報 SET 氏名 = '三番目' WHERE rowid = 3");
        before = namesInAppendOrder(*data, "顧客マスタ");
        beforeWork = namesInAppendOrder(*work, "w家族情報");
    }

    test::TempData d;
    std::string before;
    std::string beforeWork;
};

TEST_F(FirstLayoutFile, StandardToolsCannotReadItUntilTheProgramOpensIt)
{
    auto stock = plainConnection(d.dataFile(), false);
    EXPECT_ANY_THROW(stock->execAndGet("SELECT count(*) FROM 顧客マスタ")) << "the fault this rebuild mends";
    stock.reset();

    for (const QString& path : {d.dataFile(), d.workFile()}) {
        auto db = Database::open(path);
        ASSERT_TRUE(db) << path.toStdString();
        EXPECT_EQ(db->userVersion(), kLayoutVersion);
    }
    EXPECT_EQ(firstLayoutTables(d.dataFile()), 0);
    EXPECT_EQ(firstLayoutTables(d.workFile()), 0);
    auto data = plainConnection(d.dataFile(), false);
    EXPECT_EQ(data->execAndGet("SELECT count(*) FROM 顧客マスタ").getInt(), 3);
    EXPECT_EQ(namesInAppendOrder(*data, "顧客マスタ"), before) << "every row, number and reading kept, in order";
    EXPECT_EQ(data->execAndGet("SELECT 氏名 FROM 家族情報 WHERE 名称 = '岡'").getString(), "岡花子");
    EXPECT_EQ(data->execAndGet("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name LIKE 'ix顧客マスタ%'")
                  .getInt(),
              3);
    data->exec("INSERT INTO 顧客マスタ (名称) VALUES ('新顔')");
    EXPECT_EQ(data->execAndGet("SELECT code FROM 顧客マスタ WHERE 名称 = '新顔'").getInt(), 6)
        << "numbers of deleted customers are not given out again";
    auto work = plainConnection(d.workFile(), false);
    EXPECT_EQ(namesInAppendOrder(*work, "w家族情報"), beforeWork);
}

TEST_F(FirstLayoutFile, ReadingsSortTheJapaneseWayWhenTheQueryAsks)
{
    auto db = Database::open(d.dataFile());
    ASSERT_TRUE(db);
    Query q = db->query(QStringLiteral("SELECT 名称 FROM 顧客マスタ ORDER BY ふりがな COLLATE JA"));
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    EXPECT_EQ(names, (QStringList{QStringLiteral("阿部"), QStringLiteral("宇野"), QStringLiteral("岡")}));
}

TEST_F(FirstLayoutFile, ARebuildThatFailsHalfwayChangesNothing)
{
    {
        // The second table to rebuild cannot be set aside: its spare name is taken.
        auto data = plainConnection(d.dataFile(), true);
        data->exec("CREATE TABLE \"家族情報_旧\" (x)");
    }
    const int oldTables = firstLayoutTables(d.dataFile());
    auto db = Database::open(d.dataFile());
    ASSERT_TRUE(db) << "the file still opens; the rebuild is tried again next time";
    EXPECT_EQ(db->userVersion(), 1);
    db.reset();
    EXPECT_EQ(firstLayoutTables(d.dataFile()), oldTables) << "no table was rebuilt alone";
    auto data = plainConnection(d.dataFile(), true);
    EXPECT_EQ(namesInAppendOrder(*data, "顧客マスタ"), before);
}

TEST(Layout, NewFilesDeclareNoCollationOfTheirOwn)
{
    test::TempData d;
    ASSERT_TRUE(createEmptyFile(d.postalFile(), FileKind::Postal));
    for (const QString& path : {d.dataFile(), d.workFile(), d.postalFile()}) {
        auto stock = plainConnection(path, false);
        EXPECT_EQ(stock->execAndGet("SELECT count(*) FROM sqlite_master WHERE sql LIKE '%COLLATE%'").getInt(), 0)
            << path.toStdString();
    }
    auto stock = plainConnection(d.dataFile(), false);
    EXPECT_EQ(stock->execAndGet("SELECT count(*) FROM 顧客マスタ").getInt(), 0);
}

} // namespace
} // namespace rov2
