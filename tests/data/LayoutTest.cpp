#include "Database.h"
#include "TestNames.h"
#include "Layout.h"
#include "Query.h"
#include "SuppliedFiles.h"
#include "TempData.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace rov2;

namespace {

QStringList columnsOf(Database& db, const QString& table)
{
    QStringList names;
    Query q = db.query(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table));
    while (q.next())
        names << q.value(QStringLiteral("name")).toString();
    return names;
}

QStringList split(const char* list) { return QString::fromUtf8(list).split(QLatin1Char(',')); }

struct TableCase {
    FileKind kind;
    const char* table;
    const char* columns;
};

void PrintTo(const TableCase& c, std::ostream* os) { *os << c.table; }

class TableColumns : public ::testing::TestWithParam<TableCase> {};

// The files are created from the layouts, and other routines copy rows by
// position: the columns of each table must be exactly these, in this order.
TEST_P(TableColumns, AreExactlyTheListedOnesInOrder)
{
    const TableCase& c = GetParam();
    test::TempData d;
    auto db = Database::open(c.kind == FileKind::Data ? d.dataFile() : d.workFile());
    ASSERT_TRUE(db);
    EXPECT_EQ(columnsOf(*db, QString::fromUtf8(c.table)), split(c.columns));
}

INSTANTIATE_TEST_SUITE_P(
    Files, TableColumns,
    ::testing::Values(
        TableCase{FileKind::Data, "顧客マスタ",
                  "code,名称,ふりがな,郵便番号,住所1,住所2,敬称,クイック,Email,TEL1,TEL2,FAX,区分1,区分2,生年月日,"
                  "誕生月,性別,年齢,顧客メモ,印刷名"},
        TableCase{FileKind::Data, "家族情報",
                  "名称,行番号,氏名,ふりがな,続柄,性別,Email,携帯電話,生年月日,誕生月,年齢,区分1,区分2,勤務先,メモ"},
        TableCase{FileKind::Data, "コードマスタ", "kcode,code,sname,cnt,性別"},
        TableCase{FileKind::Data, "自社情報",
                  "顧客名,名称2,郵便番号,住所1,電話番号,FAX,yubinlocalEriaSw,YubinLocalEria,区分登録1,区分登録2,"
                  "敬称登録,続柄登録,性別,年号,クイック"},
        TableCase{FileKind::Data, "VtHint", "FormName,CtlName,FormTitle,Contents"},
        TableCase{FileKind::Work, "管理", "DataPath,YubinPath"},
        TableCase{FileKind::Work, "w家族情報",
                  "名称,氏名,ふりがな,続柄,性別,Email,携帯電話,生年月日,誕生月,年齢,勤務先,メモ"},
        TableCase{FileKind::Work, "w続柄", "sname,性別"},
        TableCase{FileKind::Work, "wコードマスタ", "行番号,チェック,code,sname,cnt,性別"},
        TableCase{FileKind::Work, "w顧客リスト", "チェック,名称,ふりがな,住所1,氏名,続柄,家族"},
        TableCase{FileKind::Work, "wタックシール印刷", "名称,郵便番号,住所1,住所2"}), ::rov2::test::PrintedName());

// Tables filled by "insert ... select *" from another table keep its columns.
TEST(Layout, CopiedTablesMatchTheirSources)
{
    const auto names = [](FileKind k, const char* t) { return findTable(k, QString::fromUtf8(t))->columnNames(); };
    EXPECT_EQ(names(FileKind::Work, "w顧客マスタ印刷"), names(FileKind::Data, "顧客マスタ"));
    EXPECT_EQ(names(FileKind::Work, "w家族情報印刷"), names(FileKind::Data, "家族情報"));
    EXPECT_EQ(names(FileKind::Work, "w顧客リストソート"), names(FileKind::Work, "w顧客リスト"));
}

