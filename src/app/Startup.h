#pragma once

#include "InstanceLock.h"
#include "ProgramEnv.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

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

/// The program-wide locations from the program folder, the development switch
/// and the overrides of 管理.
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

/// The lock file in the data folder that keeps a second copy of the program
/// off the same work tables.
inline constexpr const char* kInstanceLockName = "Rov2.lock";

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
};

/// Start-up up to the screen: takes the data folder's lock, then fixes the
/// locations in env(), creating the supplied files first where the data
/// folder lacks them. A second copy on the same data folder gets
/// AlreadyRunning and changes no file. The lock is the operating system's,
/// so a lock file that no running copy holds (left by a crash or a power
/// cut, whatever it contains) is taken over; one that cannot be used at all
/// gives LockUnusable, again without touching a file.
[[nodiscard]] ProgramStart startProgram(const QString& programFolder);

/// What to tell the user when the lock file cannot be used: which file, and
/// what to do about it.
QString lockUnusableNotice(const QString& lockFile);

} // namespace rov2
