// The customer screen's inputs, lists, keys and leave checks, driven through
// the real widgets offscreen.
#include "ComboBox.h"
#include "TestNames.h"
#include "Database.h"
#include "DateBox.h"
#include "FindControl.h"
#include "InputMethod.h"
#include "JapaneseDate.h"
#include "NumberBox.h"
#include "ScreenFixture.h"
#include "TextBox.h"

#include <QApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <ostream>

namespace rov2::test {
namespace {

using CustomerScreen = ScreenFixture;

void addCustomers(const QString& dataFile, int n)
{
    auto db = Database::open(dataFile);
    ASSERT_TRUE(db);
    Transaction tx(*db);
    for (int i = 0; i < n; ++i)
        ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO 顧客マスタ (名称) VALUES (?)"), {QStringLiteral("客%1").arg(i)}));
    ASSERT_TRUE(tx.commit());
}

TEST_F(CustomerScreen, CountShowsThousandsNothingForNoneAndAColonWithoutAFile)
{
    EXPECT_EQ(frm->LblEntNum()->text(), QStringLiteral("登録数 "));
    addCustomers(d.dataFile(), 1234);
    frm->Clear顧客情報画面();
    EXPECT_EQ(frm->LblEntNum()->text(), QStringLiteral("登録数 1,234"));
    env().locations.dataFile = d.path(QStringLiteral("none.mdb"));
    frm->Clear顧客情報画面();
    EXPECT_EQ(frm->LblEntNum()->text(), QStringLiteral("登録数:"));
}

TEST_F(CustomerScreen, ATooLongNameIsCutWithABeepAndKeepsTheFocus)
{
    const QString twenty = QStringLiteral("あいうえおかきくけこさしすせそたちつてと");
    storeCustomer({{QStringLiteral("名称"), twenty}, {QStringLiteral("TEL1"), QStringLiteral("03-1111-2222")}});
    type(frm->cmb顧客名(), twenty + QStringLiteral("な"));
    frm->txtTEL1()->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(frm->cmb顧客名()->text(), twenty);
    EXPECT_EQ(dialogs.beeps(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->cmb顧客名()->hasFocus(); }));
    EXPECT_EQ(frm->txtTEL1()->text(), QString()) << "nothing was read";

