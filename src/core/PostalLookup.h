#pragma once

#include <QString>

namespace rov2 {

/// The address of a postal code from the postal dictionary at @p postalFile:
/// 県漢字 + 市町村漢字 + 町名漢字 of the code's first row, joined without separators; a Null part adds nothing.
///
/// The code is first matched exactly as typed. Only when that finds nothing
/// is it tried once more in the dictionary's own form (NormalizePostalCode),
/// so "100-0001" and "１００－０００１" find 1000001.
///
/// @return the address, or an empty QString when the text is empty, nothing
/// matches, or the dictionary is missing (then no file is opened or created)
/// or unreadable.
QString LookupAddress(const QString& postalFile, const QString& code);

/// A postal code in the form the dictionary stores: full-width digits made
/// half-width, blanks and the hyphens "-", "－" and "ー" removed; any other
/// character is kept as it is.
QString NormalizePostalCode(const QString& text);

} // namespace rov2
