#pragma once

#include "InstanceLock.h"
#include "OwnFiles.h"
#include "ProgramEnv.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace rov2 {

/// The fixed places used on a development machine instead of the program folder.
struct DevelopmentPaths {
    QString marker;     ///< the file whose presence switches to these paths
    QString dataFolder; ///< ends with a '/'
    QString postalFile;
};

/// On Windows the drive C: paths; elsewhere the home folder stands for C:.
DevelopmentPaths developmentPaths();

/// The overrides read from the 管理 table of the work file; Null when not set.
struct DataEnv {
    QVariant dataPath;
    QVariant yubinPath;
};

/// Reads 管理's first row. A missing or unreadable work file, an empty table or
/// Null fields give Null overrides.
DataEnv ReadDataEnv(const QString& workFile);

/// Where the data folder and the postal dictionary are unless the development
/// switch or 管理 say otherwise.
struct HomeFolders {
    QString dataFolder; ///< ends with a '/'
    QString postalFile;
};

/// Whether this user can write a folder, or make it when it is missing. Tests
/// hand in their own answer: they run as root, who may write anywhere.
using FolderProbe = std::function<bool(const QString& folder)>;

/// The probe of a real start: @p folder when it exists, else the folder it
/// would be made in, is writable.
bool canWriteFolder(const QString& folder);

/// data/ beside the program with the dictionary in it, when that folder can
/// be written (@p besideWritable: a program started from its build folder).
/// Otherwise the program is installed: the data folder is the user's own,
/// @p xdgDataHome/VAVⅡaruv/data/ (an empty or relative @p xdgDataHome means
/// @p homePath/.local/share), and the dictionary is the one the package
/// installed beside the program's folder.
HomeFolders homeFolders(const QString& programFolder, bool besideWritable, const QString& xdgDataHome,
                        const QString& homePath);

/// The program-wide locations from the home folders, the development switch
/// and the overrides of 管理.
Locations resolveLocations(const HomeFolders& home, bool developmentMode, const DevelopmentPaths& dev,
                           const DataEnv& overrides);

/// The same with the data folder beside the program.
Locations resolveLocations(const QString& programFolder, bool developmentMode, const DevelopmentPaths& dev,
                           const DataEnv& overrides);

/// Creates the supplied files in the data folder: the work file when it is
/// missing, the data file only on a first start (no work file and no data
/// file there). A file at a location taken from 管理 is never created, and an
/// existing file is never replaced.
void ensureSuppliedFiles(const Locations& locations);

/// What to tell the user after the window shows when the files in use cannot
/// serve (missing, or not files of this program); nothing when all is well.
std::optional<QString> startupNotice(const Locations& locations);

enum class StartOutcome {
    Ready,          ///< the locations are fixed; this copy holds the data folder
    AlreadyRunning, ///< another copy works on this data folder; nothing was touched
    LockUnusable,   ///< the lock file cannot be opened or locked; nothing was touched
};

/// How a start ended; the lock is held for as long as the object lives.
struct ProgramStart {
    StartOutcome outcome = StartOutcome::Ready;
    std::unique_ptr<InstanceLock> lock;
    QString lockFile;
    /// What to tell the user once the window shows: the day's copy of the
    /// data file failed. Empty when there is nothing to tell.
    QString dailyCopyNotice;
};

/// Start-up up to the screen: chooses the data folder (homeFolders(), data/
/// beside the program when @p canWrite says it can be written), takes its
/// lock, then fixes the locations in env(), creating the supplied files
/// first where the data folder lacks them, and on the day's first start
/// copies the data file into its 自動保存 folder before anything opens it.
/// A failed copy is only told (dailyCopyNotice), never stops the start.
/// A second copy on the same data folder gets AlreadyRunning and changes no
/// file. The lock is the operating system's, so a lock file that no running
/// copy holds (left by a crash or a power cut, whatever it contains) is
/// taken over; one that cannot be used at all gives LockUnusable, again
/// without touching a file.
[[nodiscard]] ProgramStart startProgram(const QString& programFolder, const FolderProbe& canWrite = canWriteFolder);

/// Shows each of @p notices in turn through the dialogs once the event loop
/// runs, that is after @p window is up.
void tellAfterShown(QWidget* window, const QStringList& notices);

/// What to tell the user when the lock file cannot be used: which file, and
/// what to do about it.
QString lockUnusableNotice(const QString& lockFile);

} // namespace rov2
