#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rov2 {

/// The form in which the look-ups compare texts, so that a user finds a
/// customer however the kana were typed: katakana and half-width katakana
/// become hiragana (a half-width voiced mark joins its kana: ｶﾞ is が),
/// full-width letters, digits and signs become ASCII, Latin letters lower
/// case, and blanks (half- and full-width) are dropped. Kanji and everything
/// else stay as they are.
QString foldForSearch(const QString& text);

/// A telephone number as the look-ups compare it: folded, then without
/// hyphens (-, －, ー, ‐, −), parentheses and blanks: "03（1234）5678" is "0312345678".
QString phoneForm(const QString& text);

/// The typed text cut at blanks into terms, each folded; empty terms dropped.
/// A row matches when it holds every term.
QStringList searchTerms(const QString& typed);

/// The plain hiragana under which a reading is listed in the syllabary: the
/// folded first character with voiced and semi-voiced marks removed (が and ぱ
/// under か and は), small kana under their large ones (ぁ under あ), ゐ and ゑ
/// under い and え. Empty when the reading does not begin with a kana.
QString kanaInitial(const QString& reading);

namespace searchtext {

/// foldForSearch on UTF-8, appending to @p out: the form used inside SQL
/// functions, where converting every row to UTF-16 would cost more than the search.
void foldUtf8(std::string_view text, std::string& out);

/// phoneForm on UTF-8, appending to @p out.
void phoneUtf8(std::string_view text, std::string& out);

/// Appends @p cp to @p out in UTF-8.
void appendUtf8(char32_t cp, std::string& out);

/// kanaInitial on UTF-8: the code point of the plain hiragana, or 0.
char32_t kanaInitialUtf8(std::string_view reading);

/// Half-open ranges [first, last) of code points: a reading whose kanaInitial
/// is @p plain begins with one of them (a form of the kana, or a blank before it).
std::vector<std::pair<char32_t, char32_t>> kanaInitialStarts(char32_t plain);

/// The terms of one search in UTF-8, parsed once and compared with every row.
struct FoldedTerms {
    std::vector<std::string> text;
    std::vector<std::string> phone; ///< the term in phoneForm; empty where it has no digit
    bool needsPhone = false;        ///< some term has a digit
};

/// Parses folded terms joined by one blank (searchTerms joined).
FoldedTerms parseTerms(std::string_view packed);

/// True when every term occurs in @p texts (folded fields, each after a
/// separator no term holds) or, for a term with a digit, in @p phones (the
/// telephone fields in phoneForm, likewise separated); false without terms.
bool matchesAllTerms(const FoldedTerms& terms, std::string_view texts, std::string_view phones);

} // namespace searchtext

} // namespace rov2
