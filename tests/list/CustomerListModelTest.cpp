// The list model over w顧客リスト: rows read a page at a time, marks written at once.
#include "CustomerListModel.h"
#include "Database.h"
#include "ListColumn.h"
#include "ListFixture.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

namespace rov2::test {
namespace {

class ListModel : public ListData {
protected:
    /// Fills the work table with @p n rows "顧客0001" ... straight away.
    void fillWork(int n)
    {
        auto work = Database::open(d.workFile());
        ASSERT_TRUE(work);
        Transaction tx(*work);
        ASSERT_TRUE(tx.active());
        for (int i = 1; i <= n; ++i)
            ASSERT_TRUE(work->execute(QStringLiteral("INSERT INTO w顧客リスト (名称, ふりがな, 氏名) VALUES (?, ?, ?)"),
                                      {QStringLiteral("顧客%1").arg(i, 4, 10, QLatin1Char('0')), QStringLiteral("よみ"),
                                       i % 3 == 0 ? QVariant(QStringLiteral("家族%1").arg(i)) : QVariant()}));
        ASSERT_TRUE(tx.commit());
    }
};

TEST_F(ListModel, ReadsEveryPageInTableOrder)
{
    const int n = CustomerListModel::kPageRows * (CustomerListModel::kKeptPages + 2) + 7;
    fillWork(n);
    CustomerListModel model(nullptr, d.workFile());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_TRUE(model.refresh());
    ASSERT_EQ(model.rowCount(), n);
    // Forwards past the pages kept, then back to the first page, which is read again.
    for (int row : {0, 255, 256, n / 2, n - 1, 1, CustomerListModel::kPageRows * 3 + 5}) {
        const int i = row + 1;
        EXPECT_EQ(model.index(row, listcol::名称).data().toString(), QStringLiteral("顧客%1").arg(i, 4, 10, QLatin1Char('0')));
        EXPECT_EQ(model.index(row, listcol::氏名).data(), i % 3 == 0 ? QVariant(QStringLiteral("家族%1").arg(i)) : QVariant());
    }
    for (int row = 0; row < n; row += 97)
        ASSERT_EQ(model.customerName(row), QStringLiteral("顧客%1").arg(row + 1, 4, 10, QLatin1Char('0')));
}

TEST_F(ListModel, AListWithGapsInItsRowIdsKeepsItsOrder)
{
    fillWork(CustomerListModel::kPageRows + 10);
    auto work = Database::open(d.workFile());
    ASSERT_TRUE(work);
    ASSERT_TRUE(work->execute(QStringLiteral("DELETE FROM w顧客リスト WHERE rowid IN (1, 5, 200, 258)")));
    work.reset();
    CustomerListModel model(nullptr, d.workFile());
    ASSERT_TRUE(model.refresh());
    ASSERT_EQ(model.rowCount(), CustomerListModel::kPageRows + 6);
    const QList<QPair<int, int>> shown = {{0, 2}, {3, 6}, {196, 199}, {197, 201}, {253, 257}, {254, 259},
                                          {model.rowCount() - 1, CustomerListModel::kPageRows + 10}};
    for (const auto& [row, number] : shown)
        EXPECT_EQ(model.customerName(row), QStringLiteral("顧客%1").arg(number, 4, 10, QLatin1Char('0'))) << row;
    EXPECT_TRUE(model.setMarked(254, true));
    EXPECT_EQ(count(d.workFile(), QStringLiteral("SELECT count(*) AS num FROM w顧客リスト WHERE チェック <> 0 AND 名称 = ?"),
                    {QStringLiteral("顧客0259")}),
              1);
}

TEST_F(ListModel, ATickIsInTheWorkTableAtOnceAndOnlyTheCheckColumnTakesOne)
{
    fillWork(600);
    CustomerListModel model(nullptr, d.workFile());
    ASSERT_TRUE(model.refresh());
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    EXPECT_TRUE(model.setData(model.index(500, listcol::チェック), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(changed.size(), 1);
    EXPECT_FALSE(model.setData(model.index(500, listcol::名称), QStringLiteral("別名"), Qt::EditRole));
    EXPECT_FALSE(model.setData(model.index(500, listcol::チェック), Qt::Checked, Qt::EditRole));
    EXPECT_FALSE(model.flags(model.index(0, listcol::名称)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.flags(model.index(0, listcol::チェック)) & Qt::ItemIsUserCheckable);
    EXPECT_EQ(count(d.workFile(), QStringLiteral("SELECT count(*) AS num FROM w顧客リスト WHERE チェック = -1")), 1);
    EXPECT_EQ(count(d.workFile(), QStringLiteral("SELECT count(*) AS num FROM w顧客リスト WHERE チェック = -1 AND 名称 = ?"),
                    {QStringLiteral("顧客0501")}),
              1);
    EXPECT_EQ(model.index(500, listcol::チェック).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_TRUE(model.setData(model.index(500, listcol::チェック), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(count(d.workFile(), QStringLiteral("SELECT count(*) AS num FROM w顧客リスト WHERE チェック <> 0")), 0);
}

TEST_F(ListModel, AMarkThatCannotBeStoredIsNotShown)
{
    fillWork(3);
    CustomerListModel model(nullptr, d.workFile());
    ASSERT_TRUE(model.refresh());
    auto work = Database::open(d.workFile());
    ASSERT_TRUE(work);
    ASSERT_TRUE(work->execute(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON w顧客リスト "
                                             "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    work.reset();
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    EXPECT_FALSE(model.setData(model.index(1, listcol::チェック), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(model.index(1, listcol::チェック).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_TRUE(changed.isEmpty());
}

TEST_F(ListModel, AMissingWorkFileGivesAnEmptyList)
{
    CustomerListModel model(nullptr, d.folder() + QStringLiteral("nowhere.mdb"));
    EXPECT_FALSE(model.refresh());
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_TRUE(model.customerName(0).isEmpty());
}

} // namespace
} // namespace rov2::test
