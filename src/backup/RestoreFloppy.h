#pragma once

#include "BackupJob.h"

#include <QString>

namespace rov2 {

/// Reads a backup made by FDDBuckUp (or by the program's older versions)
/// back from the disks at @p drive, disk by disk through the job's dialogs:
/// the control file on disk 1 gives the number of disks; one disk holds
/// "rov2data.lzh", several hold the parts in order. The parts are joined in
/// a staging folder beside the data file in use and unpacked there (every
/// member decoded and its CRC checked before any file takes its name), and
/// the result must be a data file of this program; only then is the current data file kept as a dated copy
/// and the new one renamed into its place. A failure or Cancel anywhere
/// leaves the data file exactly as it was and says so.
BackupOutcome RestoreVT(const BackupJob& job, const QString& drive);

/// The disk count of a control file's text: the number after
/// "Rov2FddNum = " (read from its 13th character, blanks ignored); 0 when
/// there is none or it cannot be a count of disks.
int controlFileCount(const QByteArray& text);

} // namespace rov2
