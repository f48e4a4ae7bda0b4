// The list screen driven as a user drives it, the files checked afterwards.
#include "ComboBox.h"
#include "CustomerListModel.h"
#include "Database.h"
#include "ListColumn.h"
#include "ListFixture.h"
#include "TestNames.h"
#include "TextBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QTableView>
#include <QTest>

#include <ostream>

namespace rov2::test {
namespace {

QString u(const char* s) { return QString::fromUtf8(s); }
QVariantMap fields(std::initializer_list<std::pair<const char*, QVariant>> list)
{
    QVariantMap m;
    for (const auto& [k, v] : list)
        m.insert(QString::fromUtf8(k), v);
    return m;
}
ListedRow own(const char* name) { return {u(name), QString()}; }
ListedRow member(const char* owner, const char* name) { return {u(owner), u(name)}; }

TEST_F(ListScreen, OpensWithItsCaptionAnEmptyListAndTheDropDownsFilled)
{
    EXPECT_EQ(frm->windowTitle(), u("顧客一覧　　　　VAVⅡaruv　Ver1.00"));
    EXPECT_EQ(frm->listModel()->rowCount(), 0);
    auto* month = ctl<ComboBox>("cmb誕生月");
    ASSERT_TRUE(month);
    EXPECT_EQ(month->count(), 12);
    EXPECT_EQ(month->itemText(0), u("1"));
    EXPECT_TRUE(month->text().isEmpty());
    auto* sex = ctl<ComboBox>("cmb性別");
    ASSERT_TRUE(sex);
    EXPECT_EQ(sex->itemText(0), u("女"));
    EXPECT_EQ(sex->itemText(1), u("男"));
    auto* grid = ctl<QTableView>("Grid明細");
    ASSERT_TRUE(grid);
    const QStringList captions = {QString(), u("顧客名"), u("ふりがな"), u("家族氏名"), u("続柄"), u("住所1"), u("家族")};
    for (int c = 0; c < captions.size(); ++c)
        EXPECT_EQ(grid->model()->headerData(c, Qt::Horizontal).toString(), captions.at(c)) << c;
}

TEST_F(ListScreen, AllFiltersEmptyListsEveryCustomerInReadingOrder)
{
    addCustomer(u("山田　太郎"), u("やまだ たろう"), fields({{"住所1", u("東京都新宿区")}}));
    addCustomer(u("青木　誠"), u("アオキ マコト"));
    addCustomer(u("加藤　愛"), u("ｶﾄｳ ｱｲ"));
    addCustomer(u("伊藤　茂"), u("いとう しげる"));
    addCustomer(u("伊藤　清"), u("いとう しげる"));
    addMember(u("山田　太郎"), u("山田　花子"), u("やまだ はなこ"));
    click("cmd_ENT");
    EXPECT_EQ(listed(), (QList<ListedRow>{own("青木　誠"), own("伊藤　清"), own("伊藤　茂"), own("加藤　愛"),
                                          own("山田　太郎")}));
    EXPECT_EQ(label("LblDispNum"), u("5"));
    EXPECT_EQ(label("LblAllNum"), u("5"));
    EXPECT_EQ(label("LblFamNum"), u("1"));
    const QAbstractItemModel* grid = frm->listModel();
    EXPECT_EQ(grid->index(4, listcol::住所1).data().toString(), u("東京都新宿区"));
    EXPECT_EQ(grid->index(4, listcol::ふりがな).data().toString(), u("やまだ たろう"));
    EXPECT_EQ(grid->index(0, listcol::チェック).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(QApplication::focusWidget(), ctl<QWidget>("Grid明細"));
}

TEST_F(ListScreen, CountsAreWrittenWithThousandsSeparators)
{
    auto db = Database::open(d.dataFile());
    ASSERT_TRUE(db);
    ASSERT_TRUE(db->execute(u("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1234) "
                              "INSERT INTO 顧客マスタ (名称, ふりがな) SELECT '顧客' || i, 'こきゃく' FROM n")));
    db.reset();
    click("cmd_ENT");
    EXPECT_EQ(label("LblDispNum"), u("1,234"));
    EXPECT_EQ(label("LblAllNum"), u("1,234"));
    EXPECT_EQ(label("LblFamNum"), QString()) << "no family rows: 0 shows as nothing";
}

TEST_F(ListScreen, AnEmptyDataFileLeavesAllThreeCountsEmpty)
{
    click("cmd_ENT");
    EXPECT_EQ(frm->listModel()->rowCount(), 0);
    for (const char* name : {"LblDispNum", "LblAllNum", "LblFamNum"})
        EXPECT_EQ(label(name), QString()) << name;
}

struct MonthCase {
    const char* name;
    const char* text;
    QStringList expected;
};

class BirthMonthFilter : public ListScreen, public ::testing::WithParamInterface<MonthCase> {};

TEST_P(BirthMonthFilter, ListsThatMonthOrIgnoresANonNumber)
{
    addCustomer(u("三月　一"), u("あ"), fields({{"誕生月", 3}}));
    addCustomer(u("三月　二"), u("い"), fields({{"誕生月", 3}}));
    addCustomer(u("四月　一"), u("う"), fields({{"誕生月", 4}}));
    addCustomer(u("不明　一"), u("え"));
    setText("cmb誕生月", u(GetParam().text));
    click("cmd_ENT");
    QStringList names;
    for (const ListedRow& r : listed())
        names << r.first;
    EXPECT_EQ(names, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Months, BirthMonthFilter,
    ::testing::Values(MonthCase{"March", "3", {u("三月　一"), u("三月　二")}},
                      MonthCase{"FullWidthDigit", "４", {u("四月　一")}},
                      MonthCase{"NoOneInDecember", "12", {}},
                      MonthCase{"NotANumberIsIgnored", "三", {u("三月　一"), u("三月　二"), u("四月　一"), u("不明　一")}}),
    [](const auto& c) { return std::string(c.param.name); });

struct ReadingCase {
    const char* name;
    const char* filter;
    QStringList expected;
};

class ReadingFilter : public ListScreen, public ::testing::WithParamInterface<ReadingCase> {};

TEST_P(ReadingFilter, IsAPrefixOfAnyKanaSpelling)
{
    addCustomer(u("山田　一"), u("やまだ はじめ"));
    addCustomer(u("山田　二"), u("ヤマダ ジロウ"));
    addCustomer(u("山田　三"), u("ﾔﾏﾀﾞ ｻﾌﾞﾛｳ"));
    addCustomer(u("山下　四"), u("やました しろう"));
    addCustomer(u("小山　五"), u("こやま ごろう"));
    addCustomer(u("記号　六"), u("や%だ"));
    addCustomer(u("記号　七"), u("や_だ"));
    addCustomer(u("英字　八"), u("Smith"));
    addCustomer(u("英字　九"), u("ｓｍｉｔｈ"));
    setText("txtふりがな", u(GetParam().filter));
    click("cmd_ENT");
    QStringList names;
    for (const ListedRow& r : listed())
        names << r.first;
    names.sort();
    QStringList expected = GetParam().expected;
    expected.sort();
    EXPECT_EQ(names, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, ReadingFilter,
    ::testing::Values(
        ReadingCase{"Hiragana", "やま", {u("山田　一"), u("山田　二"), u("山田　三"), u("山下　四")}},
        ReadingCase{"HalfWidth", "ﾔﾏﾀﾞ", {u("山田　一"), u("山田　二"), u("山田　三")}},
        ReadingCase{"Katakana", "ヤマシ", {u("山下　四")}},
        ReadingCase{"NotASubstring", "やま", {u("山田　一"), u("山田　二"), u("山田　三"), u("山下　四")}},
        ReadingCase{"MiddleOfAReading", "まだ", {}},
        ReadingCase{"PercentIsItself", "や%", {u("記号　六")}},
        ReadingCase{"UnderscoreIsItself", "や_", {u("記号　七")}},
        ReadingCase{"QuoteIsItself", "や'", {}},
        ReadingCase{"LatinInAnyCase", "SMI", {u("英字　八"), u("英字　九")}},
        ReadingCase{"FullWidthLatinInAnyCase", "ｓＭｉ", {u("英字　八"), u("英字　九")}}),
    [](const auto& c) { return std::string(c.param.name); });

TEST_F(ListScreen, AQuoteInACategoryFiltersByExactlyThatText)
{
    addCustomer(u("オニール"), u("おにーる"), fields({{"区分1", u("O'Neil会")}}));
    addCustomer(u("別会"), u("べつかい"), fields({{"区分1", u("ONeil会")}}));
    setText("cmb区分1", u("O'Neil会"));
    click("cmd_ENT");
    EXPECT_EQ(listed(), QList<ListedRow>{own("オニール")});
    EXPECT_EQ(label("LblDispNum"), u("1"));
}

TEST_F(ListScreen, FiltersCombineAndFamilyRowsAreChosenByTheirOwnFields)
{
    // A man customer with a wife and a son; a woman customer with a husband.
    addCustomer(u("佐藤　健太"), u("さとう けんた"), fields({{"性別", u("男")}, {"区分1", u("会員")}}));
    addMember(u("佐藤　健太"), u("佐藤　恵子"), u("さとう けいこ"), fields({{"性別", u("女")}, {"区分1", u("会員")}}));
    addMember(u("佐藤　健太"), u("佐藤　翔太"), u("さとう しょうた"), fields({{"性別", u("男")}, {"区分1", u("会員")}}));
    addCustomer(u("鈴木　由美"), u("すずき ゆみ"), fields({{"性別", u("女")}, {"区分1", u("会員")}}));
    addMember(u("鈴木　由美"), u("鈴木　茂"), u("すずき しげる"), fields({{"性別", u("男")}, {"区分1", u("会員")}}));
    addCustomer(u("青木　愛"), u("あおき あい"), fields({{"性別", u("女")}, {"区分1", u("一般")}}));
    setText("cmb性別", u("女"));
    setText("cmb区分1", u("会員"));
    ctl<QCheckBox>("Chk家族")->setChecked(true);
    click("cmd_ENT");
    EXPECT_EQ(listed(), (QList<ListedRow>{member("佐藤　健太", "佐藤　恵子"), own("鈴木　由美")}));
    EXPECT_EQ(label("LblDispNum"), u("2"));
    EXPECT_EQ(label("LblFamNum"), u("3"));
}

TEST_F(ListScreen, WithFamilyTheCustomerComesFirstThenItsMembersByName)
{
    addCustomer(u("山田　太郎"), u("やまだ たろう"));
    addMember(u("山田　太郎"), u("山田　花子"), u("やまだ はなこ"), fields({{"続柄", u("妻")}}));
    addMember(u("山田　太郎"), u("山田　一郎"), u("やまだ いちろう"), fields({{"続柄", u("長男")}}));
    addCustomer(u("阿部　誠"), u("あべ まこと"));
    ctl<QCheckBox>("Chk家族")->setChecked(true);
    click("cmd_ENT");
    // Names in Japanese order: 阿 (ア) comes before 山 (サン), though its code point is higher.
    EXPECT_EQ(listed(), (QList<ListedRow>{own("阿部　誠"), own("山田　太郎"), member("山田　太郎", "山田　一郎"),
                                          member("山田　太郎", "山田　花子")}));
    EXPECT_EQ(frm->listModel()->index(3, listcol::続柄).data().toString(), u("妻"));
    EXPECT_EQ(label("LblDispNum"), u("4"));
}

TEST_F(ListScreen, MarkAllThenDeleteWithYesEmptiesTheListUnderTheSameFilter)
{
    addCustomer(u("会員　一"), u("かいいん いち"), fields({{"区分1", u("会員")}}));
    addMember(u("会員　一"), u("会員　花"), u("かいいん はな"));
    addCustomer(u("会員　二"), u("かいいん に"), fields({{"区分1", u("会員")}}));
    addCustomer(u("一般　三"), u("いっぱん さん"), fields({{"区分1", u("一般")}}));
    addMember(u("一般　三"), u("一般　月"), u("いっぱん つき"));
    setText("cmb区分1", u("会員"));
    click("cmd_ENT");
    ASSERT_EQ(listed().size(), 2);
    key(Qt::Key_F11, "Grid明細");
    EXPECT_EQ(marks(), (QList<bool>{true, true}));
    EXPECT_EQ(frm->listModel()->index(1, listcol::チェック).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    dialogs.answer(MsgAnswer::Yes);
    key(Qt::Key_F6, "Grid明細");
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().at(0).text, u("指定された顧客 を削除します。よろしいですか"));
    EXPECT_TRUE(dialogs.messages().at(0).defaultIsSecond) << "No is preselected";
    EXPECT_EQ(count(d.dataFile(), u("SELECT count(*) AS num FROM 顧客マスタ")), 1);
    EXPECT_EQ(count(d.dataFile(), u("SELECT count(*) AS num FROM 家族情報")), 1);
    EXPECT_EQ(count(d.dataFile(), u("SELECT count(*) AS num FROM 家族情報 WHERE 名称 = ?"), {u("一般　三")}), 1);
    EXPECT_TRUE(listed().isEmpty()) << "listed again under the same filter";
    EXPECT_EQ(label("LblDispNum"), QString());
    EXPECT_EQ(label("LblAllNum"), u("1"));
}

struct FamilyMark {
    const char* name;
    QStringList marked; ///< 氏名 of the marked family rows
    const char* question;
};

class MarkedFamilyRow : public ListScreen, public ::testing::WithParamInterface<FamilyMark> {};

TEST_P(MarkedFamilyRow, AsksNamingTheCustomerAndTheFamilyThatGoWithIt)
{
    addCustomer(u("山田　太郎"), u("やまだ たろう"));
    addMember(u("山田　太郎"), u("山田　花子"), u("やまだ はなこ"), fields({{"性別", u("女")}}));
    addMember(u("山田　太郎"), u("山田　一郎"), u("やまだ いちろう"), fields({{"性別", u("男")}}));
    addCustomer(u("青木　誠"), u("あおき まこと"));
    addMember(u("青木　誠"), u("青木　愛"), u("あおき あい"), fields({{"性別", u("女")}}));
    setText("cmb性別", u("女")); // 山田　一郎 is not listed, yet goes with his family
    ctl<QCheckBox>("Chk家族")->setChecked(true);
    click("cmd_ENT");
    {
        auto work = Database::open(d.workFile());
        ASSERT_TRUE(work);
        for (const QString& name : GetParam().marked)
            ASSERT_TRUE(work->execute(u("UPDATE w顧客リスト SET チェック = -1 WHERE 氏名 = ?"), {name}));
    }
    dialogs.answer(MsgAnswer::Yes);
    key(Qt::Key_F6, "Grid明細");
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().at(0).text, u(GetParam().question));
    EXPECT_EQ(count(d.dataFile(), u("SELECT count(*) AS num FROM 家族情報 WHERE 名称 = ?"), {u("山田　太郎")}), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, MarkedFamilyRow,
    ::testing::Values(FamilyMark{"OneCustomer", {u("山田　花子")}, "顧客 山田　太郎 と家族 2人 を削除します。よろしいですか"},
                      FamilyMark{"TwoCustomers", {u("山田　花子"), u("青木　愛")},
                                 "指定された顧客 2人と家族 3人 を削除します。よろしいですか"}),
    [](const auto& c) { return std::string(c.param.name); });

TEST_F(ListScreen, DeleteAnsweredNoKeepsEverything)
{
    addCustomer(u("会員　一"), u("かいいん いち"));
    click("cmd_ENT");
    click("cmd全選択");
    dialogs.answer(MsgAnswer::No);
    click("cmd削除");
    EXPECT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(count(d.dataFile(), u("SELECT count(*) AS num FROM 顧客マスタ")), 1);
    EXPECT_EQ(marks(), QList<bool>{true});
}

TEST_F(ListScreen, DeleteWithNothingMarkedOnlyMovesTheFocus)
{
    addCustomer(u("会員　一"), u("かいいん いち"));
    click("cmd_ENT");
    key(Qt::Key_F11, "Grid明細");
    key(Qt::Key_F12, "Grid明細");
    EXPECT_EQ(marks(), QList<bool>{false});
    key(Qt::Key_F6, "Grid明細");
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), ctl<QWidget>("txtふりがな"));
    EXPECT_EQ(count(d.dataFile(), u("SELECT count(*) AS num FROM 顧客マスタ")), 1);
    EXPECT_EQ(listed().size(), 1);
}

TEST_F(ListScreen, AFailedDeletionDeletesNothingAndSaysSo)
{
    addCustomer(u("会員　一"), u("かいいん いち"));
    addMember(u("会員　一"), u("会員　花"), u("かいいん はな"));
    addCustomer(u("会員　二"), u("かいいん に"));
    {
        auto db = Database::open(d.dataFile());
        ASSERT_TRUE(db);
        // The second customer cannot be deleted: the first, already gone in the same run, must come back.
        ASSERT_TRUE(db->execute(u("CREATE TRIGGER refuse BEFORE DELETE ON 顧客マスタ WHEN old.名称 = '会員　二' "
                                  "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    }
    click("cmd_ENT");
    click("cmd全選択");
    dialogs.answer(MsgAnswer::Yes);
    click("cmd削除");
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(dialogs.messages().at(1).title, u("削除の拒否"));
    EXPECT_EQ(dialogs.messages().at(1).text, u("指定された顧客は削除できません。"));
    EXPECT_EQ(count(d.dataFile(), u("SELECT count(*) AS num FROM 顧客マスタ")), 2);
    EXPECT_EQ(count(d.dataFile(), u("SELECT count(*) AS num FROM 家族情報")), 1);
    EXPECT_EQ(marks(), (QList<bool>{true, true})) << "the marks stay for another try";
}

struct ListFailure {
    const char* what;
    const char* trigger; ///< makes w顧客リスト refuse a change; nullptr: the data file is gone
    const char* button;
    const char* told;
};

void PrintTo(const ListFailure& c, std::ostream* os) { *os << c.what; }

class FailedListAction : public ListScreen, public ::testing::WithParamInterface<ListFailure> {};

TEST_P(FailedListAction, IsToldToTheUser)
{
    addCustomer(u("会員　一"), u("かいいん いち"));
    click("cmd_ENT");
    ASSERT_EQ(listed().size(), 1);
    const ListFailure& c = GetParam();
    if (c.trigger) {
        auto work = Database::open(d.workFile());
        ASSERT_TRUE(work);
        ASSERT_TRUE(work->execute(u(c.trigger)));
    } else {
        ASSERT_TRUE(QFile::remove(d.dataFile()));
    }
    click(c.button);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().at(0).text, u(c.told));
}

INSTANTIATE_TEST_SUITE_P(
    ListScreen, FailedListAction,
    ::testing::Values(ListFailure{"search", nullptr, "cmd_ENT", "顧客一覧 を読み込めませんでした。データファイルを確認してください。"},
                      ListFailure{"mark all",
                                  "CREATE TRIGGER full BEFORE UPDATE ON w顧客リスト BEGIN SELECT RAISE(ABORT, 'full'); END",
                                  "cmd全選択", "全選択 を行えませんでした。作業ファイルを確認してください。"},
                      ListFailure{"clear",
                                  "CREATE TRIGGER full BEFORE DELETE ON w顧客リスト BEGIN SELECT RAISE(ABORT, 'full'); END",
                                  "cmdクリア", "一覧 をクリアできませんでした。作業ファイルを確認してください。"}),
    PrintedName());

TEST_F(ListScreen, ACodeListCutShortByAFailingReadIsToldOnceAndNotOffered)
{
    {
        auto db = Database::open(d.dataFile());
        ASSERT_TRUE(db);
        for (const char* code : {"01", "02", "04"})
            ASSERT_TRUE(db->execute(u("UPDATE コードマスタ SET sname = ? WHERE kcode = '区分1' AND code = ?"),
                                    {u("会員") + u(code), u(code)}));
    }
    frm->SetComb(ListComb::すべて);
    auto* box = ctl<ComboBox>("cmb区分1");
    ASSERT_TRUE(box);
    const auto entries = [box] {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    };
    const QStringList offered = entries();
    ASSERT_EQ(offered.size(), 3);
    {
        // Every list fails at its third slot, after the first two were read.
        auto db = Database::open(d.dataFile());
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execute(u("ALTER TABLE コードマスタ RENAME TO 元のコードマスタ")));
        ASSERT_TRUE(db->execute(u("CREATE INDEX ix順 ON 元のコードマスタ (kcode, cnt, code)")));
        ASSERT_TRUE(db->execute(u("CREATE VIEW コードマスタ AS SELECT kcode, code, cnt, 性別, CASE WHEN code = '03' "
                                  "THEN abs(-9223372036854775807 - 1) ELSE sname END AS sname FROM 元のコードマスタ")));
    }
    frm->SetComb(ListComb::すべて);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().at(0).text, u("コード表 を読み込めませんでした。データファイルを確認してください。"));
    EXPECT_EQ(entries(), offered);
}

TEST_F(ListScreen, AClickOrSpaceMarksARowInTheWorkTable)
{
    for (const char* n : {"あ", "い", "う"})
        addCustomer(u(n), u(n));
    click("cmd_ENT");
    auto* grid = ctl<QTableView>("Grid明細");
    ASSERT_TRUE(grid);
    const QRect cell = grid->visualRect(grid->model()->index(1, listcol::チェック));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(marks(), (QList<bool>{false, true, false}));
    EXPECT_EQ(grid->currentIndex().row(), 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(marks(), (QList<bool>{false, false, false}));
    // Space works from whatever column the cursor is in.
    grid->setCurrentIndex(grid->model()->index(2, listcol::住所1));
    key(Qt::Key_Space, "Grid明細");
    EXPECT_EQ(marks(), (QList<bool>{false, false, true}));
    EXPECT_EQ(grid->model()->index(2, listcol::チェック).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    // A click in another column only moves the cursor.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, 1)).center());
    EXPECT_EQ(marks(), (QList<bool>{false, false, true}));
}

TEST_F(ListScreen, ANewSearchDropsTheMarks)
{
    addCustomer(u("あ"), u("あ"));
    click("cmd_ENT");
    click("cmd全選択");
    ASSERT_EQ(marks(), QList<bool>{true});
    click("cmd_ENT");
    EXPECT_EQ(marks(), QList<bool>{false});
}

TEST_F(ListScreen, TheSearchButtonClearsTheFiltersButNotTheList)
{
    addCustomer(u("会員　一"), u("かいいん いち"), fields({{"区分1", u("会員")}}));
    setText("txtふりがな", u("かい"));
    setText("cmb区分1", u("会員"));
    ctl<QCheckBox>("Chk家族")->setChecked(true);
    click("cmd_ENT");
    auto* panel = ctl<QWidget>("Cn検索条件");
    click("Command1");
    EXPECT_FALSE(panel->isVisible());
    click("Command3");
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(ctl<TextBox>("txtふりがな")->text().isEmpty());
    EXPECT_TRUE(ctl<ComboBox>("cmb区分1")->text().isEmpty());
    EXPECT_FALSE(ctl<QCheckBox>("Chk家族")->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), ctl<QWidget>("txtふりがな"));
    EXPECT_EQ(listed().size(), 1);
    // The panel's own search button hides it and lists with the (now empty) filters.
    click("Command2");
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(label("LblDispNum"), u("1"));
}

TEST_F(ListScreen, ClearEmptiesTheListTheFiltersAndTheCounts)
{
    addCustomer(u("あ"), u("あ"));
    setText("txtふりがな", u("あ"));
    click("cmd_ENT");
    ASSERT_EQ(label("LblAllNum"), u("1"));
    setText("cmb誕生月", u("5"));
    key(Qt::Key_F9, "Grid明細");
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(frm->listModel()->rowCount(), 0);
    EXPECT_TRUE(ctl<ComboBox>("cmb誕生月")->text().isEmpty());
    EXPECT_TRUE(ctl<TextBox>("txtふりがな")->text().isEmpty());
    for (const char* name : {"LblDispNum", "LblAllNum", "LblFamNum"})
        EXPECT_EQ(label(name), QString()) << name;
}

TEST_F(ListScreen, F7AndThePrintButtonToggleThePrintPanel)
{
    auto* panel = ctl<QGroupBox>("frm印刷選択");
    ASSERT_TRUE(panel);
    EXPECT_FALSE(panel->isVisible());
    key(Qt::Key_F7, "txtふりがな");
    EXPECT_TRUE(panel->isVisible());
    click("cmd印刷");
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(ListScreen, EnterMovesThroughTheFiltersToTheSearch)
{
    addCustomer(u("あ"), u("あ"));
    key(Qt::Key_Return, "txtふりがな");
    EXPECT_EQ(QApplication::focusWidget(), ctl<QWidget>("cmb区分1"));
    key(Qt::Key_Return, "Chk家族");
    EXPECT_EQ(QApplication::focusWidget(), ctl<QWidget>("Command2"));
    key(Qt::Key_Return);
    EXPECT_EQ(label("LblDispNum"), u("1"));
    EXPECT_EQ(QApplication::focusWidget(), ctl<QWidget>("Grid明細"));
}

} // namespace
} // namespace rov2::test
