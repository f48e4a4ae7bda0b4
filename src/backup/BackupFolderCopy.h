#pragma once

#include "BackupJob.h"

namespace rov2 {

/// Copies the data file in use to a file the user chooses ("ファイルの
///保存...", proposing "Rov2data.mdb"): a consistent snapshot, written under
/// a temporary name beside the target, read back and compared, and only
/// then renamed over the target. An existing target is replaced only when
/// the user agrees. "コピーしました。" follows only a checked copy.
BackupOutcome SaveDataFileToHdd(const BackupJob& job);

/// Reads a data file the user chooses ("ファイルの読込...") in place of the
/// data file in use, once the user agrees to replace it. The chosen file is
/// copied beside the data file and must prove a data file of this program
/// (else it is refused with a message); the current data file is kept as a
/// dated copy beside it and the new one renamed into place.
BackupOutcome ReadDataFileFromHdd(const BackupJob& job);

} // namespace rov2
