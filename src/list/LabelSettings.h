#pragma once

#include "WholeFile.h"

#include <QString>
#include <memory>

class QSettings;

namespace rov2 {

/// How far the label printout is moved to meet the sheet, in millimetres
/// (right and down positive). Printers feed a sheet a little off, each its
/// own way, so this belongs to the machine and is kept in the program's own
/// settings, not in the data file that a backup carries elsewhere.
struct LabelOffset
{
    double horizontal = 0;
    double vertical = 0;
    bool operator==(const LabelOffset&) const = default;
};

namespace LabelSettings {

/// The largest offset either way.
inline constexpr double kMaxMm = 5.0;

/// The stored offset, each figure kept within ±kMaxMm and to 0.1 mm; 0 where
/// nothing (or nothing readable) is stored.
LabelOffset load(QSettings& settings);
/// Stores the offset, clamped and rounded as load() reads it, in the INI
/// file @p iniPath (storeSettings: every other setting kept, the file
/// replaced whole or not at all).
/// @param sinks where the bytes go (tests plug failing ones); empty: QSaveFile.
/// @return false when the settings could not be written (the file is as it was).
bool save(const QString& iniPath, const LabelOffset& offset, const FileSinkFactory& sinks = {});

/// The program's own settings (an INI file in the user's configuration folder).
std::unique_ptr<QSettings> programSettings();
/// Where programSettings() keeps them.
QString programSettingsPath();

/// The same on the program's own settings.
LabelOffset load();
bool save(const LabelOffset& offset);

} // namespace LabelSettings

/// The first label to print on the sheet (0 to 11, rows of two from the top
/// left): chosen on TackForm2601, kept until the program ends, 0 at start.
int& tackStartPosition();

} // namespace rov2
