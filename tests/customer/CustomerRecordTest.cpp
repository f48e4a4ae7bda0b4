// Reading, saving and deleting a customer with its family through the screen.
#include "ComboBox.h"
#include "Database.h"
#include "DateBox.h"
#include "FamilyColumn.h"
#include "FamilyGrid.h"
#include "FamilyTableModel.h"
#include "JapaneseDate.h"
#include "NumberBox.h"
#include "Query.h"
#include "ScreenFixture.h"
#include "TestNames.h"
#include "TextBox.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <algorithm>
#include <ostream>

namespace rov2::test {
namespace {

class CustomerRecord : public ScreenFixture {
protected:
    FamilyTableModel* grid() { return frm->Grid家族()->dat家族; }
    void setCell(int row, int column, const QVariant& v)
    {
        ASSERT_TRUE(grid()->setData(grid()->index(row, column), v)) << row << "," << column;
    }
    /// Saves the screen under its name, answering Yes.
    void save()
    {
        dialogs.answer(MsgAnswer::Yes);
        frm->Entry顧客マスタ(frm->cmb顧客名()->text());
    }
    /// Types a name into the name box and leaves it, as a user does.
    void enterName(const QString& name)
    {
        frm->cmb顧客名()->setText(name);
        leave(frm->cmb顧客名(), frm->txtTEL1());
    }
    void addFamily(const QString& owner, const QStringList& names)
    {
        auto db = Database::open(d.dataFile());
        ASSERT_TRUE(db);
        for (int i = 0; i < names.size(); ++i)
            ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO 家族情報 (名称, 行番号, 氏名) VALUES (?, ?, ?)"),
                                    {owner, i, names.at(i)}));
    }
    static bool contains(const QVector<MessageRequest>& messages, const QString& text)
    {
        return std::any_of(messages.begin(), messages.end(), [&](const MessageRequest& m) { return m.text == text; });
    }
    QStringList familyNames(const QString& owner)
    {
        QStringList out;
        auto db = Database::open(d.dataFile());
        if (!db) {
            ADD_FAILURE() << "the database could not be opened";
            return {};
        }
        Query q = db->query(QStringLiteral("SELECT 行番号, 氏名 FROM 家族情報 WHERE 名称 = ? ORDER BY 行番号"), {owner});
        while (q.next())
            out << q.value(0).toString() + QLatin1Char(':') + q.value(1).toString();
        return out;
    }
};

TEST_F(CustomerRecord, FilledGridRowsAreStoredCloseTogetherAndReadBackInOrder)
{
    enterName(QStringLiteral("山田　太郎"));
    setCell(0, 1, QStringLiteral("一"));
    setCell(2, 1, QStringLiteral("三"));
    setCell(4, 1, QStringLiteral("五"));
    setCell(4, 3, QStringLiteral("長女"));
    save();
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(dialogs.messages().at(1).text, QStringLiteral("山田　太郎 を登録しました。"));
    EXPECT_EQ(familyNames(QStringLiteral("山田　太郎")),
              (QStringList{QStringLiteral("0:一"), QStringLiteral("1:三"), QStringLiteral("2:五")}));
    EXPECT_EQ(frm->cmb顧客名()->text(), QString()) << "the screen is cleared after a save";
    EXPECT_EQ(grid()->data(grid()->index(0, 1)).toString(), QString());

    frm->Read顧客情報(QStringLiteral("山田　太郎"));
    EXPECT_EQ(grid()->data(grid()->index(0, 1)).toString(), QStringLiteral("一"));
    EXPECT_EQ(grid()->data(grid()->index(1, 1)).toString(), QStringLiteral("三"));
    EXPECT_EQ(grid()->data(grid()->index(2, 1)).toString(), QStringLiteral("五"));
    EXPECT_EQ(grid()->data(grid()->index(2, 3)).toString(), QStringLiteral("長女"));
    EXPECT_EQ(grid()->data(grid()->index(3, 1)).toString(), QString());
    EXPECT_EQ(grid()->rowCount(), 10);
}

