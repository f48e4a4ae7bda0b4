// The データ削除 tab: questions, notices, what each deletion empties and what it leaves.
#include "HosyuFixture.h"

#include <QPushButton>

namespace rov2::test {
namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

class Deletion : public HosyuFixture {
protected:
    void SetUp() override
    {
        HosyuFixture::SetUp();
        const QString data = d.dataFile();
        exec(data, QStringLiteral("INSERT INTO 顧客マスタ (code, 名称, ふりがな) VALUES (1, '青木　一郎', 'あおき'), "
                                  "(2, '井上　花子', 'いのうえ')"));
        exec(data, QStringLiteral("INSERT INTO 家族情報 (名称, 行番号, 氏名) VALUES ('青木　一郎', 0, '青木　次郎'), "
                                  "('青木　一郎', 1, '青木　三郎'), ('井上　花子', 0, '井上　太郎')"));
        exec(data, QStringLiteral("INSERT INTO 着信履歴 (code, 着信日時) VALUES (1, '2001/06/01'), (2, '2001/06/02')"));
        exec(data, QStringLiteral("INSERT INTO 電話番号 (code, 電話番号) VALUES (1, '03-1111-1111'), (2, '03-2222-2222')"));
        open();
    }

    qint64 n(const char* sql) { return count(d.dataFile(), QString::fromUtf8(sql)); }
    qint64 customers() { return n("SELECT count(*) AS num FROM 顧客マスタ"); }
    qint64 families() { return n("SELECT count(*) AS num FROM 家族情報"); }
    qint64 codeSlots() { return n("SELECT count(*) AS num FROM コードマスタ WHERE kcode IS NOT NULL AND code IS NOT NULL"); }
    qint64 codeNames() { return n("SELECT count(*) AS num FROM コードマスタ WHERE sname IS NOT NULL"); }
    qint64 calls() { return n("SELECT count(*) AS num FROM 着信履歴"); }
    qint64 phones() { return n("SELECT count(*) AS num FROM 電話番号"); }

