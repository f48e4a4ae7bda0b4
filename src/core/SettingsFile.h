#pragma once

#include "WholeFile.h"

#include <QString>
#include <QVariantMap>

namespace rov2 {

/// Stores @p changes in the INI file @p iniPath, keeping every other setting
/// in it. QSettings::sync() puts a file in place whose last bytes never
/// reached the disk, so QSettings only writes the text, to a temporary file
/// that is read back and compared; the text then goes to @p iniPath through
/// writeFileWhole, whole or not at all. The file's folder is made when missing.
/// @param sinks where the bytes go (tests plug failing ones); empty: QSaveFile.
/// @return false when the file could not be written (it is then as it was).
bool storeSettings(const QString& iniPath, const QVariantMap& changes, const FileSinkFactory& sinks = {});

} // namespace rov2
