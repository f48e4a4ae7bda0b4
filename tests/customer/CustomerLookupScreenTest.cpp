// The customer screen's three look-ups run from the screen, their windows driven by keys.
#include "CalendarPopup.h"
#include "ComboBox.h"
#include "Database.h"
#include "DateBox.h"
#include "FindControl.h"
#include "LookupFixtures.h"
#include "ModalDriving.h"
#include "Query.h"
#include "ScreenFixture.h"
#include "TestNames.h"
#include "TextBox.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace rov2::test {
namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

/// Types into the search input of a look-up window.
void typeInto(QWidget* window, const QString& text)
{
    TextBox* input = nullptr;
    ASSERT_NO_FATAL_FAILURE(ctl(window, "txt検索", input));
    input->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(waitForFocus(input));
    typeText(text);
    // The customer search reads the customers on a thread of its own and searches what was typed as they arrive.
    auto* count = window->findChild<QLabel*>(u("lbl件数"));
    ASSERT_TRUE(count);
    ASSERT_TRUE(QTest::qWaitFor([count] { return count->text() != u("読込中です････"); }));
}

class CustomerLookups : public ScreenFixture {
protected:
    void SetUp() override
    {
        ScreenFixture::SetUp();
        // Out of the name box first: leaving it empty clears the inputs.
        focus(frm->txt住所2());
    }

    /// The control that has the focus in the screen. The offscreen platform
    /// activates no window after a modal one closes, so the application's
    /// focus widget is empty there; the screen still knows its own.
    QWidget* screenFocus() const { return frm->focusWidget(); }

    void storeFamily(const QString& owner, const QStringList& names)
    {
        auto db = Database::open(d.dataFile());
        ASSERT_TRUE(db);
        for (int i = 0; i < names.size(); ++i)
            ASSERT_TRUE(db->execute(u("INSERT INTO 家族情報 (名称, 行番号, 氏名) VALUES (?, ?, ?)"),
                                    {owner, i, names.at(i)}));
    }

    /// Every text the family grid shows.
    QStringList familyTexts()
    {
        QStringList texts;
        auto* view = ctl<QTableView>(frm.get(), "Grid家族");
        if (!view)
            return texts;
        const QAbstractItemModel* m = view->model();
        for (int r = 0; r < m->rowCount(); ++r)
            for (int c = 0; c < m->columnCount(); ++c)
                if (const QString t = m->index(r, c).data().toString(); !t.isEmpty())
                    texts << t;
        return texts;
    }

    /// Notes whether a modal window came up while @p run ran or from what
    /// it left queued, and closes it.
    bool opensAWindow(const std::function<void()>& run)
    {
        bool opened = false;
        const auto closeModal = [&opened] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                opened = true;
                w->close();
            }
        };
        QTimer watch; // a window that blocks in its own loop is closed from there
        QObject::connect(&watch, &QTimer::timeout, closeModal);
        watch.start(10);
        run();
        EXPECT_TRUE(queuedEventsHandled());
        closeModal();
        return opened;
    }
};

TEST_F(CustomerLookups, WithoutADictionaryThePostalButtonOnlySaysSo)
{
    ASSERT_FALSE(QFileInfo::exists(d.postalFile()));
    frm->txt郵便番号()->setText(u("1000001"));
    frm->txt住所1()->setText(u("手書きの住所"));
    focus(frm->txtTEL1());
    EXPECT_FALSE(opensAWindow([&] { frm->cmd郵便()->click(); }));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().at(0).text, u("郵便番号辞書がありません。確認してください。"));
    EXPECT_EQ(frm->txt郵便番号()->text(), u("1000001"));
    EXPECT_EQ(frm->txt住所1()->text(), u("手書きの住所"));
    EXPECT_EQ(screenFocus(), frm->txtTEL1());
    EXPECT_FALSE(QFileInfo::exists(d.postalFile())) << "no dictionary is created";
}

