#include "Messages.h"
#include "TestNames.h"

#include "QtPrinters.h"
#include "ScriptedDialogs.h"
#include "CapturedWarnings.h"

#include <gtest/gtest.h>

namespace rov2 {
namespace {

using test::ScriptedDialogs;

enum Style { Info, Warn, AskYes, AskNo };

struct Row
{
    MsgOp operation;
    MsgKind kind;
    QStringView title;
    QStringView text; ///< with the subject "ヒント"
    Style style;
};

void PrintTo(const Row& r, std::ostream* os)
{
    *os << "op" << static_cast<int>(r.operation) << "kind" << static_cast<int>(r.kind);
}

// The whole catalogue, every kind of every operation, with the subject "ヒント"
// in place. Blanks count: "データ  ヒント" has two, "ヒントを印刷" none.
const Row kCatalogue[] = {
    {MsgOp::登録, MsgKind::確認, u"登録の確認", u"ヒント を登録します。よろしいですか", AskYes},
    {MsgOp::登録, MsgKind::データ確認, u"登録の確認", u"データ ヒント を登録します。よろしいですか", AskYes},
    {MsgOp::登録, MsgKind::コード指定, u"登録注意", u"コードが指定されていません。コードを指定してください。",
     Info},
    {MsgOp::登録, MsgKind::完了, u"登録完了", u"データ  ヒント を登録しました。", Info},
    {MsgOp::登録, MsgKind::チェック, u"入力項目のチェック", u"入力必須項目が空白です。", Info},
    {MsgOp::登録, MsgKind::商品未登録, u"入力項目のチェック", u"登録商品データがありません。", Info},
    {MsgOp::登録, MsgKind::データなし, u"入力項目のチェック", u"登録がデータがありません。", Info},
    {MsgOp::登録, MsgKind::標準完了, u"登録メッセージ", u"ヒント を登録しました。", Info},
    {MsgOp::登録, MsgKind::その他, u"登録完了", u"ヒント", Info},
    {MsgOp::転記, MsgKind::確認, u"登録の確認", u"ヒント に転記します。よろしいですか", AskNo},
    {MsgOp::削除, MsgKind::確認, u"削除の確認", u"すべてのデータを削除します。よろしいですか", AskNo},
    {MsgOp::削除, MsgKind::伝票確認, u"削除の確認", u"伝票 ヒント を削除します。よろしいですか", AskNo},
    {MsgOp::削除, MsgKind::伝票確認2, u"削除の確認", u"ヒント を削除します。よろしいですか", AskNo},
    {MsgOp::削除, MsgKind::データ確認, u"削除の確認", u"データ ヒント を削除します。よろしいですか", AskNo},
    {MsgOp::削除, MsgKind::指定確認, u"削除の確認", u"指定された ヒント を削除します。よろしいですか", AskNo},
    {MsgOp::削除, MsgKind::伝票完了, u"削除の完了", u"伝票 ヒント を削除しました。", Info},
    {MsgOp::削除, MsgKind::削除不可能, u"削除の拒否", u"ヒント削除できません。", Info},
    {MsgOp::削除, MsgKind::伝票完了2, u"削除の完了", u"ヒント を削除しました。", Info},
    {MsgOp::削除, MsgKind::完了, u"削除の完了", u"データ ヒント を削除しました。", Info},
    {MsgOp::削除, MsgKind::削除不可, u"削除不可",
     u"ヒント にデータがあるため削除できません。メンテナンス機能で削除してください。", Info},
    {MsgOp::入力, MsgKind::上行空白, u"入力注意", u"上の行が空白です。データは連続して指定してください。",
     Info},
    {MsgOp::入力, MsgKind::区分なし, u"入力注意", u"区分が指定されていません。区分を指定してください", Warn},
    {MsgOp::入力, MsgKind::必須入力なし, u"入力注意", u"ヒント指定されていません。確認してください", Warn},
    {MsgOp::入力, MsgKind::重複, u"入力注意", u"ヒントが重複しています。確認してください", Warn},
    {MsgOp::入力, MsgKind::範囲外, u"入力注意", u"ヒントが指定範囲外です。確認してください", Warn},
    {MsgOp::行指定, MsgKind::無効行, u"入力注意", u"無効な行が指定されています。行指定をやり直してください。",
     Warn},
    {MsgOp::行指定, MsgKind::指定なし, u"入力注意", u"行が指定されていません。行指定してください。", Warn},
    {MsgOp::行指定, MsgKind::重複, u"入力注意", u"指定行は１回に１行です。行指定をやり直してください。",
     Warn},
    {MsgOp::行指定, MsgKind::余白なし, u"行挿入注意", u"行挿入する余白はありません。", Warn},
    {MsgOp::クリア, MsgKind::確認, u"画面クリアの確認", u"画面をクリアします。よろしいですか", AskNo},
    {MsgOp::印刷, MsgKind::確認, u"画面クリアの確認", u"ヒントを印刷します。よろしいですか", AskNo},
    {MsgOp::印刷, MsgKind::失敗, u"印刷エラー",
     u"ヒント を印刷できませんでした。\nプリンターの状態を確認してください。"
     u"ファイルに出力したときは、ディスクの空きを確認してください"
     u"（途中までのファイルは残していません）。",
     Warn},
    {MsgOp::その他, MsgKind::コピー完了, u"コピー完了", u"ヒントコピーしました。", Info},
    {MsgOp::その他, MsgKind::読込み完了, u"読込完了", u"ヒント読込みしました。", Info},
    {MsgOp::その他, MsgKind::メッセージ, u"情報", u"ヒント", Info},
    {MsgOp::その他, MsgKind::ファイルなし, u"情報", u"ヒントがありません。確認してください。", Info},
    {MsgOp::その他, MsgKind::確認, u"登録の確認", u"ヒント", AskYes},
    {MsgOp::その他, MsgKind::その他, u"情報", u"ヒント", Info},
};

class CatalogueTest : public ::testing::TestWithParam<Row>
{
protected:
    bool show(ScriptedDialogs& d)
    {
        const Row& r = GetParam();
        const bool result = ShowMessage(r.operation, r.kind, QStringLiteral("ヒント"));
        EXPECT_EQ(d.messages().size(), 1);
        return result;
    }
    bool asks() const { return GetParam().style == AskYes || GetParam().style == AskNo; }
};

TEST_P(CatalogueTest, ShowsTheEntryAsWritten)
{
    ScriptedDialogs d;
    show(d);
    ASSERT_EQ(d.messages().size(), 1);
    const MessageRequest& m = d.messages().front();
    const Row& r = GetParam();
    EXPECT_EQ(m.title, r.title.toString());
    EXPECT_EQ(m.text, r.text.toString());
    EXPECT_EQ(m.buttons, asks() ? MsgButtons::YesNo : MsgButtons::Ok);
    const MsgIcon icon = asks()            ? MsgIcon::Question
                         : r.style == Warn ? MsgIcon::Exclamation
                                           : MsgIcon::Information;
    EXPECT_EQ(m.icon, icon);
    EXPECT_EQ(m.defaultIsSecond, r.style == AskNo);
}

TEST_P(CatalogueTest, OnlyYesToAQuestionIsTrue)
{
    ScriptedDialogs yes;
    if (asks())
        yes.answer(MsgAnswer::Yes);
    EXPECT_EQ(show(yes), asks());
    if (asks()) {
        ScriptedDialogs no;
        no.answer(MsgAnswer::No);
        EXPECT_FALSE(show(no));
    }
}

TEST_P(CatalogueTest, EnterAnswersThePreselectedButton)
{
    ScriptedDialogs enter; // nothing scripted: the preselected button
    EXPECT_EQ(show(enter), GetParam().style == AskYes);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, CatalogueTest, ::testing::ValuesIn(kCatalogue), ::rov2::test::PrintedName());

struct Unlisted
{
    MsgOp operation;
    MsgKind kind;
};

void PrintTo(const Unlisted& u, std::ostream* os)
{
    *os << "op" << static_cast<int>(u.operation) << "kind" << static_cast<int>(u.kind);
}

class UnlistedTest : public ::testing::TestWithParam<Unlisted>
{
};

TEST_P(UnlistedTest, ShowsNothingAnswersFalseAndIsLogged)
{
    ScriptedDialogs d;
    d.answer(MsgAnswer::Yes);
    test::CapturedWarnings warnings;
    EXPECT_FALSE(ShowMessage(GetParam().operation, GetParam().kind, QStringLiteral("x")));
    EXPECT_TRUE(d.messages().isEmpty());
    EXPECT_TRUE(warnings.said(QStringLiteral("has no message of kind")));
}

INSTANTIATE_TEST_SUITE_P(Catalogue, UnlistedTest,
                         ::testing::Values(Unlisted{MsgOp::入力, MsgKind::確認},
                                           Unlisted{MsgOp::転記, MsgKind::完了},
                                           Unlisted{MsgOp::その他, MsgKind::削除不可},
                                           Unlisted{MsgOp::行指定, MsgKind::必須入力なし}),
                         ::rov2::test::PrintedName());

TEST(Messages, SubjectIsQuotedUnchanged)
{
    ScriptedDialogs d;
    ShowMessage(MsgOp::入力, MsgKind::必須入力なし, QStringLiteral(" 顧客名が "));
    ShowMessage(MsgOp::その他, MsgKind::メッセージ, QStringLiteral("<b>A&B</b>"));
    ASSERT_EQ(d.messages().size(), 2);
    EXPECT_EQ(d.messages().at(0).text, QStringLiteral(" 顧客名が 指定されていません。確認してください"));
    EXPECT_EQ(d.messages().at(1).text, QStringLiteral("<b>A&B</b>"));
}

TEST(Messages, AllDataDeletionIgnoresItsSubject)
{
    ScriptedDialogs d;
    ShowMessage(MsgOp::削除, MsgKind::確認, QStringLiteral("ヒント"));
    ASSERT_EQ(d.messages().size(), 1);
    EXPECT_EQ(d.messages().front().text, QStringLiteral("すべてのデータを削除します。よろしいですか"));
}

TEST(Messages, RoutinesAnswerLikeShowMessage)
{
    ScriptedDialogs d;
    d.answer(MsgAnswer::Yes).answer(MsgAnswer::Yes);
    EXPECT_TRUE(MsgDelete(MsgKind::伝票確認2, QStringLiteral("すべてのデータ")));
    EXPECT_FALSE(MsgOther(MsgKind::削除不可, QStringLiteral("x"))); // a kind of another operation
    EXPECT_TRUE(MsgTransfer(MsgKind::確認, QStringLiteral("x")));
    EXPECT_EQ(d.messages().size(), 2);
    EXPECT_TRUE(d.allUsed());
}

} // namespace
} // namespace rov2
