#include "FamilyTableModel.h"

#include "Database.h"
#include "FamilyColumn.h"
#include "JapaneseDate.h"
#include "CompanySettings.h"
#include "Query.h"
#include "TempData.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace rov2 {
namespace {

using namespace rov2::family;

class FamilyTableModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(model.refresh());
    }
    void TearDown() override { Clock::setToday(QDate()); }

    QVariant stored(int row, int column) const
    {
        auto db = Database::open(d.workFile());
        if (!db) {
            ADD_FAILURE() << "the database could not be opened";
            return {};
        }
        Query q = db->query(QStringLiteral("SELECT \"%1\" FROM w家族情報 ORDER BY rowid LIMIT 1 OFFSET ?")
                                .arg(fieldName(column)),
                            {row});
        EXPECT_TRUE(q.next());
        return q.value(0);
    }
    QModelIndex at(int row, int column) const { return model.index(row, column); }

    test::TempData d;
    CompanySettings settings;
    FamilyTableModel model{nullptr, d.workFile(), settings};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(FamilyTableModelTest, ShowsEveryRowOfTheWorkTableUnderTheFieldCaptions)
{
    EXPECT_EQ(model.rowCount(), 10);
    EXPECT_EQ(model.columnCount(), 12);
    const QStringList captions = {"名称",     "氏名",     "ふりがな", "続柄", "性別",   "Email",
                                  "携帯電話", "生年月日", "誕生月",   "年齢", "勤務先", "メモ"};
    for (int c = 0; c < captions.size(); ++c)
        EXPECT_EQ(model.headerData(c, Qt::Horizontal).toString(), captions.at(c));

    // A family of more than ten members, as the record routines may copy in.
    auto db = Database::open(d.workFile());
    ASSERT_TRUE(db);
    ASSERT_TRUE(
        db->execute(QStringLiteral("INSERT INTO w家族情報 (氏名) VALUES (?), (?)"), {"十一", "十二"}));
    ASSERT_TRUE(model.refresh());
    EXPECT_EQ(model.rowCount(), 12);
    EXPECT_EQ(at(11, 氏名).data().toString(), "十二");
    EXPECT_TRUE(at(0, 氏名).data().isNull());
}

TEST_F(FamilyTableModelTest, StoresOneCellAtOnceAndEmptyTextAsNull)
{
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    ASSERT_TRUE(model.setData(at(2, 氏名), QStringLiteral(" 山田 花子")));
    EXPECT_EQ(stored(2, 氏名).toString(), " 山田 花子"); // kept exactly as typed
    EXPECT_TRUE(stored(1, 氏名).isNull());
    EXPECT_TRUE(stored(3, 氏名).isNull());
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toModelIndex(), at(2, 氏名));

    ASSERT_TRUE(model.setData(at(2, 氏名), QString()));
    const QVariant cleared = stored(2, 氏名);
    EXPECT_TRUE(cleared.isNull()) << cleared.toString().toStdString();
    EXPECT_TRUE(at(2, 氏名).data().isNull());
}