TEST(Layout, CopyAllColumnsLandsInTheSameColumns)
{
    test::TempData d;
    {
        auto data = Database::open(d.dataFile());
        ASSERT_TRUE(data->execute(QStringLiteral("INSERT INTO 顧客マスタ (名称, ふりがな, 印刷名, 年齢) VALUES (?, ?, ?, ?)"),
                                  {QStringLiteral("山田"), QStringLiteral("やまだ"), QStringLiteral("山田様"), 42}));
    }
    auto work = Database::open(d.workFile());
    ASSERT_TRUE(work->executeWithAttached(d.dataFile(), QStringLiteral("src"),
                                          QStringLiteral("INSERT INTO w顧客マスタ印刷 SELECT * FROM src.顧客マスタ")));
    Query q = work->query(QStringLiteral("SELECT 名称, ふりがな, 印刷名, 年齢, code FROM w顧客マスタ印刷"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("山田"));
    EXPECT_EQ(q.value(1).toString(), QStringLiteral("やまだ"));
    EXPECT_EQ(q.value(2).toString(), QStringLiteral("山田様"));
    EXPECT_EQ(q.value(3).toInt(), 42);
    EXPECT_EQ(q.value(4).toInt(), 1);
}

TEST(Layout, DefaultsAndNumbering)
{
    test::TempData d;
    auto work = Database::open(d.workFile());
    ASSERT_TRUE(work->execute(QStringLiteral("INSERT INTO w顧客リスト (名称) VALUES (?)"), {QStringLiteral("甲")}));
    ASSERT_TRUE(work->execute(QStringLiteral("INSERT INTO wコードマスタ (code) VALUES ('01'), ('02')")));
    Query list = work->query(QStringLiteral("SELECT チェック FROM w顧客リスト"));
    ASSERT_TRUE(list.next());
    EXPECT_EQ(list.value(0).toInt(), 0) << "a listed row starts unmarked";
    Query codes = work->query(QStringLiteral("SELECT 行番号, code FROM wコードマスタ ORDER BY 行番号"));
    ASSERT_TRUE(codes.next());
    EXPECT_EQ(codes.value(0).toInt(), 1);
    ASSERT_TRUE(codes.next());
    EXPECT_EQ(codes.value(0).toInt(), 2);
    EXPECT_EQ(codes.value(1).toString(), QStringLiteral("02"));

    auto data = Database::open(d.dataFile());
    ASSERT_TRUE(data->execute(QStringLiteral("INSERT INTO 顧客マスタ (名称) VALUES ('a'), ('b')")));
    ASSERT_TRUE(data->execute(QStringLiteral("DELETE FROM 顧客マスタ WHERE 名称 = 'b'")));
    ASSERT_TRUE(data->execute(QStringLiteral("INSERT INTO 顧客マスタ (名称) VALUES ('c')")));
    Query c = data->query(QStringLiteral("SELECT code FROM 顧客マスタ WHERE 名称 = 'c'"));
    ASSERT_TRUE(c.next());
    EXPECT_EQ(c.value(0).toInt(), 3) << "a customer number is never given out twice";
}

TEST(Layout, EveryFileCarriesItsLayoutVersion)
{
    test::TempData d;
    ASSERT_TRUE(createEmptyFile(d.postalFile(), FileKind::Postal));
    for (const QString& path : {d.dataFile(), d.workFile(), d.postalFile()}) {
        auto db = Database::open(path);
        ASSERT_TRUE(db);
        EXPECT_EQ(db->userVersion(), kLayoutVersion) << path.toStdString();
    }
}

TEST(Layout, LookUpsUseIndexes)
{
    test::TempData d;
    auto db = Database::open(d.dataFile());
    ASSERT_TRUE(db);
    const auto plan = [&db](const QString& sql) {
        QString all;
        Query q = db->query(QStringLiteral("EXPLAIN QUERY PLAN ") + sql, {QStringLiteral("x")});
        while (q.next())
            all += q.value(QStringLiteral("detail")).toString();
        return all;
    };
    EXPECT_TRUE(plan(QStringLiteral("SELECT * FROM 顧客マスタ WHERE 名称 = ?")).contains(QStringLiteral("INDEX")));
    EXPECT_TRUE(plan(QStringLiteral("SELECT * FROM 家族情報 WHERE 名称 = ? ORDER BY 行番号")).contains(QStringLiteral("INDEX")));
    EXPECT_TRUE(plan(QStringLiteral("SELECT * FROM コードマスタ WHERE kcode = ? ORDER BY code")).contains(QStringLiteral("INDEX")));
    // The Japanese order is asked for in the query; the index still finds the quick-pick rows.
    const QString quick = plan(QStringLiteral("SELECT 名称 FROM 顧客マスタ WHERE クイック = ? ORDER BY ふりがな COLLATE JA"));
    EXPECT_TRUE(quick.contains(QStringLiteral("ix顧客マスタクイック"))) << quick.toStdString();
}

} // namespace
