// The code-table screen through its controls, with the data file read back.
#include "CodeColumn.h"
#include "CodesFixture.h"

#include "AddCodeName.h"
#include "CodeGridView.h"
#include "CodeTableModel.h"
#include "Database.h"
#include "FrmCodeMaster.h"
#include "InputMethod.h"
#include "SexPickList.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>

namespace rov2::test {
namespace {

class CodeMaster : public CodesFixture {
protected:
    void SetUp() override
    {
        CodesFixture::SetUp();
        openCodeMaster();
    }
    void setName(int row, const QString& text)
    {
        ASSERT_TRUE(model()->setData(model()->index(row, codes::sname), text));
    }
    QVariant shown(int row, int column) const { return model()->index(row, column).data(Qt::EditRole); }
    void save(MsgAnswer answer = MsgAnswer::Yes)
    {
        dialogs.answer(answer);
        buttonOf(codes, "cmd登録")->click();
        QApplication::processEvents();
    }
    QStringList storedNames(const QString& kind) const
    {
        QStringList names;
        for (const StoredCode& r : stored(kind))
            names << (r.name.isNull() ? QStringLiteral("-") : r.name.toString());
        return names;
    }
    /// Typing into the current cell: the first key opens the editor, which takes the rest.
    void typeIntoGrid(const QString& text)
    {
        QTest::keyClicks(grid(), text.left(1));
        ASSERT_NE(grid()->currentEditor(), nullptr);
        QTest::keyClicks(QApplication::focusWidget(), text.mid(1));
    }
    void markRow(int row)
    {
        const QRect cell = grid()->visualRect(model()->index(row, codes::sname));
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }
};

QStringList slots(const QStringList& filled)
{
    QStringList all(30, QStringLiteral("-"));
    for (int i = 0; i < filled.size() && i < 30; ++i)
        if (!filled.at(i).isEmpty())
            all[i] = filled.at(i);
    return all;
}

TEST_F(CodeMaster, LoadsThirtySlotsWithTheNamesOfTheFirstKindInTheirCodes)
{
    EXPECT_EQ(codes->windowTitle(), QStringLiteral("コード表　　VAVⅡaruv　Ver1.00"));
    EXPECT_EQ(kindBox()->currentText(), QStringLiteral("区分1"));
    QStringList kinds;
    for (int i = 0; i < kindBox()->count(); ++i)
        kinds << kindBox()->itemText(i);
    EXPECT_EQ(kinds, (QStringList{"区分1", "区分2", "敬称", "続柄"}));

    storeName(QStringLiteral("区分1"), QStringLiteral("03"), QStringLiteral("得意先"));
    storeName(QStringLiteral("区分1"), QStringLiteral("07"), QStringLiteral("仕入先"));
    buttonOf(codes, "cmd読込")->click();
    ASSERT_EQ(model()->rowCount(), 30);
    for (int row = 0; row < 30; ++row) {
        EXPECT_EQ(shown(row, codes::code).toString(), QStringLiteral("%1").arg(row + 1, 2, 10, QChar('0')));
        EXPECT_EQ(shown(row, codes::チェック).toBool(), false);
    }
    EXPECT_EQ(shown(2, codes::sname).toString(), QStringLiteral("得意先"));
    EXPECT_EQ(shown(6, codes::sname).toString(), QStringLiteral("仕入先"));
    EXPECT_TRUE(shown(3, codes::sname).isNull()) << "a free slot stays empty";
    EXPECT_EQ(grid()->currentIndex(), model()->index(0, codes::sname));
    EXPECT_TRUE(grid()->hasFocus());
    QLabel* busy = nullptr;
    ASSERT_NO_FATAL_FAILURE(ctl(codes.data(), "lblMsg", busy));
    EXPECT_FALSE(busy->isVisible());
}

TEST_F(CodeMaster, SavingTwoNamesStoresAllThirtySlotsAndSaysSo)
{
    setName(0, QStringLiteral("一般"));
    setName(4, QStringLiteral("法人"));
    save();
    EXPECT_EQ(storedNames(QStringLiteral("区分1")), slots({"一般", "", "", "", "法人"}));
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(dialogs.messages().at(0).text, QStringLiteral("区分1 を登録します。よろしいですか"));
    EXPECT_EQ(dialogs.messages().at(1).title, QStringLiteral("登録メッセージ"));
    EXPECT_EQ(dialogs.messages().at(1).text, QStringLiteral("区分1 を登録しました。"));
    EXPECT_EQ(env().codeListsVersion, 1) << "the main screen learns that a list changed";
    // The other lists are untouched.
    EXPECT_EQ(stored(QStringLiteral("敬称")).at(1).name.toString(), QStringLiteral("殿"));
    // The work table was reset and the list comes back with the kind box.
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown(4, codes::sname).toString() == QStringLiteral("法人"); }));
}

