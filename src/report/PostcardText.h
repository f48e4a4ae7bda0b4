#pragma once

#include <QString>
#include <optional>

namespace rov2::report {

/// The seven digits of a code written as 1234567 or with one hyphen among
/// them (half- or full-width, a leading 〒 allowed); nothing for anything else.
std::optional<QString> frameDigits(const QString& postalCode);

/// Digits as kanji numerals (10 → 一〇) and the hyphens between numbers as
/// long dashes (1-2-3 → 一―二―三).
QString kanjiNumerals(const QString& text);

/// A text as a vertical line writes it: numbers as kanji numerals when
/// @p kanji, otherwise numbers of one or two digits kept half-width (set side
/// by side) and longer ones upright digit by digit; hyphens as long dashes,
/// other ASCII upright in its full-width form.
QString verticalForm(const QString& text, bool kanji);

/// A name as stored: the surname, and the given name after the first blank
/// (full- or half-width); a name without a blank is all surname.
struct NameParts
{
    QString surname;
    QString given;
};
NameParts splitName(const QString& name);

/// Where a line too long for one column breaks into two: at the first blank,
/// else where the numbers (the block and house numbers) start when that is
/// within @p room characters, else after @p room characters. Blanks at the
/// break are dropped. A line that fits and has no blank stays whole.
/// @return one or two parts
QStringList splitAddress(const QString& address, int room);

} // namespace rov2::report
