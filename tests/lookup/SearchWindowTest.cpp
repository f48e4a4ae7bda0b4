// The three look-up windows driven from the keyboard offscreen, alone and
// through the objects the customer screen runs them with.
#include "CustomerKanaSearch.h"
#include "CustomerSearch.h"
#include "FindControl.h"
#include "FrmCustomerKanaSearch.h"
#include "FrmCustomerSearch.h"
#include "FrmPostalCodeSearch.h"
#include "LookupFixtures.h"
#include "MatchList.h"
#include "PostalCodeSearch.h"
#include "TempData.h"
#include "TextBox.h"

#include <QApplication>
#include <QLabel>
#include <QScopeGuard>
#include <QSemaphore>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace rov2 {
namespace {

using test::ctl;

QString u(const char* s)
{
    return QString::fromUtf8(s);
}

QVariantMap customer(const char* name, const char* reading, const char* tel)
{
    return {{u("名称"), u(name)}, {u("ふりがな"), u(reading)}, {u("TEL1"), u(tel)}};
}

/// Shows a window, makes it active and puts the focus into @p focus.
void showWithFocus(QWidget* window, QWidget* focus)
{
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    focus->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(test::waitForFocus(focus));
}

/// Waits until the customer search @p w has read the customers, which it does on a thread of its own.
bool customersRead(QWidget* w)
{
    auto* search = qobject_cast<FrmCustomerSearch*>(w);
    return search && QTest::qWaitFor([search] { return search->customersRead(); });
}

class SearchWindows : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::addCustomers(d.dataFile(), {customer("佐藤　一郎", "さとう いちろう", "03-1234-5678"),
                                          customer("斉藤　花子", "サイトウ ハナコ", "06-9876-5432"),
                                          customer("加藤　健太", "ｶﾄｳ ｹﾝﾀ", "052-111-2222"),
                                          customer("学園堂", "がくえんどう", "")});
        test::writeKenAllDictionary(d.postalFile());
    }
    test::TempData d;
};

TEST_F(SearchWindows, CustomerSearchListsAsTypedAndEnterChoosesTheCurrentRow)
{
    FrmCustomerSearch w(d.dataFile());
    auto* input = ctl<TextBox>(&w, "txt検索");
    auto* list = ctl<MatchList>(&w, "Grid顧客");
    auto* count = ctl<QLabel>(&w, "lbl件数");
    ASSERT_TRUE(input && list && count);
    showWithFocus(&w, input);
    ASSERT_TRUE(customersRead(&w));

    test::typeText(u("とう"));
    EXPECT_EQ(list->model()->rowCount(), 3);
    EXPECT_EQ(count->text(), u("3件"));
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), u("加藤　健太")) << "readings in Japanese order";
    EXPECT_EQ(list->model()->index(0, 3).data().toString(), u("052-111-2222"));

    // Down goes into the list on its first row, the next Down to the second.
    QTest::keyClick(input, Qt::Key_Down);
    ASSERT_TRUE(test::waitForFocus(list));
    EXPECT_EQ(list->currentRow(), 0);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->currentRow(), 1);
    // Up on the first row goes back to the input, which keeps the text.
    QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Up);
    ASSERT_TRUE(test::waitForFocus(input));
    EXPECT_EQ(input->text(), u("とう"));

    test::typeText(u("さ"));
    EXPECT_EQ(count->text(), u("該当する顧客はありません。"));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(input, Qt::Key_Backspace);
    test::typeText(u("さい"));
    EXPECT_EQ(list->model()->rowCount(), 1);
    QTest::keyClick(input, Qt::Key_Return);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(w.chosenName(), QVariant(u("斉藤　花子")));
}