    // The same name at 20 characters is read when the box is left.
    frm->txtTEL1()->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(frm->txtTEL1()->text(), QStringLiteral("03-1111-2222"));
    EXPECT_EQ(dialogs.beeps(), 1);
}

TEST_F(CustomerScreen, LeavingTheNameEmptyClearsTheInputsButNotTheFamily)
{
    {
        auto work = Database::open(d.workFile());
        ASSERT_TRUE(work->execute(QStringLiteral("UPDATE w家族情報 SET 氏名 = ? WHERE rowid = (SELECT min(rowid) FROM w家族情報)"),
                      {QStringLiteral("残る家族")}));
    }
    frm->txtTEL1()->setText(QStringLiteral("099"));
    frm->txt印刷名()->setText(QStringLiteral("印刷"));
    leave(frm->cmb顧客名(), frm->cmb敬称());
    EXPECT_EQ(frm->txtTEL1()->text(), QString());
    EXPECT_EQ(frm->txt印刷名()->text(), QString());
    EXPECT_EQ(count(d.workFile(), QStringLiteral("SELECT count(*) AS num FROM w家族情報 WHERE 氏名 = ?"),
                    {QStringLiteral("残る家族")}),
              1);
}

TEST_F(CustomerScreen, ANewHonorificIsAddedOnlyWithTheSettingOn)
{
    const QString sql = QStringLiteral("SELECT count(*) AS num FROM コードマスタ WHERE kcode = '敬称' AND sname = ?");
    env().settings.敬称登録 = false;
    type(frm->cmb敬称(), QStringLiteral("御主人"));
    leave(frm->cmb敬称(), frm->txtTEL1());
    EXPECT_EQ(count(d.dataFile(), sql, {QStringLiteral("御主人")}), 0);
    EXPECT_EQ(frm->cmb敬称()->text(), QStringLiteral("御主人"));

    env().settings.敬称登録 = true;
    leave(frm->cmb敬称(), frm->txtTEL1());
    EXPECT_EQ(count(d.dataFile(), sql, {QStringLiteral("御主人")}), 1);
    EXPECT_EQ(frm->cmb敬称()->text(), QStringLiteral("御主人")) << "the typed text stays in the box";
    EXPECT_NE(frm->cmb敬称()->findText(QStringLiteral("御主人")), -1) << "and the list offers it";
}

TEST_F(CustomerScreen, ACategoryIsAddedWithItsFlag)
{
    const QString sql = QStringLiteral("SELECT count(*) AS num FROM コードマスタ WHERE kcode = ? AND sname = ?");
    env().settings.区分登録1 = true;
    env().settings.区分登録2 = false;
    type(frm->cmb区分1(), QStringLiteral("常連"));
    leave(frm->cmb区分1(), frm->cmb区分2());
    type(frm->cmb区分2(), QStringLiteral("新規"));
    leave(frm->cmb区分2(), frm->dt生年月日());
    EXPECT_EQ(count(d.dataFile(), sql, {QStringLiteral("区分1"), QStringLiteral("常連")}), 1);
    EXPECT_EQ(count(d.dataFile(), sql, {QStringLiteral("区分2"), QStringLiteral("新規")}), 0);
    EXPECT_EQ(frm->cmb区分1()->text(), QStringLiteral("常連"));
    EXPECT_EQ(frm->cmb区分2()->text(), QStringLiteral("新規"));
}

TEST_F(CustomerScreen, RebuildingAllListsKeepsOnlyTheCategoryTexts)
{
    frm->cmb区分1()->setText(QStringLiteral("甲"));
    frm->cmb区分2()->setText(QStringLiteral("乙"));
    frm->cmb敬称()->setText(QStringLiteral("様"));
    frm->cmb顧客名()->setText(QStringLiteral("誰か"));
    frm->SetComb(CustomerComb::すべて);
    EXPECT_EQ(frm->cmb区分1()->text(), QStringLiteral("甲"));
    EXPECT_EQ(frm->cmb区分2()->text(), QStringLiteral("乙"));
    EXPECT_EQ(frm->cmb敬称()->text(), QString());
    EXPECT_EQ(frm->cmb顧客名()->text(), QString());
    EXPECT_EQ(frm->cmb敬称()->itemText(0), QStringLiteral("様")) << "lowest cnt, then code, first";
}

TEST_F(CustomerScreen, ACodeListCutShortByAFailingReadIsToldOnceAndNotOffered)
{
    const auto entries = [](const ComboBox* box) {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    };
    const QStringList honorifics = entries(frm->cmb敬称());
    ASSERT_GT(honorifics.size(), 2);
    {
        // Every list fails at its third slot, after the first two were read.
        auto db = Database::open(d.dataFile());
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execute(QStringLiteral("ALTER TABLE コードマスタ RENAME TO 元のコードマスタ")));
        ASSERT_TRUE(db->execute(QStringLiteral("CREATE INDEX ix順 ON 元のコードマスタ (kcode, cnt, code)")));
        ASSERT_TRUE(db->execute(QStringLiteral("CREATE VIEW コードマスタ AS SELECT kcode, code, cnt, 性別, CASE WHEN code = "
                                               "'03' THEN abs(-9223372036854775807 - 1) ELSE sname END AS sname "
                                               "FROM 元のコードマスタ")));
    }
    frm->SetComb(CustomerComb::すべて);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().at(0).text,
              QStringLiteral("コード表 を読み込めませんでした。データファイルを確認してください。"));
    EXPECT_EQ(entries(frm->cmb敬称()), honorifics);
}