TEST_F(CodeMaster, AnsweringNoOrHavingNoNameWritesNothing)
{
    {
        auto db = Database::open(d.dataFile());
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execute(QStringLiteral("DELETE FROM コードマスタ WHERE kcode = '区分1'")));
    }
    buttonOf(codes, "cmd登録")->click();
    EXPECT_TRUE(dialogs.messages().isEmpty()) << "no name, no question";
    EXPECT_TRUE(stored(QStringLiteral("区分1")).empty());

    setName(0, QStringLiteral("一般"));
    save(MsgAnswer::No);
    EXPECT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(stored(QStringLiteral("区分1")).empty());
    EXPECT_EQ(shown(0, codes::sname).toString(), QStringLiteral("一般")) << "still on the screen";
}

TEST_F(CodeMaster, SavingWithoutAKindAsksForOne)
{
    kindBox()->setCurrentIndex(-1);
    setName(0, QStringLiteral("一般"));
    save(MsgAnswer::Ok);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().at(0).title, QStringLiteral("入力注意"));
    EXPECT_EQ(dialogs.messages().at(0).text, QStringLiteral("区分が指定されていません。区分を指定してください"));
    EXPECT_EQ(count(d.dataFile(), QStringLiteral("SELECT count(*) AS num FROM コードマスタ WHERE kcode = ''")), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return kindBox()->hasFocus(); }));
}

TEST_F(CodeMaster, RowDeleteWithoutMarksOnlyFocusesTheKindBox)
{
    chooseKind(QStringLiteral("敬称"));
    buttonOf(codes, "cmd削除")->click();
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return kindBox()->hasFocus(); }));
    EXPECT_EQ(storedNames(QStringLiteral("敬称")), slots({"様", "殿", "御中", "先生", "さん", "君", "ちゃん"}));
}

struct DeleteCase {
    const char* label;
    MsgAnswer answer;
    QStringList expected;
};

class RowDelete : public CodeMaster, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(RowDelete, EmptiesTheMarkedNamesAndSavesOnYes)
{
    chooseKind(QStringLiteral("敬称"));
    markRow(0);                     // a double-click on the row
    markRow(3);
    markRow(3);                     // and again: unmarked
    ASSERT_TRUE(QTest::qWaitFor([&] { return !grid()->editPending(); }));
    EXPECT_EQ(grid()->currentEditor(), nullptr) << "a double-click is no edit";
    grid()->setCurrentIndex(model()->index(2, codes::チェック));
    QTest::keyClick(grid(), Qt::Key_Space);
    ASSERT_TRUE(shown(0, codes::チェック).toBool());
    ASSERT_TRUE(shown(2, codes::チェック).toBool());
    ASSERT_FALSE(shown(3, codes::チェック).toBool());

