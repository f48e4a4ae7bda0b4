#pragma once

#include "PostcardData.h"
#include "WholeFile.h"

#include <QString>

class QSettings;

namespace rov2 {

/// How the address side of postcards is printed: writing, numerals, the
/// sender, the print position adjustment and the paper. Like the label
/// offset it belongs to the machine (its printer feeds a card its own way),
/// so it is kept in the program's own settings beside LabelSettings.
namespace PostcardSettings {

/// The stored options; a value that is missing or unreadable gives the
/// default, the offsets are kept within ±kMaxPostcardOffsetMm and to 0.1 mm.
report::PostcardOptions load(QSettings& settings);
/// Stores the options, the offsets clamped and rounded as load() reads them,
/// in the INI file @p iniPath (storeSettings: every other setting kept, the
/// file replaced whole or not at all).
/// @param sinks where the bytes go (tests plug failing ones); empty: QSaveFile.
/// @return false when the settings could not be written (the file is as it was).
bool save(const QString& iniPath, const report::PostcardOptions& options, const FileSinkFactory& sinks = {});

/// The same on the program's own settings (LabelSettings::programSettings).
report::PostcardOptions load();
bool save(const report::PostcardOptions& options);

} // namespace PostcardSettings
} // namespace rov2
