#pragma once

#include <QString>

namespace rov2 {

// Hidden from moc (a screen's header may include this one), which cannot
// parse enumerators that are not ASCII.
#ifndef Q_MOC_RUN
/// The operations of the message catalogue, each with its own messages.
enum class MsgOp { 登録, 転記, 削除, 入力, 行指定, クリア, 印刷, その他 };

/// The kinds of message; which of them an operation has is in Messages.cpp.
enum class MsgKind {
    確認,
    データ確認,
    コード指定,
    完了,
    チェック,
    商品未登録,
    データなし,
    標準完了,
    その他,
    伝票確認,
    伝票確認2,
    指定確認,
    伝票完了,
    伝票完了2,
    削除不可能,
    削除不可,
    上行空白,
    区分なし,
    必須入力なし,
    重複,
    範囲外,
    無効行,
    指定なし,
    余白なし,
    失敗,
    コピー完了,
    読込み完了,
    メッセージ,
    ファイルなし,
};
#endif

/// Shows the catalogue's message for @p kind of @p operation, quoting
/// @p subject unchanged where the text has one. Screens never compose these texts.
/// @return true only when a Yes/No question was answered Yes; false for No,
/// for every notice and for a kind the operation does not have (then nothing
/// is shown and the pair is logged).
bool ShowMessage(MsgOp operation, MsgKind kind, const QString& subject);

// The messages of one operation each; same contract as ShowMessage.
bool MsgEntry(MsgKind kind, const QString& subject);     ///< 登録: saving a record
bool MsgTransfer(MsgKind kind, const QString& subject);  ///< 転記: transferring data
bool MsgDelete(MsgKind kind, const QString& subject);    ///< 削除: deleting
bool MsgInput(MsgKind kind, const QString& subject);     ///< 入力: input checks
bool MsgRowSelect(MsgKind kind, const QString& subject); ///< 行指定: rows of lists and grids
bool MsgReset(MsgKind kind, const QString& subject);     ///< クリア: clearing a screen
bool MsgPrint(MsgKind kind, const QString& subject);     ///< 印刷: printing
bool MsgOther(MsgKind kind, const QString& subject);     ///< その他: notices

} // namespace rov2
