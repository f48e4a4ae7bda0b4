#include "Database.h"
#include "Query.h"
#include "Recordset.h"
#include "TempData.h"
#include "CapturedWarnings.h"

#include <gtest/gtest.h>

using namespace rov2;

namespace {

class RecordsetTest : public ::testing::Test {
protected:
    test::TempData d;
    std::unique_ptr<Database> db = Database::open(d.dataFile());

    void SetUp() override { ASSERT_TRUE(db); }

    void addCustomer(const QVariantList& values)
    {
        ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO 顧客マスタ (名称, ふりがな, 年齢) VALUES (?, ?, ?)"), values));
    }
};

TEST_F(RecordsetTest, EmptyResultIsAtBothEnds)
{
    Recordset rs = db->openDynaset(QStringLiteral("顧客マスタ"), QStringLiteral("名称 = ?"), {QStringLiteral("無")});
    ASSERT_TRUE(rs.isOpen());
    EXPECT_TRUE(rs.bof());
    EXPECT_TRUE(rs.eof());
    EXPECT_FALSE(rs.field(QStringLiteral("名称")).isValid());
}

TEST_F(RecordsetTest, NullIsNotTheEmptyText)
{
    addCustomer({QStringLiteral("甲"), QString(""), QVariant()});
    Recordset rs = db->openDynaset(QStringLiteral("顧客マスタ"), QStringLiteral("名称 = ?"), {QStringLiteral("甲")});
    ASSERT_FALSE(rs.eof());
    const QVariant empty = rs.field(QStringLiteral("ふりがな"));
    const QVariant null = rs.field(QStringLiteral("年齢"));
    EXPECT_FALSE(empty.isNull());
    EXPECT_EQ(empty.toString(), QString());
    EXPECT_TRUE(null.isNull());
    EXPECT_TRUE(rs.field(QStringLiteral("印刷名")).isNull());
}

TEST_F(RecordsetTest, SpecialCharactersRoundTripAndMatchLiterally)
{
    const QString tricky = QStringLiteral("O'Brien \"様\" 100% _x* [a]");
    Recordset add = db->openDynaset(QStringLiteral("顧客マスタ"));
    add.addNew();
    add.setField(QStringLiteral("名称"), tricky);
    ASSERT_TRUE(add.update());
    addCustomer({QStringLiteral("O'Brien"), QStringLiteral("x"), 1});

    Recordset rs = db->openDynaset(QStringLiteral("顧客マスタ"), QStringLiteral("名称 = ?"), {tricky});
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.field(QStringLiteral("名称")).toString(), tricky);
    EXPECT_EQ(db->count(QStringLiteral("SELECT count(*) AS num FROM 顧客マスタ WHERE 名称 = ?"), {QStringLiteral("O'Brien")}),
              1);
}

TEST_F(RecordsetTest, AddNewIsWrittenWhenUpdateReturns)
{
    Recordset rs = db->openDynaset(QStringLiteral("顧客マスタ"), QStringLiteral("名称 = ?"), {QStringLiteral("新")});
    ASSERT_TRUE(rs.eof());
    rs.addNew();
    EXPECT_TRUE(rs.setField(QStringLiteral("名称"), QStringLiteral("新")));
    EXPECT_TRUE(rs.setField(QStringLiteral("年齢"), 30));
    EXPECT_FALSE(rs.setField(QStringLiteral("存在しない"), 1));
    ASSERT_TRUE(rs.update());

    // Another connection sees the row at once.
    auto other = Database::open(d.dataFile());
    ASSERT_TRUE(other);
    Recordset back = other->openDynaset(QStringLiteral("顧客マスタ"), QStringLiteral("名称 = ?"), {QStringLiteral("新")});
    ASSERT_FALSE(back.eof());
    EXPECT_EQ(back.field(QStringLiteral("年齢")).toInt(), 30);
    EXPECT_GT(back.field(QStringLiteral("code")).toInt(), 0) << "the customer number is given by the table";
    EXPECT_TRUE(back.field(QStringLiteral("ふりがな")).isNull()) << "a field never set stays Null";
}