TEST_F(CustomerRecord, BirthDateIsStoredAsTextWithItsMonthAndRemovedAsNull)
{
    enterName(QStringLiteral("誕生"));
    frm->dt生年月日()->setDate(QDate(1975, 4, 5));
    save();
    EXPECT_EQ(storedField(QStringLiteral("誕生"), QStringLiteral("生年月日")), QVariant(QStringLiteral("1975/04/05")));
    EXPECT_EQ(storedField(QStringLiteral("誕生"), QStringLiteral("誕生月"))->toInt(), 4);

    frm->Read顧客情報(QStringLiteral("誕生"));
    EXPECT_EQ(frm->dt生年月日()->date(), std::optional<QDate>(QDate(1975, 4, 5)));
    frm->dt生年月日()->setDate(std::nullopt);
    save();
    EXPECT_TRUE(storedField(QStringLiteral("誕生"), QStringLiteral("生年月日"))->isNull());
    EXPECT_TRUE(storedField(QStringLiteral("誕生"), QStringLiteral("誕生月"))->isNull());
    EXPECT_EQ(count(d.dataFile(), QStringLiteral("SELECT count(*) AS num FROM 顧客マスタ")), 1) << "edited, not added";
}

TEST_F(CustomerRecord, EmptyInputsAreStoredAsTheFieldsExpect)
{
    enterName(QStringLiteral("空欄"));
    save();
    EXPECT_TRUE(storedField(QStringLiteral("空欄"), QStringLiteral("年齢"))->isNull());
    EXPECT_TRUE(storedField(QStringLiteral("空欄"), QStringLiteral("印刷名"))->isNull());
    const auto reading = storedField(QStringLiteral("空欄"), QStringLiteral("ふりがな"));
    ASSERT_TRUE(reading.has_value());
    EXPECT_FALSE(reading->isNull());
    EXPECT_EQ(reading->toString(), QString());
    EXPECT_EQ(storedField(QStringLiteral("空欄"), QStringLiteral("クイック")), QVariant(QStringLiteral("しない")));
}

TEST_F(CustomerRecord, AQuickCustomerJoinsTheNameListAtOnce)
{
    enterName(QStringLiteral("常連さん"));
    frm->cmbクイック()->setText(QStringLiteral("する"));
    save();
    EXPECT_NE(frm->cmb顧客名()->findText(QStringLiteral("常連さん")), -1);
}

TEST_F(CustomerRecord, NoLeavesScreenAndDataUnchanged)
{
    enterName(QStringLiteral("迷う客"));
    frm->txtTEL1()->setText(QStringLiteral("012"));
    dialogs.answer(MsgAnswer::No);
    frm->Entry顧客マスタ(QStringLiteral("迷う客"));
    EXPECT_EQ(count(d.dataFile(), QStringLiteral("SELECT count(*) AS num FROM 顧客マスタ")), 0);
    EXPECT_EQ(frm->txtTEL1()->text(), QStringLiteral("012"));
    EXPECT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().at(0).title, QStringLiteral("登録の確認"));
}

TEST_F(CustomerRecord, DeleteRemovesTheCustomerAndAllItsFamily)
{
    enterName(QStringLiteral("消す客"));
    frm->cmbクイック()->setText(QStringLiteral("する"));
    setCell(0, 1, QStringLiteral("家族一"));
    setCell(1, 1, QStringLiteral("家族二"));
    save();
    frm->Read顧客情報(QStringLiteral("消す客"));
    dialogs.answer(MsgAnswer::Yes);
    frm->Delete顧客();
    EXPECT_FALSE(storedField(QStringLiteral("消す客"), QStringLiteral("名称")).has_value());
    EXPECT_TRUE(familyNames(QStringLiteral("消す客")).isEmpty());
    EXPECT_EQ(frm->cmb顧客名()->findText(QStringLiteral("消す客")), -1);
    EXPECT_EQ(frm->LblEntNum()->text(), QStringLiteral("登録数 "));
    EXPECT_EQ(dialogs.messages().size(), 3) << "no completion notice after a delete";
}