TEST_F(FamilyTableModelTest, AFailedWriteIsReportedAndLeavesTheCellAsItWas)
{
    ASSERT_TRUE(model.setData(at(0, メモ), QStringLiteral("前")));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy storedSpy(&model, &FamilyTableModel::valueStored);

    // The table was rewritten with fewer rows behind the model's back.
    auto db = Database::open(d.workFile());
    ASSERT_TRUE(db->execute(
        QStringLiteral("DELETE FROM w家族情報 WHERE rowid = (SELECT MIN(rowid) FROM w家族情報)")));
    EXPECT_FALSE(model.setData(at(0, メモ), QStringLiteral("後")));

    db.reset();
    ASSERT_TRUE(QFile::remove(d.workFile()));
    EXPECT_FALSE(model.setData(at(1, メモ), QStringLiteral("後")));

    EXPECT_EQ(at(0, メモ).data().toString(), "前");
    EXPECT_TRUE(at(1, メモ).data().isNull());
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(storedSpy.count(), 0);
    EXPECT_FALSE(model.refresh());
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(FamilyTableModelTest, SexAndNameColumnsAreNotEditableByTheView)
{
    EXPECT_FALSE(at(0, 性別).flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(at(0, 名称).flags() & Qt::ItemIsEditable);
    for (int c : {氏名, ふりがな, 続柄, Email, 携帯電話, 生年月日, 誕生月, 年齢, 勤務先, メモ})
        EXPECT_TRUE(at(0, c).flags() & Qt::ItemIsEditable) << c;
    // The pick list stores through the model all the same.
    EXPECT_TRUE(model.setData(at(0, 性別), QStringLiteral("女")));
    EXPECT_EQ(stored(0, 性別).toString(), "女");
}

TEST_F(FamilyTableModelTest, BirthDateIsStoredAsTextAndSetsTheAgeOnToday)
{
    Clock::setToday(QDate(2001, 6, 15));
    ASSERT_TRUE(model.setData(at(0, 生年月日), QDate(1960, 12, 31)));
    EXPECT_EQ(stored(0, 生年月日).toString(), "1960/12/31");
    EXPECT_EQ(stored(0, 年齢).toInt(), 40);

    // Born on today's month and day: the birthday itself counts.
    ASSERT_TRUE(model.setData(at(1, 生年月日), QStringLiteral("S35/6/15")));
    EXPECT_EQ(stored(1, 生年月日).toString(), "1960/06/15");
    EXPECT_EQ(stored(1, 年齢).toInt(), 41);

    // Recomputed on every change of the date.
    ASSERT_TRUE(model.setData(at(1, 生年月日), QStringLiteral("1970/06/16")));
    EXPECT_EQ(stored(1, 年齢).toInt(), 30);
    EXPECT_EQ(at(1, 年齢).data().toInt(), 30);

    // Removing the date leaves the age.
    ASSERT_TRUE(model.setData(at(1, 生年月日), QVariant()));
    EXPECT_TRUE(stored(1, 生年月日).isNull());
    EXPECT_EQ(stored(1, 年齢).toInt(), 30);
    EXPECT_TRUE(stored(1, 誕生月).isNull()); // left to the save of the customer
}

TEST_F(FamilyTableModelTest, ANonDateOrNonNumberEmptiesTheCellAndIsRefused)
{
    Clock::setToday(QDate(2001, 6, 15));
    ASSERT_TRUE(model.setData(at(0, 生年月日), QStringLiteral("1990/01/01")));
    QSignalSpy storedSpy(&model, &FamilyTableModel::valueStored);

    EXPECT_FALSE(model.setData(at(0, 生年月日), QStringLiteral("abc")));
    EXPECT_TRUE(stored(0, 生年月日).isNull());
    EXPECT_EQ(stored(0, 年齢).toInt(), 11); // the store was cancelled: no new age
    EXPECT_FALSE(model.setData(at(0, 生年月日), QStringLiteral("2001/02/30")));

    ASSERT_TRUE(model.setData(at(0, 年齢), QStringLiteral("42")));
    EXPECT_EQ(stored(0, 年齢), QVariant(qlonglong(42)));
    EXPECT_FALSE(model.setData(at(0, 年齢), QStringLiteral("四十")));
    EXPECT_TRUE(stored(0, 年齢).isNull());
    EXPECT_EQ(storedSpy.count(), 1);
}

TEST_F(FamilyTableModelTest, BirthDateIsShownInTheCalendarOfTheSetting)
{
    ASSERT_TRUE(model.setData(at(0, 生年月日), QDate(2001, 8, 8)));
    EXPECT_EQ(at(0, 生年月日).data().toString(), "2001/08/08");
    settings.年号 = QStringLiteral("和暦");
    EXPECT_EQ(at(0, 生年月日).data().toString(), "H13/08/08");
    model.setEraCalendar(false); // the screen's own choice wins over the setting
    EXPECT_EQ(at(0, 生年月日).data().toString(), "2001/08/08");
    EXPECT_EQ(at(0, 生年月日).data(Qt::EditRole).toDate(), QDate(2001, 8, 8));
}

} // namespace
} // namespace rov2