    dialogs.answer(GetParam().answer);
    buttonOf(codes, "cmd削除")->click();
    ASSERT_EQ(dialogs.messages().size(), 1) << "saved without a further question or notice";
    EXPECT_EQ(dialogs.messages().at(0).text, QStringLiteral("指定されたデータ を削除します。よろしいですか"));
    EXPECT_TRUE(dialogs.messages().at(0).defaultIsSecond) << "No preselected";
    EXPECT_EQ(storedNames(QStringLiteral("敬称")), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, RowDelete,
    ::testing::Values(DeleteCase{"Yes", MsgAnswer::Yes, slots({"", "殿", "", "先生", "さん", "君", "ちゃん"})},
                      DeleteCase{"No", MsgAnswer::No, slots({"様", "殿", "御中", "先生", "さん", "君", "ちゃん"})}),
    [](const auto& row) { return std::string(row.param.label); });

TEST_F(CodeMaster, ARelationshipKeepsTheGenderPickedForIt)
{
    EXPECT_TRUE(grid()->isColumnHidden(codes::性別));
    chooseKind(QStringLiteral("続柄"));
    EXPECT_FALSE(grid()->isColumnHidden(codes::性別));
    EXPECT_LT(grid()->columnWidth(codes::sname), grid()->logicalDpiX() * 4580 / 1440);
    for (int c : {codes::行番号, codes::code, codes::Unbound})
        EXPECT_TRUE(grid()->isColumnHidden(c));
    EXPECT_EQ(shown(0, codes::性別).toString(), QStringLiteral("男")) << "夫 comes with its gender";

    setName(26, QStringLiteral("曾孫"));
    const QModelIndex cell = model()->index(26, codes::性別);
    grid()->scrollTo(cell);
    grid()->setCurrentIndex(cell);
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(cell).center());
    SexPickList* list = nullptr;
    ASSERT_NO_FATAL_FAILURE(ctl(codes.data(), "Lst性別", list));
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }));
    EXPECT_GE(list->x(), grid()->viewport()->mapTo(codes, grid()->visualRect(cell).topRight()).x());
    QListWidgetItem* woman = list->findItems(QStringLiteral("女"), Qt::MatchExactly).value(0);
    ASSERT_NE(woman, nullptr);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(woman).center());
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(grid()->currentIndex(), cell);
    EXPECT_EQ(shown(26, codes::性別).toString(), QStringLiteral("女"));

    save();
    EXPECT_EQ(stored(QStringLiteral("続柄")).at(26).sex.toString(), QStringLiteral("女"));
    EXPECT_EQ(stored(QStringLiteral("続柄")).at(0).sex.toString(), QStringLiteral("男"));
    chooseKind(QStringLiteral("続柄"));
    EXPECT_EQ(shown(26, codes::sname).toString(), QStringLiteral("曾孫"));
    EXPECT_EQ(shown(26, codes::性別).toString(), QStringLiteral("女"));
    chooseKind(QStringLiteral("区分2"));
    EXPECT_TRUE(grid()->isColumnHidden(codes::性別));
}

TEST_F(CodeMaster, TheGenderListWorksFromTheKeyboard)
{
    chooseKind(QStringLiteral("続柄"));
    const QModelIndex cell = model()->index(16, codes::性別); // 孫, no gender
    grid()->setCurrentIndex(cell);
    ASSERT_TRUE(focus(grid()));
    QTest::keyClicks(grid(), QStringLiteral("x"));
    EXPECT_EQ(grid()->currentEditor(), nullptr) << "the gender is never typed";
    SexPickList* list = nullptr;
    ASSERT_NO_FATAL_FAILURE(ctl(codes.data(), "Lst性別", list));
    QTest::keyClick(grid(), Qt::Key_F4);
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->hasFocus(); }));
    QTest::keyClick(list, Qt::Key_Up); // from the empty entry (no gender yet) to 男
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(shown(16, codes::性別).toString(), QStringLiteral("男"));

    QTest::keyClick(grid(), Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->hasFocus(); }));
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(list->isVisible());
    EXPECT_FALSE(codes.isNull()) << "Esc closed the list, not the screen";
    EXPECT_EQ(shown(16, codes::性別).toString(), QStringLiteral("男"));
}