TEST_F(CustomerRecord, AFailedSaveKeepsTheOldRowsAndSaysSo)
{
    enterName(QStringLiteral("堅い客"));
    frm->txtTEL1()->setText(QStringLiteral("old"));
    setCell(0, 1, QStringLiteral("元の家族"));
    save();
    {
        // A family member the file refuses: the save must fail after the
        // customer row and the family delete were already issued.
        auto db = Database::open(d.dataFile());
        ASSERT_TRUE(db->execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON 家族情報 WHEN NEW.氏名 = '拒否' "
                                               "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    }
    frm->Read顧客情報(QStringLiteral("堅い客"));
    frm->txtTEL1()->setText(QStringLiteral("new"));
    setCell(1, 1, QStringLiteral("拒否"));
    save();
    EXPECT_EQ(storedField(QStringLiteral("堅い客"), QStringLiteral("TEL1")), QVariant(QStringLiteral("old")));
    EXPECT_EQ(familyNames(QStringLiteral("堅い客")), QStringList{QStringLiteral("0:元の家族")});
    ASSERT_EQ(dialogs.messages().size(), 4);
    EXPECT_TRUE(dialogs.messages().at(3).text.contains(QStringLiteral("登録できませんでした")));
    EXPECT_EQ(frm->txtTEL1()->text(), QStringLiteral("new")) << "what was typed stays on the screen";
}

TEST_F(CustomerRecord, ANameWithAQuoteRoundTrips)
{
    const QString name = QStringLiteral("O'Neil's 商店");
    enterName(name);
    frm->txtFAX()->setText(QStringLiteral("fax'1"));
    setCell(0, 1, QStringLiteral("d'Arc"));
    save();
    frm->Read顧客情報(name);
    EXPECT_EQ(frm->txtFAX()->text(), QStringLiteral("fax'1"));
    EXPECT_EQ(grid()->data(grid()->index(0, 1)).toString(), QStringLiteral("d'Arc"));
}

TEST_F(CustomerRecord, AFoundCustomerReplacesEverythingShownANewNameKeepsIt)
{
    storeCustomer({{QStringLiteral("名称"), QStringLiteral("前の客")}, {QStringLiteral("印刷名"), QStringLiteral("前様")},
                   {QStringLiteral("年齢"), 50}, {QStringLiteral("住所1"), QStringLiteral("東京")}});
    storeCustomer({{QStringLiteral("名称"), QStringLiteral("次の客")}, {QStringLiteral("住所1"), QStringLiteral("大阪")}});
    frm->Read顧客情報(QStringLiteral("前の客"));
    EXPECT_EQ(frm->txt印刷名()->text(), QStringLiteral("前様"));
    frm->Read顧客情報(QStringLiteral("次の客"));
    EXPECT_EQ(frm->txt住所1()->text(), QStringLiteral("大阪"));
    EXPECT_EQ(frm->txt印刷名()->text(), QString()) << "a Null field empties its input";
    EXPECT_TRUE(frm->num年齢()->value().isNull());

    setCell(0, 1, QStringLiteral("家族"));
    frm->cmb顧客名()->setText(QStringLiteral("写しの客"));
    frm->Read顧客情報(QStringLiteral("写しの客"));
    EXPECT_EQ(frm->txt住所1()->text(), QStringLiteral("大阪")) << "no such customer: the inputs stay";
    EXPECT_EQ(grid()->data(grid()->index(0, 1)).toString(), QString()) << "and the family grid is empty";
}

TEST_F(CustomerRecord, F5InTheNameBoxReadsAStoredCustomerBeforeSavingIt)
{
    storeCustomer({{QStringLiteral("名称"), QStringLiteral("既存")}, {QStringLiteral("TEL1"), QStringLiteral("既存の電話")},
                   {QStringLiteral("ふりがな"), QStringLiteral("きぞん")}, {QStringLiteral("住所1"), QStringLiteral("東京")},
                   {QStringLiteral("生年月日"), QStringLiteral("1962/01/02")}});
    addFamily(QStringLiteral("既存"), {QStringLiteral("既存の家族")});
    type(frm->cmb顧客名(), QStringLiteral("既存"));
    dialogs.answer(MsgAnswer::Yes);
    key(frm->cmb顧客名(), Qt::Key_F5);
    EXPECT_EQ(storedField(QStringLiteral("既存"), QStringLiteral("TEL1")), QVariant(QStringLiteral("既存の電話")));
    EXPECT_EQ(storedField(QStringLiteral("既存"), QStringLiteral("ふりがな")), QVariant(QStringLiteral("きぞん")));
    EXPECT_EQ(storedField(QStringLiteral("既存"), QStringLiteral("住所1")), QVariant(QStringLiteral("東京")));
    EXPECT_EQ(storedField(QStringLiteral("既存"), QStringLiteral("生年月日")), QVariant(QStringLiteral("1962/01/02")));
    EXPECT_EQ(familyNames(QStringLiteral("既存")), QStringList{QStringLiteral("0:既存の家族")});
}

TEST_F(CustomerRecord, F5InTheNameBoxHoldsTheTwentyCharacterLimit)
{
    type(frm->cmb顧客名(), QString(25, QChar(u'長')));
    dialogs.answer(MsgAnswer::Yes);
    key(frm->cmb顧客名(), Qt::Key_F5);
    EXPECT_EQ(count(d.dataFile(), QStringLiteral("SELECT count(*) AS num FROM 顧客マスタ WHERE length(名称) > 20")), 0);
    EXPECT_EQ(frm->cmb顧客名()->text(), QString(20, QChar(u'長')));
    EXPECT_EQ(dialogs.beeps(), 1);
    EXPECT_TRUE(dialogs.messages().isEmpty()) << "no question: the name is cut, nothing is saved";
}

TEST_F(CustomerRecord, AFamilyThatCannotBeCopiedIsNeitherShownNorStoredUnderTheNextName)
{
    storeCustomer({{QStringLiteral("名称"), QStringLiteral("前の客")}});
    addFamily(QStringLiteral("前の客"), {QStringLiteral("前の家族")});
    storeCustomer({{QStringLiteral("名称"), QStringLiteral("次の客")}});
    addFamily(QStringLiteral("次の客"), {QStringLiteral("次の家族")});
    frm->Read顧客情報(QStringLiteral("前の客"));
    ASSERT_EQ(grid()->data(grid()->index(0, 1)).toString(), QStringLiteral("前の家族"));
    {
        // A full disk: the work table takes no more rows.
        auto work = Database::open(d.workFile());
        ASSERT_TRUE(work);
        ASSERT_TRUE(work->execute(QStringLiteral("CREATE TRIGGER full BEFORE INSERT ON w家族情報 "
                                                 "BEGIN SELECT RAISE(ABORT, 'disk full'); END")));
    }
    enterName(QStringLiteral("次の客"));
    ASSERT_EQ(dialogs.messages().size(), 1) << "the failed read is reported";
    EXPECT_TRUE(dialogs.messages().at(0).text.contains(QStringLiteral("Rov2Work.mdb")));
    for (int row = 0; row < grid()->rowCount(); ++row)
        EXPECT_EQ(grid()->data(grid()->index(row, 1)).toString(), QString()) << "row " << row;

    // Unscripted, the save question would take its preselected Yes.
    frm->Entry顧客マスタ(QStringLiteral("次の客"));
    EXPECT_EQ(familyNames(QStringLiteral("次の客")), QStringList{QStringLiteral("0:次の家族")});
    EXPECT_FALSE(contains(dialogs.messages(), QStringLiteral("次の客 を登録します。よろしいですか")));
    frm->Delete顧客();
    EXPECT_EQ(count(d.dataFile(), QStringLiteral("SELECT count(*) AS num FROM 顧客マスタ WHERE 名称 = ?"),
                    {QStringLiteral("次の客")}),
              1);
    EXPECT_FALSE(contains(dialogs.messages(), QStringLiteral("次の客 を削除します。よろしいですか")));
}

TEST_F(CustomerRecord, AnUnreadableDataFileIsNotTakenForANewCustomer)
{
    storeCustomer({{QStringLiteral("名称"), QStringLiteral("読めない客")}, {QStringLiteral("TEL1"), QStringLiteral("元")}});
    const QString real = env().locations.dataFile;
    QFile broken(d.path(QStringLiteral("broken.mdb")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    ASSERT_EQ(broken.write(QByteArray(4096, '\x5a')), 4096);
    broken.close();
    env().locations.dataFile = broken.fileName();
    frm->txtTEL1()->setText(QStringLiteral("画面"));
    enterName(QStringLiteral("読めない客"));
    ASSERT_EQ(dialogs.messages().size(), 1) << "the failed read is reported";
    EXPECT_TRUE(dialogs.messages().at(0).text.contains(QStringLiteral("broken.mdb")));

    // The file comes back: the name must be read before anything is written under it.
    env().locations.dataFile = real;
    dialogs.answer(MsgAnswer::Yes);
    frm->Entry顧客マスタ(QStringLiteral("読めない客"));
    EXPECT_EQ(storedField(QStringLiteral("読めない客"), QStringLiteral("TEL1")), QVariant(QStringLiteral("元")));
}

TEST_F(CustomerRecord, ClickingSaveReadsTheTypedNameFirst)
{
    storeCustomer({{QStringLiteral("名称"), QStringLiteral("既存")}, {QStringLiteral("TEL1"), QStringLiteral("既存の電話")}});
    frm->txtTEL1()->setText(QStringLiteral("画面の電話"));
    type(frm->cmb顧客名(), QStringLiteral("既存"));
    dialogs.answer(MsgAnswer::Yes);
    QTest::mouseClick(frm->cmd登録(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(storedField(QStringLiteral("既存"), QStringLiteral("TEL1")), QVariant(QStringLiteral("既存の電話")));
}

TEST_F(CustomerRecord, AFamilyOfMoreThanTenIsShownAndSavedWhole)
{
    {
        auto db = Database::open(d.dataFile());
        ASSERT_TRUE(db);
        for (int i = 0; i < 12; ++i)
            ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO 家族情報 (名称, 行番号, 氏名) VALUES (?, ?, ?)"),
                        {QStringLiteral("大家族"), i, QStringLiteral("人%1").arg(i)}));
    }
    storeCustomer({{QStringLiteral("名称"), QStringLiteral("大家族")}});
    frm->Read顧客情報(QStringLiteral("大家族"));
    EXPECT_EQ(grid()->rowCount(), 12);
    EXPECT_EQ(grid()->data(grid()->index(11, 1)).toString(), QStringLiteral("人11"));
    save();
    EXPECT_EQ(familyNames(QStringLiteral("大家族")).size(), 12);
}

TEST_F(CustomerRecord, FamilyRowsCarryTheCustomersCategories)
{
    enterName(QStringLiteral("区分の客"));
    frm->cmb区分2()->setText(QStringLiteral("紹介"));
    setCell(0, 1, QStringLiteral("子"));
    save();
    auto db = Database::open(d.dataFile());
    ASSERT_TRUE(db);
    Query q = db->query(QStringLiteral("SELECT 区分1, 区分2 FROM 家族情報 WHERE 名称 = ?"), {QStringLiteral("区分の客")});
    ASSERT_TRUE(q.next());
    EXPECT_TRUE(q.value(0).isNull());
    EXPECT_EQ(q.value(1).toString(), QStringLiteral("紹介"));
}

TEST_F(CustomerRecord, ASaveStoresTheAgeOfTheBirthDateNotOneLeftFromAnother)
{
    const QString name = QStringLiteral("日付を直す客");
    enterName(name);
    frm->num年齢()->setValue(40);
    frm->dt生年月日()->setDate(QDate(1970, 1, 1));
    setCell(0, family::氏名, QStringLiteral("子"));
    setCell(0, family::生年月日, QDate(1990, 1, 1));
    setCell(0, family::年齢, 3);
    save();
    EXPECT_EQ(storedField(name, QStringLiteral("年齢")), QVariant(31));
    EXPECT_EQ(count(d.dataFile(), QStringLiteral("SELECT count(*) AS num FROM 家族情報 WHERE 名称 = ? AND 年齢 = 11"), {name}),
              1);
}

struct StaleAgeCase {
    const char* what;
    QVariant birth; ///< 生年月日 as stored
    QVariant shown; ///< the age shown, and stored by a save
};

void PrintTo(const StaleAgeCase& c, std::ostream* os) { *os << c.what; }

class StaleAge : public CustomerRecord, public ::testing::WithParamInterface<StaleAgeCase> {};

TEST_P(StaleAge, TheScreenAndTheGridShowAndSaveTheAgeOnToday)
{
    const QString name = QStringLiteral("二十年後の客");
    const StaleAgeCase& c = GetParam();
    storeCustomer({{QStringLiteral("名称"), name}, {QStringLiteral("生年月日"), c.birth}, {QStringLiteral("年齢"), 40}});
    {
        auto db = Database::open(d.dataFile());
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO 家族情報 (名称, 行番号, 氏名, 生年月日, 年齢) VALUES (?, 0, ?, ?, 40)"),
                                {name, QStringLiteral("家族"), c.birth}));
    }
    Clock::setToday(QDate(2021, 6, 15)); // the ages were stored in 2001
    ASSERT_TRUE(frm->Read顧客情報(name));
    EXPECT_EQ(frm->num年齢()->value(), c.shown);
    EXPECT_EQ(grid()->data(grid()->index(0, family::年齢)), c.shown);
    save();
    EXPECT_EQ(storedField(name, QStringLiteral("年齢")), c.shown);
    EXPECT_EQ(count(d.dataFile(), QStringLiteral("SELECT count(*) AS num FROM 家族情報 WHERE 名称 = ? AND 年齢 = ?"),
                    {name, c.shown}),
              1);
}

INSTANTIATE_TEST_SUITE_P(CustomerRecord, StaleAge,
                         ::testing::Values(StaleAgeCase{"born 1960/12/31", QStringLiteral("1960/12/31"), 60},
                                           StaleAgeCase{"no birth date", QVariant(), 40},
                                           StaleAgeCase{"a birth date that is no date", QStringLiteral("1960-12-31"), 40}),
                         ::rov2::test::PrintedName());

} // namespace
} // namespace rov2::test
