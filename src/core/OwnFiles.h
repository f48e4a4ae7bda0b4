#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace rov2 {

class Dialogs;
struct Locations;

/// The name of the lock file in the data folder that keeps a second copy of
/// the program out.
inline constexpr char16_t kLockFileName[] = u"Rov2.lock";

/// The program's own files, which no file the user names may replace. Handed
/// to every writer of such files by its caller (the screens take them from
/// the program's locations); an empty path protects nothing.
struct OwnFiles
{
    QString dataFile;
    QString defaultDataFile; ///< the data folder's Rov2Data.mdb (hints), when the data file lies elsewhere
    QString workFile;
    QString postalFile;
    QString lockFile;
};

/// The files of @p at: its data, work and postal files and the data
/// folder's lock file.
OwnFiles ownFiles(const Locations& at);

/// Which of the program's files a path names.
enum class OwnFile { None, DataFile, WorkFile, PostalFile, LockFile };

/// Which of @p own @p target is, or would write to: compared by resolved
/// path (through symbolic links, even one whose file is missing, and hard
/// links), the file names case-insensitively. SQLite's journals beside the
/// data, work and postal files count as those files.
OwnFile ownFileAt(const QString& target, const OwnFiles& own);

/// The message that refuses to write over @p which at @p target.
QString ownFileRefusal(const QString& target, OwnFile which);

/// What every writer of a file the user named does before it writes:
/// refuses the program's own files with a message, then asks before any
/// existing one of @p targets is replaced (No preselected). Both through
/// @p dialogs, titled @p title.
/// @return true when the files may be written.
bool mayWriteUserFiles(QWidget* owner, const QString& title, const QStringList& targets, const OwnFiles& own,
                       Dialogs& dialogs);

} // namespace rov2