TEST_F(CodeMaster, OtherKindsNeitherReadNorWriteTheGender)
{
    storeName(QStringLiteral("区分2"), QStringLiteral("01"), QStringLiteral("個人"), QStringLiteral("女"));
    chooseKind(QStringLiteral("区分2"));
    EXPECT_EQ(shown(0, codes::sname).toString(), QStringLiteral("個人"));
    EXPECT_TRUE(shown(0, codes::性別).isNull());
    // Even a gender in the work table does not go into the list.
    ASSERT_TRUE(model()->setData(model()->index(1, codes::性別), QStringLiteral("男")));
    save();
    for (const StoredCode& r : stored(QStringLiteral("区分2")))
        EXPECT_TRUE(r.sex.isNull()) << qPrintable(r.code);
}

TEST_F(CodeMaster, ACodeOutsideTheSlotsIsNeitherShownNorKept)
{
    {
        auto db = Database::open(d.dataFile());
        ASSERT_TRUE(db);
        for (const char* code : {"31", "1", "00"})
            ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO コードマスタ (kcode, code, sname) VALUES (?, ?, ?)"),
                                    {QStringLiteral("区分1"), QString::fromLatin1(code), QStringLiteral("はみ出し")}));
    }
    buttonOf(codes, "cmd読込")->click();
    for (int row = 0; row < model()->rowCount(); ++row)
        EXPECT_NE(shown(row, codes::sname).toString(), QStringLiteral("はみ出し"));
    setName(0, QStringLiteral("一般"));
    save();
    const auto rows = stored(QStringLiteral("区分1"));
    ASSERT_EQ(rows.size(), 30u);
    EXPECT_EQ(rows.front().code, QStringLiteral("01"));
    EXPECT_EQ(rows.back().code, QStringLiteral("30"));
}

TEST_F(CodeMaster, AClearedNameFreesItsSlotForAutomaticAddition)
{
    chooseKind(QStringLiteral("敬称"));
    setName(1, QString()); // 殿 goes
    save();
    EXPECT_TRUE(stored(QStringLiteral("敬称")).at(1).name.isNull());
    ASSERT_TRUE(AddCodeName(env().locations.dataFile, env().settings, QStringLiteral("敬称"), QStringLiteral("氏"), QString()));
    EXPECT_EQ(stored(QStringLiteral("敬称")).at(1).name.toString(), QStringLiteral("氏"));
}

TEST_F(CodeMaster, AFailedSaveLeavesTheStoredListAsItWasAndSaysSo)
{
    {
        // A name the file refuses: the save fails after the kind's rows were already deleted.
        auto db = Database::open(d.dataFile());
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON コードマスタ "
                                               "WHEN NEW.sname = '拒否' BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    }
    chooseKind(QStringLiteral("敬称"));
    const QStringList before = storedNames(QStringLiteral("敬称"));
    setName(0, QStringLiteral("新"));
    setName(9, QStringLiteral("拒否"));
    save();
    EXPECT_EQ(storedNames(QStringLiteral("敬称")), before);
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_TRUE(dialogs.messages().at(1).text.contains(QStringLiteral("登録できませんでした")));
    EXPECT_EQ(env().codeListsVersion, 0);
    EXPECT_EQ(shown(9, codes::sname).toString(), QStringLiteral("拒否")) << "the slots stay to try again";
}

struct UnreadableCase {
    const char* label;
    bool inWork; ///< the statement breaks the work file, else the data file
    const char* statement;
    const char* told;
};

class UnreadableList : public CodeMaster, public ::testing::WithParamInterface<UnreadableCase> {};

TEST_P(UnreadableList, IsToldOnce)
{
    const UnreadableCase& c = GetParam();
    {
        auto db = Database::open(c.inWork ? d.workFile() : d.dataFile());
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execute(QString::fromUtf8(c.statement)));
    }
    chooseKind(QStringLiteral("敬称"));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().at(0).text, QString::fromUtf8(c.told));
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableList,
    ::testing::Values(UnreadableCase{"DataFile", false, "ALTER TABLE コードマスタ RENAME TO 元のコードマスタ",
                                     "敬称 を読み込めませんでした。データファイルを確認してください。"},
                      UnreadableCase{"WorkFile", true,
                                     "CREATE TRIGGER full BEFORE INSERT ON wコードマスタ BEGIN SELECT RAISE(ABORT, 'full'); END",
                                     "敬称 を読み込めませんでした。作業ファイルを確認してください。"}),
    [](const auto& row) { return std::string(row.param.label); });