TEST_F(CustomerScreen, QuickPickListHoldsOnlyQuickCustomersInReadingOrder)
{
    storeCustomer({{QStringLiteral("名称"), QStringLiteral("乙")}, {QStringLiteral("ふりがな"), QStringLiteral("かとう")},
                   {QStringLiteral("クイック"), QStringLiteral("する")}});
    storeCustomer({{QStringLiteral("名称"), QStringLiteral("甲")}, {QStringLiteral("ふりがな"), QStringLiteral("あべ")},
                   {QStringLiteral("クイック"), QStringLiteral("する")}});
    storeCustomer({{QStringLiteral("名称"), QStringLiteral("丙")}, {QStringLiteral("ふりがな"), QStringLiteral("いとう")},
                   {QStringLiteral("クイック"), QStringLiteral("しない")}});
    frm->SetComb(CustomerComb::顧客);
    ASSERT_EQ(frm->cmb顧客名()->count(), 2);
    EXPECT_EQ(frm->cmb顧客名()->itemText(0), QStringLiteral("甲"));
    EXPECT_EQ(frm->cmb顧客名()->itemText(1), QStringLiteral("乙"));
}

struct AgeCase {
    QDate today;
    QVariant typedAge;
    QVariant expected;
};

void PrintTo(const AgeCase& c, std::ostream* os)
{
    *os << "today " << c.today.toString(Qt::ISODate).toStdString() << ", age typed "
        << (c.typedAge.isNull() ? std::string("none") : c.typedAge.toString().toStdString());
}

class AutomaticAge : public ScreenFixture, public ::testing::WithParamInterface<AgeCase> {};

TEST_P(AutomaticAge, CountsTheBirthdayAndNeverOverwrites)
{
    Clock::setToday(GetParam().today);
    focus(frm->dt生年月日()); // leaving the empty name box first clears the inputs
    frm->num年齢()->setValue(GetParam().typedAge);
    frm->dt生年月日()->setDate(QDate(1960, 12, 31));
    frm->num年齢()->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(frm->num年齢()->value(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(CustomerScreen, AutomaticAge,
                         ::testing::Values(AgeCase{QDate(2001, 6, 15), QVariant(), 40},
                                           AgeCase{QDate(2001, 12, 31), QVariant(), 41},
                                           AgeCase{QDate(2001, 12, 30), QVariant(), 40},
                                           AgeCase{QDate(2001, 6, 15), 0, 40},
                                           AgeCase{QDate(2001, 6, 15), 12, 12}), ::rov2::test::PrintedName());

TEST_F(CustomerScreen, ClearEmptiesThePrintNameAndShowsTheDefaultSex)
{
    env().settings.性別 = QStringLiteral("女");
    frm->txt印刷名()->setText(QStringLiteral("前の客"));
    frm->cmb性別()->setText(QStringLiteral("男"));
    frm->dt生年月日()->setDate(QDate(1970, 1, 1));
    frm->num年齢()->setValue(31);
    frm->Tab顧客情報()->setCurrentIndex(1);
    frm->cmdクリア()->click();
    EXPECT_EQ(frm->txt印刷名()->text(), QString());
    EXPECT_EQ(frm->cmb性別()->text(), QStringLiteral("女"));
    EXPECT_EQ(frm->cmbクイック()->text(), QStringLiteral("しない"));
    EXPECT_FALSE(frm->dt生年月日()->date().has_value());
    EXPECT_TRUE(frm->num年齢()->value().isNull());
    EXPECT_EQ(frm->Tab顧客情報()->currentIndex(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->cmb顧客名()->hasFocus(); }));
}

TEST_F(CustomerScreen, EnterAndArrowsFollowTheMovementTable)
{
    focus(frm->cmb顧客名());
    key(frm->cmb顧客名(), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->cmb敬称()->hasFocus(); }));
    key(frm->cmb敬称(), Qt::Key_Left);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->cmb顧客名()->hasFocus(); }));
    key(frm->cmb顧客名(), Qt::Key_Left);
    EXPECT_TRUE(frm->cmb顧客名()->hasFocus()) << "no move back from the name";

    // Enter in an empty 敬称 takes the list's first entry and moves on.
    focus(frm->cmb敬称());
    key(frm->cmb敬称(), Qt::Key_Return);
    EXPECT_EQ(frm->cmb敬称()->text(), QStringLiteral("様"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->txtTEL1()->hasFocus(); }));

    // Elsewhere Enter and Down go forward and Up back in the input order.
    key(frm->txtTEL1(), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->txtTEL2()->hasFocus(); }));
    key(frm->txtTEL2(), Qt::Key_Down);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->txtFAX()->hasFocus(); }));
    key(frm->txtFAX(), Qt::Key_Up);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->txtTEL2()->hasFocus(); }));

    type(frm->cmb区分1(), QStringLiteral("ab"));
    key(frm->cmb区分1(), Qt::Key_Left);
    EXPECT_TRUE(frm->cmb区分1()->hasFocus()) << "inside the text Left moves the cursor";
    key(frm->cmb区分1(), Qt::Key_Right);
    EXPECT_TRUE(frm->cmb区分1()->hasFocus()) << "Right first takes the cursor to the end";
    key(frm->cmb区分1(), Qt::Key_Right);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->cmb区分2()->hasFocus(); }));
    key(frm->cmb区分2(), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->dt生年月日()->hasFocus(); }));

    focus(frm->cmb性別());
    key(frm->cmb性別(), Qt::Key_Right);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->cmbクイック()->hasFocus(); }));
    key(frm->cmbクイック(), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->txtEmail()->hasFocus(); }));
}