TEST_F(RecordsetTest, EditChangesOnlyTheFirstOfTwoRowsWithTheSameName)
{
    addCustomer({QStringLiteral("同名"), QStringLiteral("いち"), 1});
    addCustomer({QStringLiteral("同名"), QStringLiteral("に"), 2});
    Recordset rs = db->openDynaset(QStringLiteral("顧客マスタ"), QStringLiteral("名称 = ?"), {QStringLiteral("同名")});
    ASSERT_EQ(rs.recordCount(), 2);
    rs.edit();
    rs.setField(QStringLiteral("年齢"), 99);
    ASSERT_TRUE(rs.update());
    EXPECT_EQ(rs.field(QStringLiteral("年齢")).toInt(), 99) << "the current row shows what was written";

    Query q = db->query(QStringLiteral("SELECT ふりがな, 年齢 FROM 顧客マスタ ORDER BY code"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("いち"));
    EXPECT_EQ(q.value(1).toInt(), 99);
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(1).toInt(), 2);
}

TEST_F(RecordsetTest, WalksInOrderAndAppendsJoinTheEnd)
{
    for (const char* n : {"b", "a", "c"})
        addCustomer({QString::fromUtf8(n), QString::fromUtf8(n), 0});
    Recordset rs = db->openDynaset(QStringLiteral("顧客マスタ"), {}, {}, QStringLiteral("名称"));
    QStringList seen;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        seen << rs.field(QStringLiteral("名称")).toString();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));

    rs.addNew();
    rs.setField(QStringLiteral("名称"), QStringLiteral("0"));
    ASSERT_TRUE(rs.update());
    EXPECT_TRUE(rs.eof()) << "appending at the end leaves the position at the end";
    EXPECT_EQ(rs.recordCount(), 4);
    rs.moveLast();
    EXPECT_EQ(rs.field(QStringLiteral("名称")).toString(), QStringLiteral("0"));
}

TEST_F(RecordsetTest, YesNoValuesAreStoredAsMinusOneAndZero)
{
    auto work = Database::open(d.workFile());
    ASSERT_TRUE(work->execute(QStringLiteral("INSERT INTO w顧客リスト (チェック, 名称) VALUES (?, ?), (?, ?)"),
                              {true, QStringLiteral("a"), false, QStringLiteral("b")}));
    Recordset rs = work->openDynaset(QStringLiteral("w顧客リスト"));
    ASSERT_TRUE(rs.findFirst(QStringLiteral("チェック = ?"), {true}));
    EXPECT_EQ(rs.field(QStringLiteral("名称")).toString(), QStringLiteral("a"));
    EXPECT_EQ(rs.field(QStringLiteral("チェック")).toInt(), -1);
    EXPECT_FALSE(rs.findFirst(QStringLiteral("名称 = ?"), {QStringLiteral("z")}));
    EXPECT_EQ(rs.field(QStringLiteral("名称")).toString(), QStringLiteral("a")) << "no match leaves the position";
}

TEST_F(RecordsetTest, MisuseFailsAsAValue)
{
    Recordset missing = db->openDynaset(QStringLiteral("無いテーブル"));
    EXPECT_FALSE(missing.isOpen());
    EXPECT_TRUE(missing.eof());
    EXPECT_FALSE(db->lastError().isEmpty());

    Recordset rs = db->openDynaset(QStringLiteral("顧客マスタ"));
    EXPECT_FALSE(rs.update()) << "update without addNew or edit";
    rs.edit();
    EXPECT_FALSE(rs.setField(QStringLiteral("名称"), QStringLiteral("x"))) << "edit at the end of an empty set";
    EXPECT_EQ(db->count(QStringLiteral("SELECT count(*) AS num FROM 顧客マスタ")), 0);
}

TEST_F(RecordsetTest, AnUnknownFieldIsNullAndLogged)
{
    addCustomer({QStringLiteral("甲"), QStringLiteral("こう"), 30});
    test::CapturedWarnings warnings;
    Recordset rs = db->openDynaset(QStringLiteral("顧客マスタ"));
    ASSERT_FALSE(rs.eof());
    EXPECT_TRUE(rs.field(QStringLiteral("ふりかな")).isNull());
    EXPECT_TRUE(warnings.said(QStringLiteral("ふりかな")));
    Query q = db->query(QStringLiteral("SELECT 名称 FROM 顧客マスタ"));
    ASSERT_TRUE(q.next());
    EXPECT_TRUE(q.value(QStringLiteral("名前")).isNull());
    EXPECT_TRUE(warnings.said(QStringLiteral("名前")));
    EXPECT_EQ(q.value(QStringLiteral("名称")).toString(), QStringLiteral("甲"));
}

} // namespace
