#pragma once

#include "BackupJob.h"

#include <QString>

namespace rov2 {

/// Saves the data file in use onto removable disks (or any folder) at
/// @p drive as an LZH archive "rov2data.lzh" holding "Rov2data.mdb": on one
/// disk with the control file "Rov2ctl" when the archive fits, else cut
/// into parts rov2_d001, rov2_d002... of 1,440,001 bytes, one per disk, the
/// control file on disk 1. The user is led disk by disk through the job's
/// dialogs. Only this program's own backup files are removed from a disk,
/// every file written is read back and compared, and "保存が終了しました。"
/// is said only when every disk was written and checked.
BackupOutcome FDDBuckUp(const BackupJob& job, const QString& drive);

} // namespace rov2