TEST_F(CustomerScreen, EnterInTheMemoGoesToThePrintNameOnTheSecondTab)
{
    focus(frm->txt顧客メモ());
    key(frm->txt顧客メモ(), Qt::Key_Return);
    EXPECT_EQ(frm->Tab顧客情報()->currentIndex(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->txt印刷名()->hasFocus(); }));
    key(frm->txt印刷名(), Qt::Key_Left);
    EXPECT_EQ(frm->Tab顧客情報()->currentIndex(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->txt顧客メモ()->hasFocus(); }));
    key(frm->txt顧客メモ(), Qt::Key_Left);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->txt住所2()->hasFocus(); }));
}

TEST_F(CustomerScreen, FunctionKeysReachTheirButtons)
{
    frm->txtTEL1()->setText(QStringLiteral("1"));
    focus(frm->txtTEL2());
    key(frm->txtTEL2(), Qt::Key_F9);
    EXPECT_EQ(frm->txtTEL1()->text(), QString()) << "F9 clears";

    // F5 with an empty name does nothing; with a name it asks to save it.
    key(QApplication::focusWidget(), Qt::Key_F5);
    EXPECT_TRUE(dialogs.messages().isEmpty());
    frm->cmb顧客名()->setText(QStringLiteral("新しい客"));
    focus(frm->txtTEL2());
    dialogs.answer(MsgAnswer::No);
    key(frm->txtTEL2(), Qt::Key_F5);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().at(0).text, QStringLiteral("新しい客 を登録します。よろしいですか"));

    // F6 asks to delete, No preselected.
    key(frm->txtTEL2(), Qt::Key_F6);
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(dialogs.messages().at(1).text, QStringLiteral("新しい客 を削除します。よろしいですか"));
    EXPECT_TRUE(dialogs.messages().at(1).defaultIsSecond);
}

TEST_F(CustomerScreen, InputMethodIsOnForJapaneseTextOnly)
{
    for (QWidget* w : std::initializer_list<QWidget*>{frm->cmb顧客名(), frm->cmb敬称(), frm->txtふりがな(), frm->cmb区分1(),
                                                      frm->txt住所1(), frm->txt住所2(), frm->txt顧客メモ(), frm->txt印刷名()})
        EXPECT_EQ(imeOpenSetting(w), std::optional<bool>(true)) << w->objectName().toStdString();
    for (QWidget* w : std::initializer_list<QWidget*>{frm->txtTEL1(), frm->txtTEL2(), frm->txtFAX(), frm->txtEmail(),
                                                      frm->txt郵便番号(), frm->num年齢(), frm->dt生年月日()})
        EXPECT_EQ(imeOpenSetting(w), std::optional<bool>(false)) << w->objectName().toStdString();
    focus(frm->txt郵便番号());
    EXPECT_FALSE(frm->txt郵便番号()->inputMethodQuery(Qt::ImEnabled).toBool());
    focus(frm->txt住所1());
    EXPECT_TRUE(frm->txt住所1()->inputMethodQuery(Qt::ImEnabled).toBool());
}

