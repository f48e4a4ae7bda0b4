#include "SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QtDebug>
#include <optional>

namespace rov2 {
namespace {

QVariantMap allSettings(const QSettings& s)
{
    QVariantMap values;
    for (const QString& key : s.allKeys())
        values.insert(key, s.value(key));
    return values;
}

QString textOf(const QVariant& v)
{
    const int type = v.metaType().id();
    if (type == QMetaType::QStringList || type == QMetaType::QVariantList)
        return v.toStringList().join(QChar(0x1F));
    return v.toString();
}

/// The same settings as far as a file can tell: the same keys, each with the
/// same text (a value read back is text; one just set may be a number).
bool sameSettings(const QVariantMap& written, const QVariantMap& readBack)
{
    if (written.keys() != readBack.keys())
        return false;
    for (auto it = written.cbegin(); it != written.cend(); ++it)
        if (textOf(it.value()) != textOf(readBack.value(it.key())))
            return false;
    return true;
}

/// The INI text of @p iniPath's settings with @p changes, as QSettings writes it.
std::optional<QByteArray> settingsText(const QString& iniPath, const QVariantMap& changes)
{
    const QTemporaryDir staging;
    const QString text = staging.filePath(QStringLiteral("settings.ini"));
    QVariantMap values = allSettings(QSettings(iniPath, QSettings::IniFormat));
    values.insert(changes);
    {
        QSettings out(text, QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            out.setValue(it.key(), it.value());
        out.sync();
        if (!staging.isValid() || out.status() != QSettings::NoError)
            return std::nullopt;
    }
    // A short file here would read back short.
    if (!sameSettings(values, allSettings(QSettings(text, QSettings::IniFormat))))
        return std::nullopt;
    QFile file(text);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace

bool storeSettings(const QString& iniPath, const QVariantMap& changes, const FileSinkFactory& sinks)
{
    const std::optional<QByteArray> text = settingsText(iniPath, changes);
    if (!text) {
        qWarning() << "settings: cannot make the text of" << iniPath;
        return false;
    }
    if (!QDir().mkpath(QFileInfo(iniPath).absolutePath())) {
        qWarning() << "settings: cannot make the folder of" << iniPath;
        return false;
    }
    return writeFileWhole(iniPath, *text, sinks);
}

} // namespace rov2