TEST_F(CodeMaster, AWorkTableThatTakesNoChangeIsToldAndTheCellKeepsWhatIsStored)
{
    chooseKind(QStringLiteral("敬称"));
    {
        // A full disk: the work table takes no change.
        auto work = Database::open(d.workFile());
        ASSERT_TRUE(work);
        ASSERT_TRUE(work->execute(QStringLiteral("CREATE TRIGGER full BEFORE UPDATE ON wコードマスタ "
                                                 "BEGIN SELECT RAISE(ABORT, 'disk full'); END")));
    }
    const QString where = QDir::toNativeSeparators(d.workFile());
    grid()->setCurrentIndex(model()->index(1, codes::sname));
    ASSERT_TRUE(focus(grid()));
    typeIntoGrid(QStringLiteral("Web"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.messages().size() == 1; }));
    const QString unwritten = QStringLiteral("%1 を書き込めませんでした。%2 を確認してください。");
    EXPECT_EQ(dialogs.messages().at(0).text, unwritten.arg(QStringLiteral("Web"), where));
    EXPECT_EQ(shown(1, codes::sname).toString(), QStringLiteral("殿"));

    markRow(2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.messages().size() == 2; }));
    EXPECT_EQ(dialogs.messages().at(1).text, unwritten.arg(QStringLiteral("チェック"), where));
    EXPECT_FALSE(shown(2, codes::チェック).toBool());
}

TEST_F(CodeMaster, NamesWithQuotesAreStoredLikeAnyOther)
{
    chooseKind(QStringLiteral("区分2"));
    setName(0, QStringLiteral("O'Brien's 会"));
    save();
    chooseKind(QStringLiteral("区分2"));
    EXPECT_EQ(shown(0, codes::sname).toString(), QStringLiteral("O'Brien's 会"));
}

