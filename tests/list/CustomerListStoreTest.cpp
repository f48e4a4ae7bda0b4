// The list's work with the files, below the screen: the filter texts,
// the family rows, a failed search and the deletion of marked customers.
#include "CodeList.h"
#include "CustomerListStore.h"
#include "Database.h"
#include "ListFixture.h"
#include "TestNames.h"

#include <QFile>

namespace rov2::test {
namespace {

struct MonthCase {
    const char* text;
    std::optional<int> month;
};

class BirthMonthText : public ::testing::TestWithParam<MonthCase> {};

TEST_P(BirthMonthText, ReadsOnlyNumbers)
{
    EXPECT_EQ(CustomerListStore::birthMonthOf(QString::fromUtf8(GetParam().text)), GetParam().month)
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, BirthMonthText,
                         ::testing::Values(MonthCase{"3", 3}, MonthCase{" 12 ", 12}, MonthCase{"３", 3},
                                           MonthCase{"2.5", 2}, MonthCase{"3.5", 4}, MonthCase{"", std::nullopt},
                                           MonthCase{"三月", std::nullopt}, MonthCase{"x", std::nullopt},
                                           MonthCase{"1e99", std::nullopt}),
                         FieldName<&MonthCase::text>());

class Store : public ListData {};

TEST_F(Store, AMarkedFamilyRowDeletesItsCustomerWithTheWholeFamily)
{
    addCustomer(QStringLiteral("山田　太郎"), QStringLiteral("やまだ たろう"));
    addMember(QStringLiteral("山田　太郎"), QStringLiteral("山田　花子"), QStringLiteral("やまだ はなこ"));
    addMember(QStringLiteral("山田　太郎"), QStringLiteral("山田　一郎"), QStringLiteral("やまだ いちろう"));
    addCustomer(QStringLiteral("青木　誠"), QStringLiteral("あおき まこと"));
    addMember(QStringLiteral("青木　誠"), QStringLiteral("青木　愛"), QStringLiteral("あおき あい"));
    ListFilter filter;
    filter.家族 = true;
    ASSERT_TRUE(CustomerListStore::buildList(d.dataFile(), d.workFile(), filter));
    auto work = Database::open(d.workFile());
    ASSERT_TRUE(work);
    ASSERT_TRUE(work->execute(QStringLiteral("UPDATE w顧客リスト SET チェック = -1 WHERE 氏名 = ?"),
                              {QStringLiteral("山田　花子")}));

    ASSERT_TRUE(CustomerListStore::deleteMarked(d.dataFile(), d.workFile()));
    EXPECT_EQ(count(d.dataFile(), QStringLiteral("SELECT count(*) AS num FROM 顧客マスタ WHERE 名称 = '山田　太郎'")), 0);
    EXPECT_EQ(count(d.dataFile(), QStringLiteral("SELECT count(*) AS num FROM 家族情報 WHERE 名称 = '山田　太郎'")), 0);
    EXPECT_EQ(count(d.dataFile(), QStringLiteral("SELECT count(*) AS num FROM 顧客マスタ")), 1);
    EXPECT_EQ(count(d.dataFile(), QStringLiteral("SELECT count(*) AS num FROM 家族情報")), 1);
}

TEST_F(Store, ASearchWithoutTheDataFileLeavesAnEmptyList)
{
    addCustomer(QStringLiteral("山田　太郎"), QStringLiteral("やまだ たろう"));
    ASSERT_TRUE(CustomerListStore::buildList(d.dataFile(), d.workFile(), {}));
    ASSERT_EQ(listed().size(), 1);
    ASSERT_TRUE(QFile::remove(d.dataFile()));
    EXPECT_FALSE(CustomerListStore::buildList(d.dataFile(), d.workFile(), {}));
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_FALSE(QFile::exists(d.dataFile())) << "no empty data file made by attaching it";
    const ListCounts n = CustomerListStore::counts(d.dataFile(), d.workFile());
    EXPECT_EQ(n.listed, 0);
    EXPECT_FALSE(n.customers.has_value());
}

// The screen shows the counts a refill gives; they must be those counted afterwards.
TEST_F(Store, TheCountsOfARefillAreThoseCountedAfterIt)
{
    addCustomer(QStringLiteral("山田　太郎"), QStringLiteral("やまだ たろう"));
    addMember(QStringLiteral("山田　太郎"), QStringLiteral("山田　花子"), QStringLiteral("やまだ はなこ"));
    addCustomer(QStringLiteral("青木　誠"), QStringLiteral("あおき まこと"));
    for (const bool family : {false, true}) {
        for (const QString& reading : {QString(), QStringLiteral("ヤマ")}) {
            ListFilter filter;
            filter.ふりがな = reading;
            filter.家族 = family;
            ListCounts n;
            ASSERT_TRUE(CustomerListStore::buildList(d.dataFile(), d.workFile(), filter, &n));
            const ListCounts counted = CustomerListStore::counts(d.dataFile(), d.workFile());
            EXPECT_EQ(n.listed, counted.listed) << family << reading.toStdString();
            EXPECT_EQ(n.customers, counted.customers);
            EXPECT_EQ(n.family, counted.family);
        }
    }
    ASSERT_TRUE(QFile::remove(d.dataFile()));
    ListCounts n;
    EXPECT_FALSE(CustomerListStore::buildList(d.dataFile(), d.workFile(), {}, &n));
    EXPECT_EQ(n.listed, 0);
    EXPECT_FALSE(n.customers.has_value());
}

TEST_F(Store, TheListsChoiceOfCodesFollowsTheirOrderAndSkipsEmptySlots)
{
    auto db = Database::open(d.dataFile());
    ASSERT_TRUE(db);
    ASSERT_TRUE(db->execute(QStringLiteral("UPDATE コードマスタ SET sname = ?, cnt = ? WHERE kcode = '区分1' AND code = ?"),
                            {QStringLiteral("会員"), 2, QStringLiteral("01")}));
    ASSERT_TRUE(db->execute(QStringLiteral("UPDATE コードマスタ SET sname = ?, cnt = ? WHERE kcode = '区分1' AND code = ?"),
                            {QStringLiteral("一般"), 1, QStringLiteral("05")}));
    db.reset();
    EXPECT_EQ(readCodeList(d.dataFile(), QStringLiteral("区分1")),
              (QStringList{QStringLiteral("一般"), QStringLiteral("会員")}));
}

} // namespace
} // namespace rov2::test
