// The grid's model over wコードマスタ and the store behind the screen.
#include "CodeColumn.h"
#include "CodeMasterStore.h"
#include "CodeTableModel.h"
#include "Database.h"
#include "Query.h"
#include "TempData.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace rov2 {
namespace {

class CodeTableModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CodeMasterStore::resetWork(d.workFile()));
        ASSERT_TRUE(model.refresh());
    }
    QVariant stored(int row, const char* field) const
    {
        auto db = Database::open(d.workFile());
        EXPECT_TRUE(db);
        if (!db)
            return {};
        Query q = db->query(QStringLiteral("SELECT \"%1\" FROM wコードマスタ ORDER BY 行番号 LIMIT 1 OFFSET ?")
                                .arg(QString::fromUtf8(field)),
                            {row});
        EXPECT_TRUE(q.next());
        return q.value(0);
    }
    QModelIndex at(int row, int column) const { return model.index(row, column); }

    test::TempData d;
    CodeTableModel model{nullptr, d.workFile()};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(CodeTableModelTest, ShowsTheThirtyResetSlotsUnderTheirCaptions)
{
    ASSERT_EQ(model.rowCount(), 30);
    EXPECT_EQ(model.columnCount(), 6);
    EXPECT_EQ(model.headerData(codes::sname, Qt::Horizontal).toString(), QStringLiteral("名　　称"));
    EXPECT_EQ(model.headerData(codes::性別, Qt::Horizontal).toString(), QStringLiteral("性別"));
    EXPECT_EQ(at(29, codes::code).data().toString(), QStringLiteral("30"));
    EXPECT_EQ(at(0, codes::チェック).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(stored(0, "チェック").toInt(), 0);
    EXPECT_TRUE(model.flags(at(0, codes::sname)) & Qt::ItemIsEditable);
    for (int c : {codes::code, codes::性別, codes::Unbound})
        EXPECT_FALSE(model.flags(at(0, c)) & Qt::ItemIsEditable) << c;
}

TEST_F(CodeTableModelTest, AResetAfterAnotherStillGivesSlots01To30)
{
    ASSERT_TRUE(CodeMasterStore::resetWork(d.workFile()));
    ASSERT_TRUE(model.refresh());
    ASSERT_EQ(model.rowCount(), 30);
    for (int row = 0; row < 30; ++row)
        EXPECT_EQ(at(row, codes::code).data().toString(), CodeMasterStore::slotCode(row + 1));
}

struct MarkCase {
    const char* label;
    QVariant value;
    int role;
    bool accepted;
    int stored;
};

class MarkGuard : public CodeTableModelTest, public ::testing::WithParamInterface<MarkCase> {};

TEST_P(MarkGuard, TakesOnlyTrueOrFalse)
{
    ASSERT_TRUE(model.toggleMark(4)); // marked before the write
    ASSERT_EQ(stored(4, "チェック").toInt(), -1);
    EXPECT_EQ(model.setData(at(4, codes::チェック), GetParam().value, GetParam().role), GetParam().accepted);
    EXPECT_EQ(stored(4, "チェック").toInt(), GetParam().stored);
    EXPECT_EQ(at(4, codes::チェック).data(Qt::EditRole).toBool(), GetParam().stored != 0);
}

INSTANTIATE_TEST_SUITE_P(
    Values, MarkGuard,
    ::testing::Values(MarkCase{"True", QVariant(true), Qt::EditRole, true, -1},
                      MarkCase{"MinusOneText", QVariant(QStringLiteral("-1")), Qt::EditRole, true, -1},
                      MarkCase{"False", QVariant(false), Qt::EditRole, true, 0},
                      MarkCase{"Zero", QVariant(0), Qt::EditRole, true, 0},
                      MarkCase{"One", QVariant(1), Qt::EditRole, false, 0},
                      MarkCase{"Text", QVariant(QStringLiteral("x")), Qt::EditRole, false, 0},
                      MarkCase{"Checked", QVariant(int(Qt::Checked)), Qt::CheckStateRole, true, -1},
                      MarkCase{"Unchecked", QVariant(int(Qt::Unchecked)), Qt::CheckStateRole, true, 0}),
    [](const auto& row) { return std::string(row.param.label); });

TEST_F(CodeTableModelTest, AnEmptyNameIsStoredAsNull)
{
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    ASSERT_TRUE(model.setData(at(2, codes::sname), QStringLiteral("様")));
    EXPECT_EQ(stored(2, "sname").toString(), QStringLiteral("様"));
    EXPECT_TRUE(model.hasAnyName());
    ASSERT_TRUE(model.setData(at(2, codes::sname), QString()));
    EXPECT_TRUE(stored(2, "sname").isNull());
    EXPECT_FALSE(model.hasAnyName());
    EXPECT_EQ(changed.count(), 2);
}

TEST_F(CodeTableModelTest, AWriteThatFailsLeavesTheCellAsItWas)
{
    {
        auto db = Database::open(d.workFile());
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execute(QStringLiteral("DELETE FROM wコードマスタ WHERE code = '03'")));
    }
    EXPECT_FALSE(model.setData(at(2, codes::sname), QStringLiteral("消えた行")));
    EXPECT_TRUE(at(2, codes::sname).data().isNull());
}

TEST_F(CodeTableModelTest, SavingWithoutWorkRowsLeavesTheStoredListAlone)
{
    test::TempData other;
    {
        auto db = Database::open(d.workFile());
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execute(QStringLiteral("DELETE FROM wコードマスタ")));
    }
    EXPECT_EQ(CodeMasterStore::saveFromWork(other.dataFile(), d.workFile(), QStringLiteral("敬称")),
              CodeMasterStore::SaveResult::NoWorkRows);
    auto db = Database::open(other.dataFile());
    ASSERT_TRUE(db);
    EXPECT_EQ(db->count(QStringLiteral("SELECT count(*) AS num FROM コードマスタ WHERE kcode = '敬称' AND sname IS NOT NULL"))
                  .value_or(-1),
              7);
}

} // namespace
} // namespace rov2
