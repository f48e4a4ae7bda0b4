#pragma once

#include <QString>

namespace rov2::yubin {

/// The town name as the dictionary stores it:
/// - the placeholders "以下に掲載がない場合" and "…の次に番地がくる場合"
///   (the code covers the whole city) become the empty text, and so does
///   "…の次に１～６６３番地がくる場合", which only narrows that to a range of
///   block numbers;
/// - a note in full-width parentheses that only says which block numbers or
///   floors the code covers ("（１～１９丁目）", "（地階・階層不明）",
///   "（次のビルを除く）") is dropped; a note that names a place is kept.
QString cleanTown(const QString& town);

/// True when the text inside a parenthesised note says nothing but which
/// block numbers, lots or floors are covered: numbers, separators and words
/// such as 丁目, 番地, 地割, 階, 以上, 以外, を除く, その他.
bool isCoverageNote(const QString& inner);

/// The number of "（" not yet closed by a "）" in @p text; negative when
/// more close than open.
int openParentheses(const QString& text);

} // namespace rov2::yubin