TEST_F(CustomerScreen, ControlsAreNamedForAssistiveTools)
{
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("VAVⅡaruv　Ver1.00"));
    QWidget* name = nullptr;
    ASSERT_NO_FATAL_FAILURE(ctl(frm.get(), "cmb顧客名", name));
    ASSERT_EQ(name, frm->cmb顧客名());
    EXPECT_EQ(name->accessibleName(), QStringLiteral("顧客名"));
    EXPECT_EQ(name->accessibleDescription(), QStringLiteral("cmb顧客名"));
    for (const char* control : {"cmd登録", "txtTEL1", "dt生年月日", "num年齢", "Grid家族", "Command11"}) {
        QWidget* w = nullptr;
        ASSERT_NO_FATAL_FAILURE(ctl(frm.get(), control, w));
        EXPECT_FALSE(w->accessibleName().isEmpty()) << control;
        EXPECT_EQ(w->accessibleDescription(), QString::fromUtf8(control));
    }
    // Labels that show a value are heard by that value, not by a fixed name.
    for (const char* control : {"LblEntNum", "LMsg"}) {
        QLabel* label = nullptr;
        ASSERT_NO_FATAL_FAILURE(ctl(frm.get(), control, label));
        EXPECT_TRUE(label->accessibleName().isEmpty()) << control;
        EXPECT_EQ(label->accessibleDescription(), QString::fromUtf8(control));
    }
    EXPECT_EQ(frm->cmd登録()->text(), QStringLiteral("登録"));
    EXPECT_EQ(frm->Tab顧客情報()->tabText(1), QStringLiteral("家族情報・その他"));
}

TEST_F(CustomerScreen, TheFamilyGridShowsWholeValuesAtTheDefaultSize)
{
    frm->Tab顧客情報()->setCurrentIndex(1);
    QTableView* view = nullptr;
    ASSERT_NO_FATAL_FAILURE(ctl(frm.get(), "Grid家族", view));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->isVisible(); }));
    const QFontMetrics fm(view->font());
    const struct {
        int column;
        const char* value;
    } widest[] = {{7, "1962/01/02"}, {6, "080-5815-6789"}, {2, "やまだ　はなこ"}, {1, "山田　花子"}};
    for (const auto& w : widest)
        EXPECT_GT(view->columnWidth(w.column), fm.horizontalAdvance(QString::fromUtf8(w.value))) << w.value;
    for (int c = 1; c < 12; ++c)
        EXPECT_GE(view->columnWidth(c), view->horizontalHeader()->sectionSizeHint(c)) << "caption of column " << c;
    EXPECT_FALSE(view->horizontalScrollBar()->isVisible()) << "every column fits the window as it opens";
}

TEST_F(CustomerScreen, AHandedOverNameIsReadOnceOnActivation)
{
    storeCustomer({{QStringLiteral("名称"), QStringLiteral("一覧の客")}, {QStringLiteral("FAX"), QStringLiteral("06-1")}});
    env().selectedCustomerName = QStringLiteral("一覧の客");
    frm->Form_Activate();
    QApplication::processEvents();
    EXPECT_EQ(frm->cmb顧客名()->text(), QStringLiteral("一覧の客"));
    EXPECT_EQ(frm->txtFAX()->text(), QStringLiteral("06-1"));
    EXPECT_TRUE(env().selectedCustomerName.isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return frm->txtTEL1()->hasFocus(); }));
    frm->txtFAX()->clear();
    frm->Form_Activate();
    EXPECT_EQ(frm->txtFAX()->text(), QString()) << "not read again";
}

TEST_F(CustomerScreen, PostalCodeFillsAnEmptyAddressOnly)
{
    // Without a dictionary nothing is filled and no file appears.
    frm->txt郵便番号()->setText(QStringLiteral("1000001"));
    leave(frm->txt郵便番号(), frm->txt住所1());
    EXPECT_EQ(frm->txt住所1()->text(), QString());
    EXPECT_FALSE(QFileInfo::exists(d.postalFile()));
}

} // namespace
} // namespace rov2::test
