#include "Database.h"
#include "DateBox.h"
#include "FamilyColumn.h"
#include "FamilyGridDelegate.h"
#include "FamilyGridView.h"
#include "FamilyTableModel.h"
#include "GridFixture.h"
#include "InputMethod.h"
#include "JapaneseDate.h"
#include "Query.h"
#include "RelationshipDropDown.h"
#include "SexPickList.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace rov2::test {
namespace {

using namespace rov2::family;

class FamilyGridTest : public GridFixture
{
protected:
    QWidget* editor() const { return grid->Grid家族->currentEditor(); }

    void clickListEntry(QAbstractItemView* list, int row, bool twice) const
    {
        const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
        if (twice)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        else
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    }

    int codeRows(const QString& name, QString* sex = nullptr) const
    {
        auto db = Database::open(d.dataFile());
        if (!db) {
            ADD_FAILURE() << "the database could not be opened";
            return {};
        }
        Query q = db->query(
            QStringLiteral("SELECT 性別 FROM コードマスタ WHERE kcode = '続柄' AND sname = ?"), {name});
        int n = 0;
        while (q.next()) {
            ++n;
            if (sex)
                *sex = q.value(0).toString();
        }
        return n;
    }
};

// --- typing, Enter and the focus ---------------------------------------------

TEST_F(FamilyGridTest, TypingIntoACellStoresItAndEnterMovesToTheNextColumn)
{
    clickCell(2, 氏名);
    type(QStringLiteral("山田花子"));
    ASSERT_TRUE(editor()) << "typing starts editing";
    key(Qt::Key_Return);
    EXPECT_EQ(stored(2, "氏名").toString(), "山田花子");
    EXPECT_TRUE(stored(1, "氏名").isNull());
    EXPECT_TRUE(stored(3, "氏名").isNull());
    EXPECT_EQ(currentRow(), 2);
    EXPECT_EQ(currentColumn(), ふりがな);
    EXPECT_FALSE(editor());

    // Typing over a filled cell replaces its text.
    goTo(2, 氏名);
    type(QStringLiteral("佐藤"));
    key(Qt::Key_Return);
    EXPECT_EQ(stored(2, "氏名").toString(), "佐藤");
}

TEST_F(FamilyGridTest, KeysTypedRightAfterAClickReachTheCell)
{
    clickCell(2, 氏名);
    // All three keys reach the grid, as keys already on their way when its editor opens do.
    QTest::keyClicks(grid->Grid家族, QStringLiteral("Web"));
    key(Qt::Key_Return);
    EXPECT_EQ(stored(2, "氏名").toString(), "Web");
}

TEST_F(FamilyGridTest, ACellEmptiedInTheEditorIsStoredAsNull)
{
    work(QStringLiteral("UPDATE w家族情報 SET 勤務先 = ? WHERE rowid = (SELECT MIN(rowid) FROM w家族情報)"),
         {"商店"});
    grid->refresh();
    goTo(0, 勤務先);
    key(Qt::Key_F2);
    ASSERT_TRUE(editor());
    key(Qt::Key_A, Qt::ControlModifier);
    key(Qt::Key_Backspace);
    key(Qt::Key_Return);
    const QVariant v = stored(0, "勤務先");
    EXPECT_TRUE(v.isNull()) << v.toString().toStdString();
}

TEST_F(FamilyGridTest, EnterInMemoGoesToTheNameOfTheNextRow)
{
    goTo(0, 勤務先);
    type(QStringLiteral("会社"));
    key(Qt::Key_Return);
    EXPECT_EQ(currentColumn(), メモ);
    type(QStringLiteral("覚え"));
    key(Qt::Key_Return);
    EXPECT_EQ(stored(0, "メモ").toString(), "覚え");
    EXPECT_EQ(currentRow(), 1);
    EXPECT_EQ(currentColumn(), 氏名); // the hidden 名称 column is skipped

    // Without an edit as well; on the last row the cursor stays on that row.
    goTo(9, メモ);
    key(Qt::Key_Return);
    EXPECT_EQ(currentRow(), 9);
    EXPECT_EQ(currentColumn(), 氏名);
}

TEST_F(FamilyGridTest, TabAndArrowsCommitTheEditAndMove)
{
    goTo(0, 氏名);
    type(QStringLiteral("一郎"));
    key(Qt::Key_Tab);
    EXPECT_EQ(stored(0, "氏名").toString(), "一郎");
    EXPECT_EQ(currentColumn(), ふりがな);
    EXPECT_FALSE(editor());

    type(QStringLiteral("いちろう"));
    key(Qt::Key_Down);
    EXPECT_EQ(stored(0, "ふりがな").toString(), "いちろう");
    EXPECT_EQ(currentRow(), 1);
    EXPECT_EQ(currentColumn(), ふりがな);
}

TEST_F(FamilyGridTest, LeavingTheGridMidEditStoresTheHalfTypedCell)
{
    clickCell(0, 氏名);
    type(QStringLiteral("山田"));
    ASSERT_TRUE(editor());
    QTest::mouseClick(other, Qt::LeftButton);
    EXPECT_EQ(stored(0, "氏名").toString(), "山田");
    EXPECT_FALSE(editor());

    // The save of the customer asks for the pending edit directly (F5 moves no focus).
    clickCell(1, 携帯電話);
    type(QStringLiteral("090"));
    EXPECT_TRUE(grid->commitPendingEdit());
    EXPECT_EQ(stored(1, "携帯電話").toString(), "090");
    EXPECT_FALSE(grid->commitPendingEdit());
}

TEST_F(FamilyGridTest, InputMethodFollowsTheCurrentColumn)
{
    for (int c : {Email, 携帯電話, 生年月日, 年齢}) {
        goTo(0, c);
        EXPECT_EQ(imeOpenSetting(grid->Grid家族), std::optional<bool>(false)) << c;
        EXPECT_FALSE(grid->Grid家族->inputMethodQuery(Qt::ImEnabled).toBool()) << c;
    }
    for (int c : {氏名, ふりがな, 続柄, 誕生月, 勤務先, メモ}) {
        goTo(0, c);
        EXPECT_EQ(imeOpenSetting(grid->Grid家族), std::optional<bool>(true)) << c;
    }
    goTo(0, 携帯電話);
    type(QStringLiteral("0"));
    ASSERT_TRUE(editor());
    EXPECT_FALSE(editor()->inputMethodQuery(Qt::ImEnabled).toBool());
    key(Qt::Key_Escape);
    goTo(0, 勤務先);
    type(QStringLiteral("a"));
    ASSERT_TRUE(editor());
    EXPECT_TRUE(editor()->inputMethodQuery(Qt::ImEnabled).toBool());
}

// --- 性別 and its pick list -----------------------------------------------------

TEST_F(FamilyGridTest, TypingIntoTheSexCellChangesNothing)
{
    goTo(3, 性別);
    type(QStringLiteral("男a"));
    EXPECT_TRUE(stored(3, "性別").isNull());
    EXPECT_FALSE(editor());
    EXPECT_FALSE(grid->Lst性別->isVisible());
    EXPECT_EQ(currentRow(), 3);
    EXPECT_EQ(currentColumn(), 性別);
}

TEST_F(FamilyGridTest, AClickOpensTheSexListBesideTheCellAndADoubleClickStoresAndMovesOn)
{
    clickCell(1, 性別);
    ASSERT_TRUE(grid->Lst性別->isVisible());
    EXPECT_TRUE(grid->Lst性別->hasFocus());
    const QPoint cellRight = grid->Grid家族->viewport()->mapTo(grid, cellRect(1, 性別).topRight());
    EXPECT_GT(grid->Lst性別->x(), cellRight.x());
    EXPECT_EQ(grid->Lst性別->y(), cellRight.y());
    ASSERT_EQ(grid->Lst性別->count(), 3);
    EXPECT_EQ(grid->Lst性別->item(2)->text(), "");

    clickListEntry(grid->Lst性別, 1, true);
    EXPECT_EQ(stored(1, "性別").toString(), "男");
    EXPECT_FALSE(grid->Lst性別->isVisible());
    EXPECT_TRUE(grid->Grid家族->hasFocus());
    EXPECT_EQ(currentRow(), 1);
    EXPECT_EQ(currentColumn(), Email);
}

TEST_F(FamilyGridTest, EnterInTheSexListStoresItsEntryAndTheEmptyEntryClearsTheCell)
{
    goTo(0, 性別);
    key(Qt::Key_F2);
    ASSERT_TRUE(grid->Lst性別->isVisible());
    grid->Lst性別->setCurrentRow(0);
    key(Qt::Key_Return);
    EXPECT_EQ(stored(0, "性別").toString(), "女");
    EXPECT_FALSE(grid->Lst性別->isVisible());
    EXPECT_EQ(currentColumn(), 性別);

    key(Qt::Key_F4); // opens on the entry the cell holds
    ASSERT_TRUE(grid->Lst性別->isVisible());
    EXPECT_EQ(grid->Lst性別->currentRow(), 0);
    grid->Lst性別->setCurrentRow(2);
    key(Qt::Key_Return);
    EXPECT_TRUE(stored(0, "性別").isNull());

    // Losing the focus only hides the list.
    clickCell(0, 性別);
    ASSERT_TRUE(grid->Lst性別->isVisible());
    QTest::mouseClick(other, Qt::LeftButton);
    EXPECT_FALSE(grid->Lst性別->isVisible());
    EXPECT_TRUE(stored(0, "性別").isNull());
}

// --- 続柄 and its drop-down ----------------------------------------------------

TEST_F(FamilyGridTest, PickingARelationshipSetsItsSex)
{
    setRelationships({{"長男", "男"}, {"長女", "女"}});
    clickCell(1, 続柄); // away from the button: just the cell
    EXPECT_FALSE(grid->DD続柄->isVisible());
    QTest::mouseClick(grid->Grid家族->viewport(), Qt::LeftButton, {},
                      FamilyGridDelegate::buttonRect(cellRect(1, 続柄)).center());
    ASSERT_TRUE(grid->DD続柄->isVisible());
    ASSERT_EQ(grid->DD続柄->topLevelItemCount(), 2);
    EXPECT_EQ(grid->DD続柄->topLevelItem(1)->text(1), "女");

    clickListEntry(grid->DD続柄, 1, false);
    EXPECT_EQ(stored(1, "続柄").toString(), "長女");
    EXPECT_EQ(stored(1, "性別").toString(), "女");
    EXPECT_FALSE(grid->DD続柄->isVisible());
    EXPECT_TRUE(grid->Grid家族->hasFocus());

    // From the keyboard, on a relationship added after the first opening.
    setRelationships({{"長男", "男"}, {"長女", "女"}, {"次男", "男"}});
    goTo(2, 続柄);
    key(Qt::Key_Down, Qt::AltModifier);
    ASSERT_EQ(grid->DD続柄->topLevelItemCount(), 3);
    key(Qt::Key_End);
    key(Qt::Key_Return);
    EXPECT_EQ(stored(2, "続柄").toString(), "次男");
    EXPECT_EQ(stored(2, "性別").toString(), "男");
}

TEST_F(FamilyGridTest, TextTypedBeforeOpeningTheDropDownSurvivesItsDismissal)
{
    setRelationships({{"長男", "男"}});
    goTo(0, 続柄);
    type(QStringLiteral("義"));
    key(Qt::Key_F4);
    ASSERT_TRUE(grid->DD続柄->isVisible());
    ASSERT_TRUE(editor()) << "the edit waits for the list";
    key(Qt::Key_Escape);
    EXPECT_FALSE(grid->DD続柄->isVisible());
    type(QStringLiteral("兄"));
    key(Qt::Key_Return);
    EXPECT_EQ(stored(0, "続柄").toString(), "義兄");

    // Leaving the screen while the list is open stores the text as well.
    goTo(1, 続柄);
    type(QStringLiteral("叔"));
    key(Qt::Key_F4);
    QTest::mouseClick(other, Qt::LeftButton);
    EXPECT_EQ(stored(1, "続柄").toString(), "叔");
}

TEST_F(FamilyGridTest, ANewRelationshipJoinsTheCodeListOnlyWhenTheSettingIsOn)
{
    QSignalSpy changed(grid, &FamilyGrid::relationshipsChanged);
    goTo(0, 続柄);
    type(QStringLiteral("従兄"));
    key(Qt::Key_Return);
    EXPECT_EQ(stored(0, "続柄").toString(), "従兄");
    EXPECT_EQ(codeRows(QStringLiteral("従兄")), 0);
    EXPECT_EQ(changed.count(), 0);

    settings.続柄登録 = true;
    goTo(1, 性別);
    key(Qt::Key_F4);
    grid->Lst性別->setCurrentRow(1);
    key(Qt::Key_Return);
    goTo(1, 続柄);
    type(QStringLiteral("義兄"));
    key(Qt::Key_Return);
    QString sex;
    EXPECT_EQ(codeRows(QStringLiteral("義兄"), &sex), 1);
    EXPECT_EQ(sex, "男");
    EXPECT_GE(changed.count(), 1);

    // A pick stores 続柄 and 性別 together: the text the cell held before is not registered.
    setRelationships({{"長女", "女"}});
    work(QStringLiteral("UPDATE w家族情報 SET 続柄 = ? WHERE rowid = (SELECT MAX(rowid) FROM w家族情報)"),
         {"叔"});
    grid->refresh();
    goTo(9, 続柄);
    key(Qt::Key_F4);
    key(Qt::Key_Return);
    EXPECT_EQ(stored(9, "続柄").toString(), "長女");
    EXPECT_EQ(codeRows(QStringLiteral("叔")), 0);

    // An empty relationship adds nothing.
    changed.clear();
    goTo(2, 性別);
    key(Qt::Key_F4);
    key(Qt::Key_Return);
    EXPECT_EQ(changed.count(), 0);
}

// --- 生年月日 and 年齢 -----------------------------------------------------------

TEST_F(FamilyGridTest, LettersAsABirthDateLeaveTheCellEmpty)
{
    work(QStringLiteral(
             "UPDATE w家族情報 SET 生年月日 = ?, 年齢 = ? WHERE rowid = (SELECT MIN(rowid) FROM w家族情報)"),
         {"1990/01/01", 30});
    grid->refresh();
    goTo(0, 生年月日);
    type(QStringLiteral("abc"));
    ASSERT_TRUE(qobject_cast<DateBox*>(editor()));
    key(Qt::Key_Return);
    EXPECT_TRUE(stored(0, "生年月日").isNull());
    EXPECT_EQ(stored(0, "年齢").toInt(), 30);
    EXPECT_TRUE(grid->dat家族->index(0, 生年月日).data().isNull());
}

TEST_F(FamilyGridTest, AValidBirthDateIsStoredAndGivesTheAge)
{
    Clock::setToday(QDate(2001, 6, 15));
    goTo(0, 生年月日);
    type(QStringLiteral("1960/12/31"));
    key(Qt::Key_Return);
    EXPECT_EQ(stored(0, "生年月日").toString(), "1960/12/31");
    EXPECT_EQ(stored(0, "年齢").toInt(), 40);

    goTo(1, 生年月日);
    type(QStringLiteral("19600615"));
    key(Qt::Key_Return);
    EXPECT_EQ(stored(1, "生年月日").toString(), "1960/06/15");
    EXPECT_EQ(stored(1, "年齢").toInt(), 41);

    // The age can be typed over.
    goTo(1, 年齢);
    type(QStringLiteral("45"));
    key(Qt::Key_Return);
    EXPECT_EQ(stored(1, "年齢").toInt(), 45);
}

TEST_F(FamilyGridTest, EraCalendarShowsTheDateInEraFormInTheCellAndItsEditor)
{
    grid->setEraCalendar(true);
    goTo(0, 生年月日);
    type(QStringLiteral("H13/8/8"));
    key(Qt::Key_Return);
    EXPECT_EQ(stored(0, "生年月日").toString(), "2001/08/08");
    EXPECT_EQ(grid->dat家族->index(0, 生年月日).data().toString(), "H13/08/08");
    goTo(0, 生年月日);
    key(Qt::Key_F2);
    auto* box = qobject_cast<DateBox*>(editor());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->objectName(), "dt家族生年月日");
    EXPECT_EQ(box->text(), "平成13年08月08日");
}

} // namespace
} // namespace rov2::test
