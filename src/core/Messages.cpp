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
    QStringView kind;
    QStringView title;
    QStringView before;
    Subject subject;
    QStringView after;
    Style style;
};

constexpr Subject Q = Subject::Quoted;
constexpr Subject X = Subject::Ignored;

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

// Kinds are tested in table order; the first exact match is shown.
bool show(std::span<const Entry> entries, const QString& kind, const QString& subject)
{
    for (const Entry& e : entries) {
        if (e.kind != kind)
            continue;
        const MessageRequest r = requestFor(e, subject);
        const MsgAnswer answer = dialogs().message(nullptr, r);
        return r.buttons == MsgButtons::YesNo && answer == MsgAnswer::Yes;
    }
    // Said nowhere else: a caller asking for a message the catalogue lacks
    // would otherwise go on as if the user had answered No.
    qWarning().noquote() << "messages: no message of kind" << kind;
    return false;
}

} // namespace

bool MsgEntry(const QString& kind, const QString& subject)
{
    static constexpr Entry entries[] = {
        {u"確認", u"登録の確認", u"", Q, u" を登録します。よろしいですか", Style::AskYes},
        {u"データ確認", u"登録の確認", u"データ ", Q, u" を登録します。よろしいですか", Style::AskYes},
        {u"コード指定", u"登録注意", u"コードが指定されていません。コードを指定してください。", X, u"",
         Style::Info},
        {u"完了", u"登録完了", u"データ  ", Q, u" を登録しました。", Style::Info},
        {u"チェック", u"入力項目のチェック", u"入力必須項目が空白です。", X, u"", Style::Info},
        {u"商品未登録", u"入力項目のチェック", u"登録商品データがありません。", X, u"", Style::Info},
        {u"データなし", u"入力項目のチェック", u"登録がデータがありません。", X, u"", Style::Info},
        {u"標準完了", u"登録メッセージ", u"", Q, u" を登録しました。", Style::Info},
        {u"その他", u"登録完了", u"", Q, u"", Style::Info},
    };
    return show(entries, kind, subject);
}

bool MsgTransfer(const QString& kind, const QString& subject)
{
    static constexpr Entry entries[] = {
        {u"確認", u"登録の確認", u"", Q, u" に転記します。よろしいですか", Style::AskNo},
    };
    return show(entries, kind, subject);
}

bool MsgDelete(const QString& kind, const QString& subject)
{
    static constexpr Entry entries[] = {
        {u"確認", u"削除の確認", u"すべてのデータを削除します。よろしいですか", X, u"", Style::AskNo},
        {u"伝票確認", u"削除の確認", u"伝票 ", Q, u" を削除します。よろしいですか", Style::AskNo},
        {u"伝票確認2", u"削除の確認", u"", Q, u" を削除します。よろしいですか", Style::AskNo},
        {u"データ確認", u"削除の確認", u"データ ", Q, u" を削除します。よろしいですか", Style::AskNo},
        {u"指定確認", u"削除の確認", u"指定された ", Q, u" を削除します。よろしいですか", Style::AskNo},
        {u"伝票完了", u"削除の完了", u"伝票 ", Q, u" を削除しました。", Style::Info},
        {u"削除不可能", u"削除の拒否", u"", Q, u"削除できません。", Style::Info},
        {u"伝票完了2", u"削除の完了", u"", Q, u" を削除しました。", Style::Info},
        {u"完了", u"削除の完了", u"データ ", Q, u" を削除しました。", Style::Info},
        {u"削除不可", u"削除不可", u"", Q,
         u" にデータがあるため削除できません。メンテナンス機能で削除してください。", Style::Info},
    };
    return show(entries, kind, subject);
}

bool MsgInput(const QString& kind, const QString& subject)
{
    static constexpr Entry entries[] = {
        {u"上行空白", u"入力注意", u"上の行が空白です。データは連続して指定してください。", X, u"",
         Style::Info},
        {u"区分なし", u"入力注意", u"区分が指定されていません。区分を指定してください", X, u"", Style::Warn},
        {u"必須入力なし", u"入力注意", u"", Q, u"指定されていません。確認してください", Style::Warn},
        {u"重複", u"入力注意", u"", Q, u"が重複しています。確認してください", Style::Warn},
        {u"範囲外", u"入力注意", u"", Q, u"が指定範囲外です。確認してください", Style::Warn},
    };
    return show(entries, kind, subject);
}

bool MsgRowSelect(const QString& kind, const QString& subject)
{
    static constexpr Entry entries[] = {
        {u"無効行", u"入力注意", u"無効な行が指定されています。行指定をやり直してください。", X, u"",
         Style::Warn},
        {u"指定なし", u"入力注意", u"行が指定されていません。行指定してください。", X, u"", Style::Warn},
        {u"重複", u"入力注意", u"指定行は１回に１行です。行指定をやり直してください。", X, u"", Style::Warn},
        {u"余白なし", u"行挿入注意", u"行挿入する余白はありません。", X, u"", Style::Warn},
    };
    return show(entries, kind, subject);
}

bool MsgReset(const QString& kind, const QString& subject)
{
    static constexpr Entry entries[] = {
        {u"確認", u"画面クリアの確認", u"画面をクリアします。よろしいですか", X, u"", Style::AskNo},
    };
    return show(entries, kind, subject);
}

bool MsgPrint(const QString& kind, const QString& subject)
{
    // The title is the clear confirmation's: that is how the program has always shown it.
    static constexpr Entry entries[] = {
        {u"確認", u"画面クリアの確認", u"", Q, u"を印刷します。よろしいですか", Style::AskNo},
        {u"失敗", u"印刷エラー", u"", Q,
         u" を印刷できませんでした。\nプリンターの状態を確認してください。"
         u"ファイルに出力したときは、ディスクの空きを確認してください"
         u"（途中までのファイルは残していません）。",
         Style::Warn},
    };
    return show(entries, kind, subject);
}

bool MsgOther(const QString& kind, const QString& subject)
{
    static constexpr Entry entries[] = {
        {u"コピー完了", u"コピー完了", u"", Q, u"コピーしました。", Style::Info},
        {u"読込み完了", u"読込完了", u"", Q, u"読込みしました。", Style::Info},
        {u"メッセージ", u"情報", u"", Q, u"", Style::Info},
        {u"ファイルなし", u"情報", u"", Q, u"がありません。確認してください。", Style::Info},
        {u"確認", u"登録の確認", u"", Q, u"", Style::AskYes},
        {u"その他", u"情報", u"", Q, u"", Style::Info},
    };
    return show(entries, kind, subject);
}

bool ShowMessage(const QString& operation, const QString& kind, const QString& subject)
{
    using Routine = bool (*)(const QString&, const QString&);
    static const std::pair<QStringView, Routine> operations[] = {
        {u"登録", MsgEntry},       {u"転記", MsgTransfer}, {u"削除", MsgDelete}, {u"入力", MsgInput},
        {u"行指定", MsgRowSelect}, {u"クリア", MsgReset},  {u"印刷", MsgPrint},  {u"その他", MsgOther},
    };
    for (const auto& [name, routine] : operations) {
        if (name == operation)
            return routine(kind, subject);
    }
    qWarning().noquote() << "messages: no operation" << operation << "(kind" << kind << ")";
    return false;
}

} // namespace rov2
