#pragma once

#include <QString>

namespace rov2 {

/// Shows the catalogue's message for @p kind of @p operation ("登録", "転記",
/// "削除", "入力", "行指定", "クリア", "印刷", "その他"), quoting @p subject
/// unchanged where the text has one. Screens never compose these texts.
/// @return true only when a Yes/No question was answered Yes; false for No,
/// for every notice and for an operation or kind the catalogue does not list
/// (then nothing is shown).
bool ShowMessage(const QString& operation, const QString& kind, const QString& subject);

// The messages of one operation each; same contract as ShowMessage.
bool MsgEntry(const QString& kind, const QString& subject);     ///< 登録: saving a record
bool MsgTransfer(const QString& kind, const QString& subject);  ///< 転記: transferring data
bool MsgDelete(const QString& kind, const QString& subject);    ///< 削除: deleting
bool MsgInput(const QString& kind, const QString& subject);     ///< 入力: input checks
bool MsgRowSelect(const QString& kind, const QString& subject); ///< 行指定: rows of lists and grids
bool MsgReset(const QString& kind, const QString& subject);     ///< クリア: clearing a screen
bool MsgPrint(const QString& kind, const QString& subject);     ///< 印刷: printing
bool MsgOther(const QString& kind, const QString& subject);     ///< その他: notices

} // namespace rov2