TEST_F(CustomerLookups, APostalChoiceReplacesTheAddressAndClosingKeepsIt)
{
    writeKenAllDictionary(d.postalFile());
    frm->txt住所1()->setText(u("前の住所"));
    whenModal([](QWidget* w) {
        typeInto(w, u("霞が関"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    frm->cmd郵便()->click();
    EXPECT_EQ(frm->txt郵便番号()->text(), u("1006090"));
    EXPECT_TRUE(frm->txt住所1()->text().startsWith(u("東京都千代田区霞が関"))) << frm->txt住所1()->text().toStdString();
    EXPECT_EQ(screenFocus(), frm->txt住所1());

    // Closed without a choice: both boxes stay, the focus goes to the code.
    frm->txt住所1()->setText(u("直した住所"));
    whenModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    frm->cmd郵便()->click();
    EXPECT_EQ(frm->txt郵便番号()->text(), u("1006090"));
    EXPECT_EQ(frm->txt住所1()->text(), u("直した住所"));
    EXPECT_EQ(screenFocus(), frm->txt郵便番号());
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(CustomerLookups, ATypedCodeFillsOnlyAnEmptyAddress)
{
    writeKenAllDictionary(d.postalFile());
    struct Row {
        const char* before;
        bool filled; ///< expect the dictionary's address
    };
    for (const Row& row : {Row{"", true}, Row{"手書きの住所", false}}) {
        frm->txt郵便番号()->clear();
        frm->txt住所1()->setText(u(row.before));
        type(frm->txt郵便番号(), u("1006090"));
        leave(frm->txt郵便番号(), frm->txt住所2());
        if (row.filled)
            EXPECT_TRUE(frm->txt住所1()->text().startsWith(u("東京都千代田区霞が関")))
                << frm->txt住所1()->text().toStdString();
        else
            EXPECT_EQ(frm->txt住所1()->text(), u(row.before));
    }
}

enum class Search { Customer, Kana };

class PickedCustomer : public CustomerLookups, public ::testing::WithParamInterface<Search> {};

TEST_P(PickedCustomer, IsShownWithItsFamily)
{
    storeCustomer({{u("名称"), u("加藤　健太")}, {u("ふりがな"), u("かとう　けんた")}, {u("TEL1"), u("03-1111-2222")}});
    storeCustomer({{u("名称"), u("佐藤　一郎")}, {u("ふりがな"), u("さとう　いちろう")}, {u("TEL1"), u("06-3333-4444")}});
    storeFamily(u("佐藤　一郎"), {u("佐藤　花子"), u("佐藤　次郎")});
    QPushButton* button = nullptr;
    if (GetParam() == Search::Customer) {
        button = frm->cmd顧客参照();
        whenModal([](QWidget* w) {
            typeInto(w, u("ｻﾄｳ"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
    } else {
        button = frm->cmd顧客参照50();
        whenModal([](QWidget* w) {
            auto* kana = ctl<QTableView>(w, "Grid五十音");
            auto* list = ctl<QWidget>(w, "Grid顧客");
            ASSERT_TRUE(kana && list);
            kana->setFocus(Qt::OtherFocusReason);
            ASSERT_TRUE(waitForFocus(kana));
            QTest::keyClick(kana, Qt::Key_Right); // か
            QTest::keyClick(kana, Qt::Key_Right); // さ
            QTest::keyClick(kana, Qt::Key_Return);
            ASSERT_TRUE(waitForFocus(list));
            QTest::keyClick(list, Qt::Key_Return);
        });
    }
    button->click();
    EXPECT_EQ(frm->cmb顧客名()->text(), u("佐藤　一郎"));
    EXPECT_EQ(frm->txtTEL1()->text(), u("06-3333-4444"));
    const QStringList family = familyTexts();
    EXPECT_TRUE(family.contains(u("佐藤　花子")) && family.contains(u("佐藤　次郎"))) << family.join(u'|').toStdString();
    EXPECT_EQ(screenFocus(), frm->cmb顧客名());
}

INSTANTIATE_TEST_SUITE_P(EitherSearch, PickedCustomer, ::testing::Values(Search::Customer, Search::Kana),
                         NamesInOrder({"CustomerSearch", "KanaSearch"}));

TEST_F(CustomerLookups, ClosingTheCustomerSearchReadsNothing)
{
    storeCustomer({{u("名称"), u("保存済みの客")}, {u("TEL1"), u("03-9999-0000")}});
    frm->cmb顧客名()->setText(u("保存済みの客"));
    frm->txtFAX()->setText(u("入力中"));
    whenModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    frm->cmd顧客参照()->click();
    EXPECT_EQ(frm->txtTEL1()->text(), QString()) << "the customer in the box was not read";
    EXPECT_EQ(frm->txtFAX()->text(), u("入力中"));
    EXPECT_EQ(screenFocus(), frm->cmb顧客名());
}

TEST_F(CustomerLookups, ClosingTheKanaSearchKeepsEverythingTyped)
{
    // A row stored without a name must not come in over the inputs.
    storeCustomer({{u("名称"), u("")}, {u("TEL1"), u("名無しの電話")}});
    storeCustomer({{u("名称"), u("保存済みの客")}});
    storeFamily(u("保存済みの客"), {u("保存された家族")});
    frm->cmb顧客名()->setText(u("保存済みの客"));
    frm->txtTEL1()->setText(u("03-入力中"));
    {
        auto work = Database::open(d.workFile());
        ASSERT_TRUE(work);
        ASSERT_TRUE(work->execute(u("UPDATE w家族情報 SET 氏名 = ? WHERE rowid = (SELECT min(rowid) FROM w家族情報)"),
                                  {u("入力した家族")}));
    }
    whenModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    frm->cmd顧客参照50()->click();
    EXPECT_EQ(frm->cmb顧客名()->text(), u("保存済みの客"));
    EXPECT_EQ(frm->txtTEL1()->text(), u("03-入力中"));
    EXPECT_EQ(count(d.workFile(), u("SELECT count(*) AS num FROM w家族情報 WHERE 氏名 = ?"), {u("入力した家族")}), 1)
        << "the family typed stays in the grid";
    EXPECT_EQ(screenFocus(), frm->cmb顧客名());
}

TEST_F(CustomerLookups, F4InADateBoxOpensTheKanaSearchAndNotTheCalendar)
{
    focus(frm->dt生年月日());
    QString opened;
    whenModal([&opened](QWidget* w) {
        opened = w->objectName();
        QTest::keyClick(w, Qt::Key_Escape);
    });
    key(frm->dt生年月日(), Qt::Key_F4);
    EXPECT_EQ(opened, u("FrmCustomerKanaSearch"));
    const auto* calendar = frm->dt生年月日()->calendarPopup();
    EXPECT_TRUE(!calendar || !calendar->isVisible()) << "the calendar stayed shut";
}

} // namespace
} // namespace rov2::test
