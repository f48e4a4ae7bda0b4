#pragma once

#include "BackupJob.h"
#include "DailyCopy.h"

namespace rov2 {

/// Reads the daily copy @p copy back in place of the data file in use, once
/// the user agrees: copied beside the data file, proven a data file of this
/// program, the current data file kept as a dated copy beside it, and the
/// completion notice naming that kept copy, as a restore from a medium does.
BackupOutcome RestoreDailyCopy(const BackupJob& job, const DailyCopy& copy);

} // namespace rov2
