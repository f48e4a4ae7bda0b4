#pragma once

#include <QString>
#include <QStringList>

namespace rov2 {

class MediaWriter;

/// The choices of the drive list (cmbFDD): on Windows the drive letters
/// "A:" to "G:"; elsewhere the mount points of the removable media mounted
/// now (USB sticks, SD cards, floppy disks). Any folder typed there serves
/// as a drive as well.
QStringList fddDriveList();

/// The mount points in @p mounts (the text of /proc/mounts) whose device is
/// removable according to @p sysBlock (a /sys/block folder): its
/// "removable" flag is set, it sits on a USB bus, or it is an SD card.
/// Each mount point once, in the order of @p mounts.
QStringList removableMountPoints(const QString& mounts, const QString& sysBlock);

/// Whether the drive holds a disk: the folder exists.
bool GoodDrive(const QString& drive);

/// Whether the drive can be written: a probe file can be created, written,
/// read back and removed there through @p writer.
bool WriteTest(const QString& drive, MediaWriter& writer);

} // namespace rov2