    /// Everything a deletion may touch, to compare before and after.
    QList<qint64> snapshot()
    {
        return {customers(), families(), codeSlots(), codeNames(), calls(), phones(),
                n("SELECT count(*) AS num FROM 自社情報")};
    }
};

// One button of the tab and what it empties.
struct Button {
    const char* name;
    const char* subject;
    bool customers;  ///< empties 顧客マスタ and 家族情報
    bool codeNames;  ///< blanks every code name
    const char* refuse; ///< a trigger that makes its statements fail
};

class Buttons : public Deletion, public ::testing::WithParamInterface<Button> {};

TEST_P(Buttons, YesDeletesAndReportsOnce)
{
    const Button& b = GetParam();
    ASSERT_GT(codeNames(), 0) << "the supplied file names some codes";
    const auto before = snapshot();
    dialogs.answer(MsgAnswer::Yes);
    click(b.name);

    EXPECT_EQ(customers(), b.customers ? 0 : before[0]);
    EXPECT_EQ(families(), b.customers ? 0 : before[1]);
    EXPECT_EQ(codeSlots(), before[2]) << "the code slots stay";
    EXPECT_EQ(codeNames(), b.codeNames ? 0 : before[3]);
    EXPECT_EQ(calls(), before[4]) << "call history is not touched";
    EXPECT_EQ(phones(), before[5]);
    ASSERT_EQ(dialogs.messages().size(), 2) << "one question, one notice";
    const MessageRequest& q = dialogs.messages().at(0);
    EXPECT_EQ(q.title, text("削除の確認"));
    EXPECT_EQ(q.text, text(b.subject) + text(" を削除します。よろしいですか"));
    EXPECT_EQ(q.buttons, MsgButtons::YesNo);
    EXPECT_TRUE(q.defaultIsSecond) << "No is preselected";
    EXPECT_EQ(dialogs.messages().at(1).title, text("削除の完了"));
    EXPECT_EQ(dialogs.messages().at(1).text, text(b.subject) + text(" を削除しました。"));
}

TEST_P(Buttons, NoOrEnterChangesNothingAndSaysNothingMore)
{
    const auto before = snapshot();
    dialogs.answer(MsgAnswer::No);
    click(GetParam().name);
    click(GetParam().name); // unscripted: the preselected button, as Enter answers
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(dialogs.messages().size(), 2) << "the two questions only";
}

TEST_P(Buttons, OnEmptyTablesItAsksRunsAndReports)
{
    exec(d.dataFile(), QStringLiteral("DELETE FROM 顧客マスタ"));
    exec(d.dataFile(), QStringLiteral("DELETE FROM 家族情報"));
    exec(d.dataFile(), QStringLiteral("DELETE FROM コードマスタ"));
    dialogs.answer(MsgAnswer::Yes);
    click(GetParam().name);
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(dialogs.messages().at(1).title, text("削除の完了"));
}

TEST_P(Buttons, AFailureSaysSoAndLeavesTheDataAsItWas)
{
    const auto before = snapshot();
    exec(d.dataFile(), QString::fromUtf8(GetParam().refuse));
    dialogs.answer(MsgAnswer::Yes);
    click(GetParam().name);
    EXPECT_EQ(snapshot(), before) << "no statement of the deletion stays done";
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_NE(dialogs.messages().at(1).title, text("削除の完了"));
    EXPECT_TRUE(dialogs.messages().at(1).text.startsWith(text(GetParam().subject) + text(" を削除できませんでした")))
        << dialogs.messages().at(1).text.toStdString();
}

// The family rows go after the customers, so refusing them tests that the
// customers' deletion is undone; すべてのデータ blanks the codes last.
INSTANTIATE_TEST_SUITE_P(
    Row, Buttons,
    ::testing::Values(
        Button{"Command1", "すべてのデータ", true, true,
               "CREATE TRIGGER refuse BEFORE UPDATE ON コードマスタ BEGIN SELECT RAISE(ABORT, 'refused'); END"},
        Button{"Command6", "すべての顧客情報", true, false,
               "CREATE TRIGGER refuse BEFORE DELETE ON 家族情報 BEGIN SELECT RAISE(ABORT, 'refused'); END"},
        Button{"Command5", "すべてのコード表", false, true,
               "CREATE TRIGGER refuse BEFORE UPDATE ON コードマスタ BEGIN SELECT RAISE(ABORT, 'refused'); END"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(Deletion, AMissingDataFileIsReportedNotCompleted)
{
    env().locations.dataFile = d.path(QStringLiteral("gone/Rov2Data.mdb"));
    dialogs.answer(MsgAnswer::Yes);
    click("Command6");
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_NE(dialogs.messages().at(1).title, text("削除の完了"));
}

TEST_F(Deletion, TheSilentFormsAskNothing)
{
    EXPECT_TRUE(frm->DelAllCodeMaster());
    EXPECT_EQ(codeNames(), 0);
    EXPECT_TRUE(frm->DeleteAllKokyaku(false));
    EXPECT_EQ(customers(), 0);
    EXPECT_EQ(families(), 0);
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(Deletion, TheCallHistoryGoesAloneAfterItsQuestion)
{
    const auto before = snapshot();
    dialogs.answer(MsgAnswer::Yes);
    frm->DeleteAll着信履歴();
    EXPECT_EQ(calls(), 0);
    EXPECT_EQ(customers(), before[0]);
    EXPECT_EQ(phones(), before[5]);
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(dialogs.messages().at(0).text, text("すべての着信履歴 を削除します。よろしいですか"));
}

TEST_F(Deletion, OneCustomerGoesByItsNumberWithItsCallsAndPhones)
{
    dialogs.answer(MsgAnswer::Yes);
    frm->DelSiteiKokyaku(1, text("青木　一郎"));
    EXPECT_EQ(n("SELECT count(*) AS num FROM 顧客マスタ WHERE code = 1"), 0);
    EXPECT_EQ(n("SELECT count(*) AS num FROM 着信履歴 WHERE code = 1"), 0);
    EXPECT_EQ(n("SELECT count(*) AS num FROM 電話番号 WHERE code = 1"), 0);
    EXPECT_EQ(customers(), 1) << "the other customer stays";
    EXPECT_EQ(calls(), 1);
    EXPECT_EQ(phones(), 1);
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(dialogs.messages().at(0).text, text("青木　一郎の顧客情報、着信履歴 を削除します。よろしいですか"));
}

TEST_F(Deletion, OneCustomerWithoutANameIsAnInputWarning)
{
    const auto before = snapshot();
    frm->DelSiteiKokyaku(1, QString());
    EXPECT_EQ(snapshot(), before);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().at(0).title, text("入力注意"));
    EXPECT_EQ(dialogs.messages().at(0).text, text("顧客名が指定されていません。確認してください"));
}

} // namespace
} // namespace rov2::test
