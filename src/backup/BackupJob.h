#pragma once

#include "BackupMedia.h"
#include "Dialogs.h"

#include <QString>

#include "OwnFiles.h"

#include <functional>
#include <memory>

class QLabel;
class QWidget;

namespace rov2 {

/// How a backup, restore or copy ended, for callers that go on from there
/// (the user has been told already).
enum class BackupOutcome {
    Done,      ///< finished, checked, and reported as such
    Cancelled, ///< the user stopped it; the data file is as it was
    Failed,    ///< it failed and said so; the data file is as it was
};

/// Shows one progress line (the maintenance screen's FddMsg) and lets the
/// window repaint; an empty text hides the line.
using ProgressFn = std::function<void(const QString& text)>;

/// Everything a backup, restore or folder copy needs from the screen that
/// starts it, so that the routines know no screen: the window that owns the
/// dialogs, the dialogs themselves, the files, the progress line and the
/// device that writes to the backup media.
struct BackupJob
{
    QWidget* owner = nullptr;
    /// Every prompt and message goes here; nullptr: the installed dialogs().
    Dialogs* dialogs = nullptr;
    /// The data file in use: the one saved and the one a restore replaces.
    QString dataFile;
    /// The program's files, which a copy to a folder never replaces.
    OwnFiles own;
    /// Where the snapshot, the archive and the parts are made. Empty: the
    /// folder of the data file (restores always stage there, so that the
    /// new file can be renamed into place).
    QString workFolder;
    ProgressFn progress;
    /// Writes onto the target; nullptr: plain files.
    std::shared_ptr<MediaWriter> writer;
    /// Writes into the folder of the data file, where a restore stages what
    /// it reads; nullptr: plain files.
    std::shared_ptr<MediaWriter> localWriter;

    Dialogs& ask() const;
    MediaWriter& media() const;
    MediaWriter& local() const;
    void show(const QString& text) const;
    /// The folder of the data file in use, ending with '/'.
    QString dataFileFolder() const;
    /// workFolder, or the data file's folder; ends with '/'.
    QString stagingParent() const;
};

} // namespace rov2
