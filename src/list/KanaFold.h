#pragma once

#include <QString>

#include <string>
#include <string_view>

struct sqlite3;

namespace rov2 {

/// Brings a reading to one spelling, so that a shop owner who types やま
/// finds ヤマダ and ﾔﾏﾀﾞ alike: katakana become hiragana, half-width katakana
/// become full-width (a following ﾞ or ﾟ joins its kana: ﾀﾞ gives だ),
/// full-width Latin letters, digits and the ideographic space become ASCII,
/// and Latin capitals become small letters.
/// Small kana stay small and voiced kana stay voiced: や and ゃ, は and ば
/// remain different.
std::u32string foldKana(std::u32string_view text);
QString foldKana(const QString& text);

/// True when the folded @p text begins with @p foldedPrefix (already folded).
bool startsWithFolded(std::u32string_view text, std::u32string_view foldedPrefix);

/// The SQL function the list's reading filter calls:
///     kana_prefix(reading, prefix) → 1 when the reading begins with the
///     prefix once both are folded, 0 otherwise (also for a Null reading).
inline constexpr const char* kKanaPrefixFunction = "kana_prefix";

/// Registers kana_prefix on one connection. The function lives only as long
/// as the connection; no stored schema may refer to it.
/// @return false when SQLite refused it.
bool registerKanaFunctions(sqlite3* connection);

} // namespace rov2
