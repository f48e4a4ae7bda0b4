#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace rov2 {

/// Names and sizes of the backup media. Disks written by older versions of
/// the program carry exactly these, so they never change.
namespace backup {
inline constexpr char16_t kMemberName[] = u"Rov2data.mdb"; ///< the data file inside the archive
inline constexpr char16_t kArchiveName[] = u"rov2data.lzh";
inline constexpr char16_t kControlName[] = u"Rov2ctl";
inline constexpr char16_t kControlPrefix[] = u"Rov2FddNum = ";
/// The disk count is the archive size divided by this, rounded up...
inline constexpr qint64 kSplitUnit = 1'440'000;
/// ...while every part but the last holds one byte more than that.
inline constexpr qint64 kPartSize = 1'440'001;

/// "rov2_d" and the part number in three digits: rov2_d001.
QString partName(int part);
/// Number of disks for an archive of @p size bytes.
int diskCount(qint64 size);
/// Where part @p part (1-based) of @p count starts in the archive, and its length.
struct Range
{
    qint64 offset = 0;
    qint64 length = 0;
};
Range partRange(qint64 archiveSize, int part, int count);
/// True for the names this program writes onto a disk (the control file,
/// the archive, the parts), in any letter case.
bool isOwnBackupFile(const QString& fileName);
/// The name a file of ours carries on a medium until it is whole and checked
/// (".rov2-new-Rov2ctl"), so that a backup cut short never leaves a part
/// that a restore would take for a good one.
QString pendingName(const QString& fileName);
/// True for pendingName()'s names.
bool isPendingFile(const QString& fileName);
} // namespace backup

/// @p name in the root of @p drive ("A:", "/media/stick", "/media/stick/").
QString driveFile(const QString& drive, const QString& name);

/// The file called @p name in @p folder, its letter case ignored (disks
/// written elsewhere may carry ROV2CTL); empty when there is none.
QString findFileNoCase(const QString& folder, const QString& name);

/// Creates the files written onto backup media and target folders. Tests
/// hand in one whose files fail as a full, write-protected or removed medium
/// would.
class MediaWriter
{
public:
    virtual ~MediaWriter() = default;
    /// @return @p path created anew (replacing a file of that name) and open
    /// for writing, or nullptr with the reason in @p error.
    virtual std::unique_ptr<QFile> create(const QString& path, QString* error);
    /// @return free bytes on the medium that holds @p folder; -1 when unknown.
    virtual qint64 bytesAvailable(const QString& folder) const;
};

/// Reports how many bytes of a copy are done.
using CopyProgressFn = std::function<void(qint64 done, qint64 total)>;

/// Copies @p length bytes of @p source from @p offset to a new file
/// @p target through @p writer, pushes them to the medium and reads the copy
/// back to compare it with its source. A copy that fails anywhere is removed.
/// @return empty on success, else what went wrong (for the user).
QString copyVerified(const QString& source, qint64 offset, qint64 length, const QString& target,
                     MediaWriter& writer, const CopyProgressFn& progress = {});

/// The same for a whole file.
QString copyVerified(const QString& source, const QString& target, MediaWriter& writer,
                     const CopyProgressFn& progress = {});

/// True when @p a holds the same bytes as @p length bytes of @p b from @p offset.
bool sameBytes(const QString& a, const QString& b, qint64 offset, qint64 length);

/// A megabyte figure for progress lines ("12.3 MB").
QString megabytes(qint64 bytes);

/// How many bytes the medium holding @p folder lacks for @p bytes more,
/// counting the room its file system needs beside them; 0 when they fit or
/// when @p writer cannot tell how much room there is.
qint64 roomLacking(const MediaWriter& writer, const QString& folder, qint64 bytes);

/// What the user is told when @p lacking bytes of room are missing.
QString noRoomText(qint64 lacking);

} // namespace rov2
