#include "FindTrueRecord.h"
#include "TestNames.h"

#include "Database.h"
#include "QtPrinters.h"
#include "Recordset.h"
#include "TempData.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace rov2 {
namespace {

const QString kTable = QStringLiteral("w顧客リスト");
const QString kMark = QStringLiteral("チェック");

struct MarkRow
{
    const char* name;
    QVariantList marks; ///< チェック of each row, in order
    int found;
    QString positionedOn; ///< 名称 of the row found
};

void PrintTo(const MarkRow& r, std::ostream* os)
{
    *os << r.name;
}

class FindTrueRecordTest : public ::testing::TestWithParam<MarkRow>
{
protected:
    void SetUp() override
    {
        auto db = Database::open(data_.workFile());
        ASSERT_TRUE(db);
        const QVariantList& marks = GetParam().marks;
        for (int i = 0; i < marks.size(); ++i) {
            ASSERT_TRUE(db->execute(QStringLiteral("insert into w顧客リスト (チェック, 名称) values (?, ?)"),
                                    {marks.at(i), QStringLiteral("客%1").arg(i)}));
        }
    }
    test::TempData data_;
};

TEST_P(FindTrueRecordTest, FindsTheFirstMarkedRow)
{
    EXPECT_EQ(FindTrueRecord(data_.workFile(), kTable, kMark), GetParam().found);
    auto db = Database::open(data_.workFile());
    ASSERT_TRUE(db);
    Recordset rs = db->openDynaset(kTable);
    EXPECT_EQ(FindTrueRecord(rs, kMark), GetParam().found);
    if (GetParam().found) {
        EXPECT_EQ(rs.field(QStringLiteral("名称")).toString(), GetParam().positionedOn);
    }
}

const QVariant kNull;

INSTANTIATE_TEST_SUITE_P(
    FindTrueRecord, FindTrueRecordTest,
    ::testing::Values(MarkRow{"empty table", {}, 0, {}}, MarkRow{"none marked", {false, false, 0}, 0, {}},
                      MarkRow{"Null is not marked", {kNull, kNull}, 0, {}},
                      MarkRow{"one marked", {false, false, true, false}, 1, QStringLiteral("客2")},
                      MarkRow{"first of several", {kNull, true, true}, 1, QStringLiteral("客1")},
                      MarkRow{"stored -1", {0, -1}, 1, QStringLiteral("客1")}), ::rov2::test::PrintedName());

TEST(FindTrueRecord, WhatCannotBeReadFindsNothing)
{
    test::TempData data;
    const QString missing = data.path(QStringLiteral("none.mdb"));
    EXPECT_EQ(FindTrueRecord(missing, kTable, kMark), 0);
    EXPECT_FALSE(QFileInfo::exists(missing)) << "looking must not create the file";
    EXPECT_EQ(FindTrueRecord(data.workFile(), QStringLiteral("w無い表"), kMark), 0);
    EXPECT_EQ(FindTrueRecord(data.workFile(), kTable, QStringLiteral("無い欄")), 0);
}

} // namespace
} // namespace rov2
