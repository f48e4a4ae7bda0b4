#include "LabelSettings.h"

#include "SettingsFile.h"

#include <QSettings>
#include <QtDebug>
#include <algorithm>
#include <cmath>

namespace rov2 {
namespace {

const QString kHorizontal = QStringLiteral("labels/horizontalOffsetMm");
const QString kVertical = QStringLiteral("labels/verticalOffsetMm");

double tidy(double mm)
{
    if (!std::isfinite(mm))
        return 0;
    return std::round(std::clamp(mm, -LabelSettings::kMaxMm, LabelSettings::kMaxMm) * 10) / 10;
}

double read(QSettings& s, const QString& key)
{
    bool ok = false;
    const double v = s.value(key, 0).toDouble(&ok);
    return ok ? tidy(v) : 0;
}

} // namespace

LabelOffset LabelSettings::load(QSettings& settings)
{
    return {read(settings, kHorizontal), read(settings, kVertical)};
}

bool LabelSettings::save(const QString& iniPath, const LabelOffset& offset, const FileSinkFactory& sinks)
{
    // Not through QSettings::sync(): it puts a file in place whose last bytes
    // never reached the disk.
    if (storeSettings(iniPath, {{kHorizontal, tidy(offset.horizontal)}, {kVertical, tidy(offset.vertical)}},
                      sinks))
        return true;
    qWarning() << "label offset: cannot write" << iniPath;
    return false;
}

LabelOffset LabelSettings::load()
{
    auto s = programSettings();
    return load(*s);
}

bool LabelSettings::save(const LabelOffset& offset)
{
    return save(programSettingsPath(), offset);
}

std::unique_ptr<QSettings> LabelSettings::programSettings()
{
    // An INI file of the user's, named after the program whatever the
    // application object says (tools and tests share it).
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("VAVⅡaruv"),
                                       QStringLiteral("VAVⅡaruv"));
}

QString LabelSettings::programSettingsPath()
{
    return programSettings()->fileName();
}

int& tackStartPosition()
{
    static int position = 0;
    return position;
}

} // namespace rov2
