#include "Messages.h"

#include "Dialogs.h"

#include <QtDebug>
#include <span>

namespace rov2 {

namespace {

enum class Style { Info, Warn, AskYes, AskNo };

// The subject goes between before and after, unless the text ignores it.
enum class Subject { Quoted, Ignored };

struct Entry
{
    MsgKind kind;
    QStringView title;
    QStringView before;
    Subject subject;
    QStringView after;
    Style style;
};

constexpr Subject Q = Subject::Quoted;
constexpr Subject X = Subject::Ignored;
using K = MsgKind;

MessageRequest requestFor(const Entry& e, const QString& subject)
{
    MessageRequest r;
    r.title = e.title.toString();
    r.text = e.before.toString() + (e.subject == Subject::Quoted ? subject : QString()) + e.after.toString();
    const bool asks = e.style == Style::AskYes || e.style == Style::AskNo;
    r.buttons = asks ? MsgButtons::YesNo : MsgButtons::Ok;
    r.icon = asks ? MsgIcon::Question : e.style == Style::Warn ? MsgIcon::Exclamation : MsgIcon::Information;
    r.defaultIsSecond = e.style == Style::AskNo;
    return r;
}

// A kind appears at most once in a table; a kind the table lacks shows nothing.
bool show(QStringView operation, std::span<const Entry> entries, MsgKind kind, const QString& subject)
{
    for (const Entry& e : entries) {
        if (e.kind != kind)
            continue;
        const MessageRequest r = requestFor(e, subject);
        const MsgAnswer answer = dialogs().message(nullptr, r);
        return r.buttons == MsgButtons::YesNo && answer == MsgAnswer::Yes;
    }
    // Said nowhere else: a caller asking for a message the operation lacks
    // would otherwise go on as if the user had answered No.
    qWarning().noquote() << "messages:" << operation << "has no message of kind" << static_cast<int>(kind);
    return false;
}

} // namespace

bool MsgEntry(MsgKind kind, const QString& subject)
{
    static constexpr Entry entries[] = {
        {K::確認, u"登録の確認", u"", Q, u" を登録します。よろしいですか", Style::AskYes},
        {K::データ確認, u"登録の確認", u"データ ", Q, u" を登録します。よろしいですか", Style::AskYes},
        {K::コード指定, u"登録注意", u"コードが指定されていません。コードを指定してください。", X, u"",
         Style::Info},
        {K::完了, u"登録完了", u"データ  ", Q, u" を登録しました。", Style::Info},
        {K::チェック, u"入力項目のチェック", u"入力必須項目が空白です。", X, u"", Style::Info},
        {K::商品未登録, u"入力項目のチェック", u"登録商品データがありません。", X, u"", Style::Info},
        {K::データなし, u"入力項目のチェック", u"登録がデータがありません。", X, u"", Style::Info},
        {K::標準完了, u"登録メッセージ", u"", Q, u" を登録しました。", Style::Info},
        {K::その他, u"登録完了", u"", Q, u"", Style::Info},
    };
    return show(u"登録", entries, kind, subject);
}

bool MsgTransfer(MsgKind kind, const QString& subject)
{
    static constexpr Entry entries[] = {
        {K::確認, u"登録の確認", u"", Q, u" に転記します。よろしいですか", Style::AskNo},
    };
    return show(u"転記", entries, kind, subject);
}

bool MsgDelete(MsgKind kind, const QString& subject)
{
    static constexpr Entry entries[] = {
        {K::確認, u"削除の確認", u"すべてのデータを削除します。よろしいですか", X, u"", Style::AskNo},
        {K::伝票確認, u"削除の確認", u"伝票 ", Q, u" を削除します。よろしいですか", Style::AskNo},
        {K::伝票確認2, u"削除の確認", u"", Q, u" を削除します。よろしいですか", Style::AskNo},
        {K::データ確認, u"削除の確認", u"データ ", Q, u" を削除します。よろしいですか", Style::AskNo},
        {K::指定確認, u"削除の確認", u"指定された ", Q, u" を削除します。よろしいですか", Style::AskNo},
        {K::伝票完了, u"削除の完了", u"伝票 ", Q, u" を削除しました。", Style::Info},
        {K::削除不可能, u"削除の拒否", u"", Q, u"削除できません。", Style::Info},
        {K::伝票完了2, u"削除の完了", u"", Q, u" を削除しました。", Style::Info},
        {K::完了, u"削除の完了", u"データ ", Q, u" を削除しました。", Style::Info},
        {K::削除不可, u"削除不可", u"", Q,
         u" にデータがあるため削除できません。メンテナンス機能で削除してください。", Style::Info},
    };
    return show(u"削除", entries, kind, subject);
}

bool MsgInput(MsgKind kind, const QString& subject)
{
    static constexpr Entry entries[] = {
        {K::上行空白, u"入力注意", u"上の行が空白です。データは連続して指定してください。", X, u"",
         Style::Info},
        {K::区分なし, u"入力注意", u"区分が指定されていません。区分を指定してください", X, u"", Style::Warn},
        {K::必須入力なし, u"入力注意", u"", Q, u"指定されていません。確認してください", Style::Warn},
        {K::重複, u"入力注意", u"", Q, u"が重複しています。確認してください", Style::Warn},
        {K::範囲外, u"入力注意", u"", Q, u"が指定範囲外です。確認してください", Style::Warn},
    };
    return show(u"入力", entries, kind, subject);
}

bool MsgRowSelect(MsgKind kind, const QString& subject)
{
    static constexpr Entry entries[] = {
        {K::無効行, u"入力注意", u"無効な行が指定されています。行指定をやり直してください。", X, u"",
         Style::Warn},
        {K::指定なし, u"入力注意", u"行が指定されていません。行指定してください。", X, u"", Style::Warn},
        {K::重複, u"入力注意", u"指定行は１回に１行です。行指定をやり直してください。", X, u"", Style::Warn},
        {K::余白なし, u"行挿入注意", u"行挿入する余白はありません。", X, u"", Style::Warn},
    };
    return show(u"行指定", entries, kind, subject);
}

bool MsgReset(MsgKind kind, const QString& subject)
{
    static constexpr Entry entries[] = {
        {K::確認, u"画面クリアの確認", u"画面をクリアします。よろしいですか", X, u"", Style::AskNo},
    };
    return show(u"クリア", entries, kind, subject);
}

bool MsgPrint(MsgKind kind, const QString& subject)
{
    // The title is the clear confirmation's: that is how the program has always shown it.
    static constexpr Entry entries[] = {
        {K::確認, u"画面クリアの確認", u"", Q, u"を印刷します。よろしいですか", Style::AskNo},
        {K::失敗, u"印刷エラー", u"", Q,
         u" を印刷できませんでした。\nプリンターの状態を確認してください。"
         u"ファイルに出力したときは、ディスクの空きを確認してください"
         u"（途中までのファイルは残していません）。",
         Style::Warn},
    };
    return show(u"印刷", entries, kind, subject);
}

bool MsgOther(MsgKind kind, const QString& subject)
{
    static constexpr Entry entries[] = {
        {K::コピー完了, u"コピー完了", u"", Q, u"コピーしました。", Style::Info},
        {K::読込み完了, u"読込完了", u"", Q, u"読込みしました。", Style::Info},
        {K::メッセージ, u"情報", u"", Q, u"", Style::Info},
        {K::ファイルなし, u"情報", u"", Q, u"がありません。確認してください。", Style::Info},
        {K::確認, u"登録の確認", u"", Q, u"", Style::AskYes},
        {K::その他, u"情報", u"", Q, u"", Style::Info},
    };
    return show(u"その他", entries, kind, subject);
}

bool ShowMessage(MsgOp operation, MsgKind kind, const QString& subject)
{
    switch (operation) {
    case MsgOp::登録:
        return MsgEntry(kind, subject);
    case MsgOp::転記:
        return MsgTransfer(kind, subject);
    case MsgOp::削除:
        return MsgDelete(kind, subject);
    case MsgOp::入力:
        return MsgInput(kind, subject);
    case MsgOp::行指定:
        return MsgRowSelect(kind, subject);
    case MsgOp::クリア:
        return MsgReset(kind, subject);
    case MsgOp::印刷:
        return MsgPrint(kind, subject);
    case MsgOp::その他:
        return MsgOther(kind, subject);
    }
    qWarning() << "messages: no operation" << static_cast<int>(operation);
    return false;
}

} // namespace rov2
