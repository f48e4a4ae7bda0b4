// The hint editor on the hint file, through its buttons.
#include "CodesFixture.h"

#include "Database.h"
#include "FrmHint.h"
#include "Query.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace rov2::test {
namespace {

class HintEditor : public CodesFixture {
protected:
    FrmHint* load(const QString& form, const QString& button, const QString& caption)
    {
        env().hint = {form, button, caption};
        hint = new FrmHint;
        hint->Form_Load();
        hint->show();
        EXPECT_TRUE(activate(hint));
        return hint;
    }
    QPlainTextEdit* text() const { return ctl<QPlainTextEdit>(hint.data(), "txtContents"); }
    void press(const char* name, MsgAnswer answer)
    {
        dialogs.answer(answer);
        buttonOf(hint, name)->click();
    }
    void store(const QString& form, const QString& button, const QString& contents)
    {
        auto db = Database::open(d.dataFile());
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execute(
            QStringLiteral("INSERT INTO VtHint (FormName, CtlName, FormTitle, Contents) VALUES (?, ?, ?, ?)"),
            {form, button, QStringLiteral("t"), contents}));
    }
    /// "FormName/CtlName/FormTitle/Contents" of every stored note.
    QStringList notes() const
    {
        QStringList out;
        auto db = Database::open(d.dataFile());
        EXPECT_TRUE(db);
        if (!db)
            return out;
        Query q = db->query(QStringLiteral("SELECT FormName, CtlName, FormTitle, Contents FROM VtHint ORDER BY 1, 2"));
        while (q.next())
            out << QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                               q.value(3).toString()}
                       .join(QLatin1Char('/'));
        return out;
    }

    QPointer<FrmHint> hint;
};

TEST_F(HintEditor, ShowsTheHandedOverScreenAndItsNote)
{
    store(QStringLiteral("FrmROV2"), QStringLiteral("CmdHint"), QStringLiteral("一行目\n二行目"));
    load(QStringLiteral("FrmROV2"), QStringLiteral("CmdHint"), QStringLiteral("VAVⅡaruv　Ver1.00"));
    EXPECT_EQ(hint->windowTitle(), QStringLiteral("ヒント"));
    expectHintFor(hint.data(), QStringLiteral("FrmROV2"), QStringLiteral("CmdHint"), QStringLiteral("VAVⅡaruv　Ver1.00"));
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("一行目\n二行目"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return text()->hasFocus(); }));
}

TEST_F(HintEditor, AScreenWithoutANoteOpensEmpty)
{
    store(QStringLiteral("FrmROV2"), QStringLiteral("CmdHint"), QStringLiteral("他の画面"));
    load(QStringLiteral("FrmCodeMaster"), QStringLiteral("cmdHint"), QStringLiteral("コード表"));
    EXPECT_TRUE(text()->toPlainText().isEmpty());
}

TEST_F(HintEditor, SavingTwiceKeepsOneRowWithTheSecondTextAndCaption)
{
    load(QStringLiteral("FrmCodeMaster"), QStringLiteral("cmdHint"), QStringLiteral("旧題"));
    text()->setPlainText(QStringLiteral("最初"));
    press("cmd登録", MsgAnswer::Yes);
    delete hint.data();
    load(QStringLiteral("FrmCodeMaster"), QStringLiteral("cmdHint"), QStringLiteral("新題"));
    text()->setPlainText(QStringLiteral("二度目"));
    press("cmd登録", MsgAnswer::Yes);
    EXPECT_EQ(notes(), QStringList{QStringLiteral("FrmCodeMaster/cmdHint/新題/二度目")});
    ASSERT_EQ(dialogs.messages().size(), 4);
    EXPECT_EQ(dialogs.messages().at(0).text, QStringLiteral("ヒント を登録します。よろしいですか"));
    EXPECT_EQ(dialogs.messages().at(1).title, QStringLiteral("登録完了"));
}

TEST_F(HintEditor, AnsweringNoSavesNothing)
{
    load(QStringLiteral("FrmCodeMaster"), QStringLiteral("cmdHint"), QStringLiteral("題"));
    text()->setPlainText(QStringLiteral("書きかけ"));
    press("cmd登録", MsgAnswer::No);
    EXPECT_TRUE(notes().isEmpty());
    EXPECT_EQ(dialogs.messages().size(), 1);
}

