#include "Drives.h"

#include "BackupMedia.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace rov2 {

namespace {

// /proc/mounts writes blanks, tabs, new lines and backslashes in octal.
QString unescapeMountField(const QString& field)
{
    QString out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == u'\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out += QChar(code);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

QString readFlag(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(f.readAll()).trimmed();
}

// The whole-disk block name of a device: sdb1 -> sdb, mmcblk0p1 -> mmcblk0,
// fd0 and an unpartitioned sdc stay as they are.
QString diskOf(const QString& device, const QString& sysBlock)
{
    if (QFileInfo(sysBlock + u'/' + device).exists())
        return device;
    static const QRegularExpression partition(QStringLiteral("^(.*?[0-9])p[0-9]+$|^(.*[^0-9])[0-9]+$"));
    const QRegularExpressionMatch m = partition.match(device);
    if (!m.hasMatch())
        return {};
    return m.captured(1).isEmpty() ? m.captured(2) : m.captured(1);
}

bool removableDisk(const QString& disk, const QString& sysBlock)
{
    const QString folder = sysBlock + u'/' + disk;
    if (!QFileInfo(folder).exists())
        return false;
    if (readFlag(folder + QStringLiteral("/removable")) == u"1" || disk.startsWith(u"mmcblk"))
        return true;
    // Many USB sticks and card readers call themselves fixed disks.
    return QFileInfo(folder).canonicalFilePath().contains(QStringLiteral("/usb"));
}

} // namespace

QStringList removableMountPoints(const QString& mounts, const QString& sysBlock)
{
    QStringList points;
    const QStringList lines = mounts.split(u'\n', Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QStringList fields = line.split(u' ', Qt::SkipEmptyParts);
        if (fields.size() < 2 || !fields[0].startsWith(QStringLiteral("/dev/")))
            continue;
        const QString device = QFileInfo(unescapeMountField(fields[0])).fileName();
        const QString disk = diskOf(device, sysBlock);
        const QString point = unescapeMountField(fields[1]);
        if (!disk.isEmpty() && removableDisk(disk, sysBlock) && !points.contains(point))
            points << point;
    }
    return points;
}

QStringList fddDriveList()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("A:"), QStringLiteral("B:"), QStringLiteral("C:"), QStringLiteral("D:"),
            QStringLiteral("E:"), QStringLiteral("F:"), QStringLiteral("G:")};
#else
    QFile mounts(QStringLiteral("/proc/mounts"));
    if (!mounts.open(QIODevice::ReadOnly))
        return {};
    return removableMountPoints(QString::fromUtf8(mounts.readAll()), QStringLiteral("/sys/block"));
#endif
}

bool GoodDrive(const QString& drive)
{
    return !drive.trimmed().isEmpty() && QFileInfo(driveFile(drive, QString())).isDir();
}

bool WriteTest(const QString& drive, MediaWriter& writer)
{
    if (!GoodDrive(drive))
        return false;
    // A name no backup uses, hidden, so that a probe left by a pulled stick
    // is not mistaken for anything of the owner's.
    const QString probe = driveFile(drive, QStringLiteral(".rov2-write-test"));
    const QByteArray text = QByteArrayLiteral("VAV write test\n");
    QString reason;
    bool ok = false;
    if (std::unique_ptr<QFile> file = writer.create(probe, &reason)) {
        ok = file->write(text) == text.size() && file->flush();
        file->close();
        ok = ok && file->error() == QFileDevice::NoError;
        QFile back(probe);
        ok = ok && back.open(QIODevice::ReadOnly) && back.readAll() == text;
    }
    return QFile::remove(probe) && ok;
}

} // namespace rov2