TEST_F(SearchWindows, CustomerSearchFindsByTelephoneAndADoubleClickChooses)
{
    FrmCustomerSearch w(d.dataFile());
    auto* input = ctl<TextBox>(&w, "txt検索");
    auto* list = ctl<MatchList>(&w, "Grid顧客");
    ASSERT_TRUE(input && list);
    showWithFocus(&w, input);
    ASSERT_TRUE(customersRead(&w));
    QTest::keyClicks(input, "0698765432");
    ASSERT_EQ(list->model()->rowCount(), 1);
    const QRect cell = list->visualRect(list->model()->index(0, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    EXPECT_TRUE(w.isVisible()) << "one click only selects";
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(w.chosenName(), QVariant(u("斉藤　花子")));
}

TEST_F(SearchWindows, CustomerSearchAnswersNullWhenClosedAndEnterOnNothingChoosesNothing)
{
    CustomerSearch search;
    search.setDataPath(d.dataFile());
    search.setWorkPath(d.workFile());
    search.prepare();
    test::whenModal([](QWidget* w) {
        auto* input = ctl<TextBox>(w, "txt検索");
        ASSERT_TRUE(input);
        input->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(customersRead(w));
        test::typeText(u("存在しない人"));
        QTest::keyClick(input, Qt::Key_Return);
        EXPECT_TRUE(w->isVisible()) << "nothing to choose: the window stays";
        QTest::keyClick(input, Qt::Key_Escape);
    });
    search.showModal();
    EXPECT_TRUE(search.result().isNull());
}

TEST_F(SearchWindows, CustomerSearchRunsInTheScreensOrderAndAnswersTheChosenName)
{
    CustomerSearch search;
    search.setDataPath(d.dataFile());
    search.setWorkPath(d.workFile());
    search.prepare();
    test::whenModal([](QWidget* w) {
        auto* input = ctl<TextBox>(w, "txt検索");
        ASSERT_TRUE(input);
        input->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(customersRead(w));
        test::typeText(u("ｻﾄｳ"));
        QTest::keyClick(input, Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    search.showModal();
    EXPECT_EQ(search.result(), QVariant(u("佐藤　一郎")));
}

// The window opens before the customers are read; no key typed meanwhile is lost.
TEST_F(SearchWindows, CustomerSearchSearchesWhatWasTypedWhileTheCustomersWereRead)
{
    QSemaphore held;
    FrmCustomerSearch w(d.dataFile(), nullptr, [&held](const QString& file, QString* error) {
        held.acquire();
        return CustomerIndex::load(file, error);
    });
    const auto release = qScopeGuard([&held] { held.release(); });
    auto* input = ctl<TextBox>(&w, "txt検索");
    auto* list = ctl<MatchList>(&w, "Grid顧客");
    auto* count = ctl<QLabel>(&w, "lbl件数");
    ASSERT_TRUE(input && list && count);
    showWithFocus(&w, input);

    test::typeText(u("さ")); // さとう and サイトウ
    EXPECT_EQ(count->text(), u("読込中です････"));
    test::typeText(u("い"));
    EXPECT_EQ(list->model()->rowCount(), 0);
    held.release();
    ASSERT_TRUE(customersRead(&w));
    ASSERT_EQ(list->model()->rowCount(), 1);
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), u("斉藤　花子"));
    EXPECT_EQ(count->text(), u("1件"));
}

TEST_F(SearchWindows, CustomerSearchSaysAnUnreadableFileAndTheNextKeyReadsItAgain)
{
    int readings = 0;
    FrmCustomerSearch w(d.dataFile(), nullptr, [&readings](const QString& file, QString* error) {
        return ++readings == 1 ? std::nullopt : CustomerIndex::load(file, error);
    });
    auto* input = ctl<TextBox>(&w, "txt検索");
    auto* count = ctl<QLabel>(&w, "lbl件数");
    ASSERT_TRUE(input && count);
    showWithFocus(&w, input);
    ASSERT_TRUE(QTest::qWaitFor([&] { return count->text() == u("顧客データを読めません。"); }));
    test::typeText(u("さい"));
    ASSERT_TRUE(customersRead(&w));
    EXPECT_EQ(count->text(), u("1件"));
    EXPECT_EQ(readings, 2);
}

TEST_F(SearchWindows, KanaSearchListsTheRowOfTheCurrentKanaAndEnterChooses)
{
    FrmCustomerKanaSearch w(d.dataFile());
    auto* kana = ctl<QTableView>(&w, "Grid五十音");
    auto* list = ctl<MatchList>(&w, "Grid顧客");
    auto* count = ctl<QLabel>(&w, "lbl件数");
    ASSERT_TRUE(kana && list && count);
    showWithFocus(&w, kana);
    EXPECT_EQ(list->model()->rowCount(), 0) << "あ lists nobody";

    QTest::keyClick(kana, Qt::Key_Right); // か
    ASSERT_EQ(list->model()->rowCount(), 2);
    EXPECT_EQ(count->text(), u("か：2件"));
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), u("学園堂")) << "が under か, in reading order";
    EXPECT_EQ(list->model()->index(1, 0).data().toString(), u("加藤　健太"));
    QTest::keyClick(kana, Qt::Key_Right); // さ
    EXPECT_EQ(list->model()->rowCount(), 2);

    QTest::keyClick(kana, Qt::Key_Return);
    ASSERT_TRUE(test::waitForFocus(list));
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(w.chosenName(), u("佐藤　一郎"));
}

// Both windows read the customers once; the next window reads them anew.
TEST_F(SearchWindows, ACustomerWrittenAfterAWindowReadTheFileIsFoundByTheNextWindow)
{
    {
        FrmCustomerSearch search(d.dataFile());
        FrmCustomerKanaSearch kana(d.dataFile());
    }
    test::addCustomers(d.dataFile(), {customer("青木　新", "あおき しん", "")});
    FrmCustomerSearch search(d.dataFile());
    auto* input = ctl<TextBox>(&search, "txt検索");
    auto* found = ctl<MatchList>(&search, "Grid顧客");
    ASSERT_TRUE(input && found);
    ASSERT_TRUE(customersRead(&search));
    input->setText(u("あおき"));
    EXPECT_EQ(found->model()->rowCount(), 1);
    FrmCustomerKanaSearch kana(d.dataFile());
    auto* listed = ctl<MatchList>(&kana, "Grid顧客");
    ASSERT_TRUE(listed);
    EXPECT_EQ(listed->model()->rowCount(), 1) << "listed under あ as the window opens";
}

TEST_F(SearchWindows, KanaTableSkipsCellsWithoutAKana)
{
    FrmCustomerKanaSearch w(d.dataFile());
    auto* kana = ctl<QTableView>(&w, "Grid五十音");
    ASSERT_TRUE(kana);
    showWithFocus(&w, kana);
    w.List顧客(u("や"));
    QTest::keyClick(kana, Qt::Key_Down);
    EXPECT_EQ(kana->currentIndex().data().toString(), u("ゆ"));
    w.List顧客(u(""));
    EXPECT_EQ(kana->currentIndex().data().toString(), u("他"));
}

TEST_F(SearchWindows, KanaSearchRunsInTheScreensOrder)
{
    CustomerKanaSearch search;
    search.setDataPath(d.dataFile());
    search.setWorkPath(d.workFile());
    search.prepare();
    test::whenModal([](QWidget* w) {
        auto* kana = ctl<QTableView>(w, "Grid五十音");
        ASSERT_TRUE(kana);
        kana->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(kana, Qt::Key_Right);
        QTest::keyClick(kana, Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(search.run(), QDialog::Accepted);
    EXPECT_EQ(search.name(), u("学園堂"));

    // Closed without a choice: the empty text, not a leftover of the last run.
    search.prepare();
    test::whenModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    EXPECT_EQ(search.run(), QDialog::Rejected);
    EXPECT_TRUE(search.name().isEmpty());
}

TEST_F(SearchWindows, PostalSearchFindsATownsCodeByItsAddress)
{
    PostalCodeSearch search;
    search.setDataPath(d.dataFile());
    search.setWorkPath(d.workFile());
    search.setDictionaryPath(d.postalFile());
    search.prepare();
    test::whenModal([](QWidget* w) {
        auto* input = ctl<TextBox>(w, "txt検索");
        auto* list = ctl<MatchList>(w, "Grid郵便番号");
        ASSERT_TRUE(input && list);
        input->setFocus(Qt::OtherFocusReason);
        test::typeText(u("霞が関"));
        ASSERT_EQ(list->model()->rowCount(), 2);
        EXPECT_EQ(list->model()->index(0, 0).data().toString(), u("100-6001"));
        QTest::keyClick(input, Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(search.run(), QDialog::Accepted);
    EXPECT_EQ(search.postalCode(), u("1006090"));
    EXPECT_TRUE(search.address().startsWith(u("東京都千代田区霞が関")));
}

TEST_F(SearchWindows, PostalSearchByLeadingDigitsAndItsHints)
{
    FrmPostalCodeSearch w(d.postalFile());
    auto* input = ctl<TextBox>(&w, "txt検索");
    auto* list = ctl<MatchList>(&w, "Grid郵便番号");
    auto* count = ctl<QLabel>(&w, "lbl件数");
    ASSERT_TRUE(input && list && count);
    showWithFocus(&w, input);
    EXPECT_EQ(count->text(), u("郵便番号の上3桁以上か、住所の一部を入力してください。"));
    test::typeText(u("１０"));
    EXPECT_EQ(count->text(), u("郵便番号は3桁以上入力してください。"));
    EXPECT_EQ(list->model()->rowCount(), 0);
    test::typeText(u("０－０００１"));
    ASSERT_EQ(list->model()->rowCount(), 1);
    EXPECT_EQ(count->text(), u("1件"));
    QTest::keyClick(input, Qt::Key_Enter);
    EXPECT_EQ(w.chosenCode(), u("1000001"));
    EXPECT_EQ(w.chosenAddress(), u("東京都千代田区千代田"));
}

TEST_F(SearchWindows, PostalSearchClosedAnswersNothingAndAnUnreadableDictionaryIsSaid)
{
    PostalCodeSearch search;
    search.setDictionaryPath(d.path(u("gone.mdb")));
    search.prepare();
    test::whenModal([](QWidget* w) {
        auto* input = ctl<TextBox>(w, "txt検索");
        auto* count = ctl<QLabel>(w, "lbl件数");
        ASSERT_TRUE(input && count);
        input->setFocus(Qt::OtherFocusReason);
        test::typeText(u("100"));
        EXPECT_EQ(count->text(), u("郵便番号辞書を読めません。"));
        QTest::keyClick(w, Qt::Key_Escape);
    });
    EXPECT_EQ(search.run(), QDialog::Rejected);
    EXPECT_TRUE(search.postalCode().isEmpty());
    EXPECT_TRUE(search.address().isEmpty());
}

} // namespace
} // namespace rov2