TEST_F(HintEditor, DeletingRemovesOnlyThisScreensButton)
{
    store(QStringLiteral("FrmROV2"), QStringLiteral("CmdHint"), QStringLiteral("本体"));
    store(QStringLiteral("FrmROV2"), QStringLiteral("CmdOther"), QStringLiteral("別ボタン"));
    store(QStringLiteral("FrmCodeMaster"), QStringLiteral("CmdHint"), QStringLiteral("別画面"));
    load(QStringLiteral("FrmROV2"), QStringLiteral("CmdHint"), QStringLiteral("題"));
    press("cmd削除", MsgAnswer::Yes);
    EXPECT_EQ(notes(), (QStringList{"FrmCodeMaster/CmdHint/t/別画面", "FrmROV2/CmdOther/t/別ボタン"}));
    EXPECT_TRUE(text()->toPlainText().isEmpty());
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(dialogs.messages().at(0).text, QStringLiteral("すべてのデータを削除します。よろしいですか"));
    EXPECT_TRUE(dialogs.messages().at(0).defaultIsSecond);
    EXPECT_EQ(dialogs.messages().at(1).title, QStringLiteral("削除の完了"));
}

TEST_F(HintEditor, ClearThenCloseKeepsTheStoredNote)
{
    store(QStringLiteral("FrmROV2"), QStringLiteral("CmdHint"), QStringLiteral("残る"));
    load(QStringLiteral("FrmROV2"), QStringLiteral("CmdHint"), QStringLiteral("題"));
    buttonOf(hint, "cmdクリア")->click();
    EXPECT_TRUE(text()->toPlainText().isEmpty());
    buttonOf(hint, "cmd閉じる")->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return hint.isNull(); })) << "closing unloads the editor";
    EXPECT_EQ(notes(), QStringList{QStringLiteral("FrmROV2/CmdHint/t/残る")});
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(HintEditor, EditTogglesReadOnlyAndTheButtonsColour)
{
    load(QStringLiteral("FrmROV2"), QStringLiteral("CmdHint"), QStringLiteral("題"));
    QPushButton* edit = buttonOf(hint, "cmd編集");
    const QColor face = edit->palette().color(QPalette::Button);
    EXPECT_TRUE(text()->isReadOnly());
    edit->click();
    EXPECT_FALSE(text()->isReadOnly());
    EXPECT_EQ(edit->palette().color(QPalette::Button), QColor(0xFF, 0xC0, 0xC0)) << "C0C0FF in BGR";
    EXPECT_TRUE(QTest::qWaitFor([&] { return text()->hasFocus(); }));
    edit->click();
    EXPECT_TRUE(text()->isReadOnly());
    EXPECT_EQ(edit->palette().color(QPalette::Button), face);
}

TEST_F(HintEditor, AFailedWriteSaysSoInsteadOfTheNotice)
{
    store(QStringLiteral("FrmROV2"), QStringLiteral("CmdHint"), QStringLiteral("古い"));
    {
        // The new note is refused after the old one was already deleted.
        auto db = Database::open(d.dataFile());
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON VtHint "
                                               "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    }
    load(QStringLiteral("FrmROV2"), QStringLiteral("CmdHint"), QStringLiteral("題"));
    text()->setPlainText(QStringLiteral("新しい"));
    press("cmd登録", MsgAnswer::Yes);
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_TRUE(dialogs.messages().at(1).text.contains(QStringLiteral("登録できませんでした")));
    EXPECT_EQ(notes(), QStringList{QStringLiteral("FrmROV2/CmdHint/t/古い")}) << "the old note is kept whole";
}

TEST_F(HintEditor, NamesWithQuotesAreStoredLikeAnyOther)
{
    load(QStringLiteral("Frm'X"), QStringLiteral("cmd'Y"), QStringLiteral("題'"));
    text()->setPlainText(QStringLiteral("it's"));
    press("cmd登録", MsgAnswer::Yes);
    delete hint.data();
    load(QStringLiteral("Frm'X"), QStringLiteral("cmd'Y"), QStringLiteral("題'"));
    EXPECT_EQ(text()->toPlainText(), QStringLiteral("it's"));
}

} // namespace
} // namespace rov2::test