TEST_F(CodeMaster, EnterInANameGoesDownAndTheInputMethodFollowsTheColumn)
{
    const QModelIndex first = model()->index(0, codes::sname);
    grid()->setCurrentIndex(first);
    ASSERT_TRUE(focus(grid()));
    EXPECT_EQ(imeOpenSetting(grid()), std::optional<bool>(true));
    typeIntoGrid(QStringLiteral("abc"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(shown(0, codes::sname).toString(), QStringLiteral("abc"));
    EXPECT_EQ(grid()->currentIndex(), model()->index(1, codes::sname));
    EXPECT_EQ(grid()->currentEditor(), nullptr);

    grid()->setCurrentIndex(model()->index(1, codes::チェック));
    EXPECT_EQ(imeOpenSetting(grid()), std::optional<bool>(false));

    // The last row stays the current one.
    const QModelIndex last = model()->index(29, codes::sname);
    grid()->setCurrentIndex(last);
    QTest::keyClick(grid(), Qt::Key_Return);
    EXPECT_EQ(grid()->currentIndex(), last);
}

TEST_F(CodeMaster, AClickOnTheCurrentNameEditsItInPlace)
{
    chooseKind(QStringLiteral("敬称"));
    const QModelIndex cell = model()->index(1, codes::sname);
    grid()->setCurrentIndex(cell);
    ASSERT_TRUE(focus(grid()));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(cell).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return grid()->currentEditor() != nullptr; }));
    auto* editor = qobject_cast<QLineEdit*>(grid()->currentEditor());
    ASSERT_NE(editor, nullptr);
    editor->end(false);
    QTest::keyClicks(editor, QStringLiteral("x"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(shown(1, codes::sname).toString(), QStringLiteral("殿x"));
    EXPECT_FALSE(shown(1, codes::チェック).toBool());
}

TEST_F(CodeMaster, KeysTypedRightAfterAClickReachTheName)
{
    chooseKind(QStringLiteral("敬称"));
    ASSERT_EQ(grid()->currentIndex(), model()->index(0, codes::sname));
    // The current name (whose editor waits to tell a click from a double-click), then another one.
    for (int row : {0, 3}) {
        const QRect cell = grid()->visualRect(model()->index(row, codes::sname));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Web"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(shown(row, codes::sname).toString(), QStringLiteral("Web")) << "row " << row;
    }
}

TEST_F(CodeMaster, AClickOnTheCurrentMarkTicksIt)
{
    const QModelIndex mark = model()->index(2, codes::チェック);
    grid()->setCurrentIndex(mark);
    ASSERT_TRUE(focus(grid()));
    const QStyleOptionViewItem cell = [&] {
        QStyleOptionViewItem o;
        o.rect = grid()->visualRect(mark);
        o.features = QStyleOptionViewItem::HasCheckIndicator;
        return o;
    }();
    const QRect box = grid()->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &cell, grid());
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, box.center());
    EXPECT_TRUE(shown(2, codes::チェック).toBool());
}

TEST_F(CodeMaster, F5SavesANameStillBeingTyped)
{
    grid()->setCurrentIndex(model()->index(0, codes::sname));
    ASSERT_TRUE(focus(grid()));
    typeIntoGrid(QStringLiteral("xyz"));
    dialogs.answer(MsgAnswer::Yes);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    EXPECT_EQ(stored(QStringLiteral("区分1")).at(0).name.toString(), QStringLiteral("xyz"));
}

TEST_F(CodeMaster, TheKindBoxTakesNoTypingAndEnterGoesToTheGrid)
{
    ASSERT_TRUE(focus(kindBox()));
    // A character as an input method commits it: the box would jump to the kind it starts.
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("続"));
    QApplication::sendEvent(kindBox(), &typed);
    QTest::keyClick(kindBox(), Qt::Key_Delete);
    QTest::keyClick(kindBox(), Qt::Key_Z);
    EXPECT_EQ(kindBox()->currentText(), QStringLiteral("区分1"));
    QTest::keyClick(kindBox(), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return grid()->hasFocus(); }));
}

TEST_F(CodeMaster, ClearShowsTheFirstKindAgain)
{
    chooseKind(QStringLiteral("敬称"));
    setName(8, QStringLiteral("未保存"));
    buttonOf(codes, "cmdクリア")->click();
    EXPECT_EQ(kindBox()->currentText(), QStringLiteral("区分1"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return codes->loadedKind() == QStringLiteral("区分1"); }));
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(stored(QStringLiteral("敬称")).at(8).name, QVariant()) << "クリア writes nothing";
}

TEST_F(CodeMaster, EscClosesTheScreenButFirstCancelsANameBeingTyped)
{
    grid()->setCurrentIndex(model()->index(0, codes::sname));
    ASSERT_TRUE(focus(grid()));
    typeIntoGrid(QStringLiteral("q"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QApplication::processEvents();
    ASSERT_FALSE(codes.isNull());
    EXPECT_EQ(grid()->currentEditor(), nullptr);
    ASSERT_TRUE(focus(grid()));
    QTest::keyClick(grid(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return codes.isNull(); })) << "closed, and so unloaded";
}

} // namespace
} // namespace rov2::test
