#pragma once

namespace rov2 {

/// Maps the fonts that the screens and printed layouts name (in their Japanese
/// and their ASCII spellings) to the IPA fonts installed with the program.
/// Safe to call more than once.
void installFontSubstitutions();

/// The family the screens are drawn in (the proportional gothic face).
inline constexpr const char* kScreenFont = "ＭＳ Ｐゴシック";

} // namespace rov2
