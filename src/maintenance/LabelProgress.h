#pragma once

#include "BackupJob.h"

class QLabel;

namespace rov2 {

/// A progress line on @p label: sets the text, shows or hides the label
/// and repaints the window without taking user input meanwhile.
ProgressFn labelProgress(QLabel* label);

} // namespace rov2
