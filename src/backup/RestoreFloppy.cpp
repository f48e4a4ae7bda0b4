#include "RestoreFloppy.h"

#include "BackupArchive.h"
#include "BackupMedia.h"
#include "Drives.h"
#include "RestoreDataFile.h"
#include "RestoreImport.h"
#include "StagingFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace rov2 {

namespace {

const QString kTitle = QStringLiteral("フロッピーディスクの読込");
const QString kCheckTitle = QStringLiteral("フロッピーディスクのチェック");
const QString kNoDisk = QStringLiteral("フロッピーディスクがセットされていません。確認してください。");
constexpr int kMostDisks = 999; // part names carry three digits

bool ask(const BackupJob& job, const QString& title, const QString& text)
{
    MessageRequest r{title, text, MsgButtons::OkCancel, MsgIcon::Exclamation, false};
    return job.ask().message(job.owner, r) == MsgAnswer::Ok;
}

BackupOutcome stopped(const BackupJob& job)
{
    job.ask().message(job.owner, MessageRequest{kTitle, QStringLiteral("読込を中止しました。現在のデータはそのままです。"),
                                                MsgButtons::Ok, MsgIcon::Information, false});
    return BackupOutcome::Cancelled;
}

BackupOutcome refused(const BackupJob& job, const QString& reason)
{
    job.show({});
    job.ask().message(job.owner,
                      MessageRequest{kTitle, QStringLiteral("読込めませんでした。現在のデータはそのままです。\n") + reason,
                                     MsgButtons::Ok, MsgIcon::Exclamation, false});
    return BackupOutcome::Failed;
}

QString diskOf(int k, int n)
{
    return QStringLiteral("%1/ %2").arg(k).arg(n);
}

// Disk 1: asks until the drive holds a disk with a readable control file.
// @return the disk count, 0 when the user cancelled.
int firstDisk(const BackupJob& job, const QString& drive)
{
    if (!ask(job, kTitle, QStringLiteral("VAVⅡaruvをバックアップしたフロッピーディスクの「1」をセットしてださい。")))
        return 0;
    while (!GoodDrive(drive))
        if (!ask(job, kCheckTitle, kNoDisk))
            return 0;
    for (;;) {
        const QString control = findFileNoCase(driveFile(drive, {}), QStringLiteral("rov2ctl"));
        QFile f(control);
        if (!control.isEmpty() && f.open(QIODevice::ReadOnly))
            if (const int n = controlFileCount(f.read(100)); n > 0)
                return n;
        if (!ask(job, kCheckTitle, QStringLiteral("フロッピーディスクが違います。確認してください。")))
            return 0;
    }
}

enum class Append { Done, ReadFailed, WriteFailed };

// Appends up to @p most bytes of @p part to @p out.
Append appendPart(const QString& part, qint64 most, QFile& out)
{
    QFile in(part);
    if (!in.open(QIODevice::ReadOnly))
        return Append::ReadFailed;
    const qint64 length = most < 0 ? in.size() : std::min(most, in.size());
    std::vector<char> buffer(1 << 20);
    for (qint64 done = 0; done < length;) {
        const qint64 want = std::min<qint64>(static_cast<qint64>(buffer.size()), length - done);
        if (in.read(buffer.data(), want) != want)
            return Append::ReadFailed;
        if (out.write(buffer.data(), want) != want)
            return Append::WriteFailed;
        done += want;
    }
    return out.flush() ? Append::Done : Append::WriteFailed;
}

// Why nothing could be written beside the data file, with the room missing
// for @p needed bytes when the disk tells: a full disk is never reported as
// a broken backup.
QString cannotWrite(const BackupJob& job, const QString& folder, qint64 needed)
{
    QString text = QStringLiteral("%1 に書き込めませんでした。").arg(QDir::toNativeSeparators(job.dataFileFolder()));
    const qint64 lacking = roomLacking(job.local(), folder, needed);
    return text + (lacking > 0 ? noRoomText(lacking)
                               : QStringLiteral("空き容量が足りないか、書き込みが禁止されています。"));
}

enum class DiskStep { Read, Cancel, Refused };

// Disk k of n, asked for until its file was read into @p out. When @p out
// cannot take it, @p needed receives about how many bytes are still to come.
DiskStep readDisk(const BackupJob& job, const QString& drive, int k, int n, QFile& out, qint64& needed)
{
    const QString name = n > 1 ? backup::partName(k) : QString::fromUtf16(backup::kArchiveName);
    for (;;) {
        if (!ask(job, kTitle, QStringLiteral("%1枚目のフロッピーディスクをセットしてください。").arg(diskOf(k, n))))
            return DiskStep::Cancel;
        if (!GoodDrive(drive)) {
            if (!ask(job, kCheckTitle, kNoDisk))
                return DiskStep::Cancel;
            continue;
        }
        const QString file = findFileNoCase(driveFile(drive, {}), name);
        if (file.isEmpty()) {
            if (!ask(job, kCheckTitle,
                     QStringLiteral("これは %1 枚目のフロッピーディスクではありません。確認してください。").arg(k)))
                return DiskStep::Cancel;
            continue;
        }
        job.show(QStringLiteral("%1 枚目のフロッピーディスクを読込中です･･･").arg(diskOf(k, n)));
        const qint64 before = out.size();
        const qint64 most = n > 1 && k < n ? backup::kPartSize : -1;
        const Append appended = appendPart(file, most, out);
        job.show({});
        if (appended == Append::Done)
            return DiskStep::Read;
        if (appended == Append::WriteFailed) {
            const qint64 size = QFileInfo(file).size();
            needed = (most < 0 ? size : std::min(most, size)) + (n - k) * backup::kPartSize;
            return DiskStep::Refused;
        }
        qWarning().noquote() << "restore: cannot read" << file;
        if (!out.resize(before) || !out.seek(before) ||
            !ask(job, kCheckTitle, QStringLiteral("%1 枚目のフロッピーディスクを読めませんでした。確認してください。").arg(k)))
            return DiskStep::Cancel;
    }
}

// Unpacks the joined archive in @p folder. @return empty on success, else
// why not (for the user).
QString unpack(const BackupJob& job, const QString& folder)
{
    const QString archive = QString::fromUtf16(backup::kArchiveName);
    const qint64 size = unpackedSize(folder + archive);
    if (size >= 0 && roomLacking(job.local(), folder, size) > 0)
        return cannotWrite(job, folder, size);
    // The unpack is the CRC test: every member is decoded and checked before
    // any of them takes its name, so a damaged archive leaves nothing.
    if (DefrostVT(job, folder, QString::fromUtf16(backup::kMemberName), archive))
        return {};
    // A whole archive that could not be unpacked failed on this side: a good
    // backup must not be called broken, or it may be thrown away.
    if (size >= 0 && testArchive(job, folder + archive).isEmpty())
        return cannotWrite(job, folder, size);
    return QStringLiteral("バックアップが壊れているか、このプログラムのバックアップではありません。");
}

// Unpacks the joined archive in @p folder and puts the data file in place.
BackupOutcome install(const BackupJob& job, const QString& folder)
{
    if (const QString failure = unpack(job, folder); !failure.isEmpty())
        return refused(job, failure);
    const QString restored = findFileNoCase(folder, QString::fromUtf16(backup::kMemberName));
    if (restored.isEmpty())
        return refused(job, QStringLiteral("バックアップにデータファイルがありません。"));
    // The member may be the Windows version's data file (a Jet file).
    const ReadBackFile file = prepareReadBack(restored, folder, job.ask());
    if (file.state == ReadBackFile::State::Declined)
        return stopped(job);
    if (file.state == ReadBackFile::State::Refused)
        return file.reason.isEmpty() ? BackupOutcome::Failed : refused(job, file.reason);
    if (const QString notOurs = checkDataFile(file.path); !notOurs.isEmpty())
        return refused(job, notOurs);
    QString kept;
    if (const QString failure = replaceDataFile(file.path, job.dataFile, &kept); !failure.isEmpty())
        return refused(job, failure);
    if (!file.importLines.isEmpty())
        job.ask().message(job.owner, MessageRequest{kTitle, importNotice(file.importLines), MsgButtons::Ok,
                                                    MsgIcon::Information, false});
    const QString done = QStringLiteral("読込が終了しました。");
    job.ask().message(job.owner,
                      MessageRequest{kTitle, kept.isEmpty() ? done : done + u'\n' + keptCopyNotice(kept),
                                     MsgButtons::Ok, MsgIcon::Information, false});
    return BackupOutcome::Done;
}

// Joins the files of the n disks into the archive in @p folder.
// @return nothing when every disk was read, else how it ended (told).
std::optional<BackupOutcome> collect(const BackupJob& job, const QString& drive, int n, const QString& folder)
{
    QString reason;
    const std::unique_ptr<QFile> out =
        job.local().create(folder + QString::fromUtf16(backup::kArchiveName), &reason);
    if (!out) {
        qWarning().noquote() << "restore: cannot create the archive in" << folder << reason;
        return refused(job, cannotWrite(job, folder, 0));
    }
    for (int k = 1; k <= n; ++k) {
        qint64 needed = 0;
        const DiskStep step = readDisk(job, drive, k, n, *out, needed);
        if (step == DiskStep::Cancel)
            return stopped(job);
        if (step == DiskStep::Refused)
            return refused(job, cannotWrite(job, folder, needed));
    }
    out->close();
    if (out->error() != QFileDevice::NoError)
        return refused(job, cannotWrite(job, folder, 0));
    return std::nullopt;
}

} // namespace

int controlFileCount(const QByteArray& text)
{
    const QString rest = QString::fromLatin1(text.left(100)).mid(12).remove(u' ');
    qsizetype digits = 0;
    while (digits < rest.size() && rest[digits].isDigit() && rest[digits].unicode() < 128)
        ++digits;
    bool ok = false;
    const int n = rest.left(digits).toInt(&ok);
    return ok && n >= 1 && n <= kMostDisks ? n : 0;
}

BackupOutcome RestoreVT(const BackupJob& job, const QString& drive)
{
    const int n = firstDisk(job, drive);
    if (n == 0 || !ask(job, kCheckTitle, QStringLiteral("フロッピーディスクは %1 枚です。よろしいですか。").arg(n)))
        return stopped(job);
    // Beside the data file, so that the new one is renamed into place.
    StagingFolder staging(job.dataFileFolder(), QStringLiteral("restore"));
    if (!staging.isValid())
        return refused(job, QStringLiteral("作業用のフォルダを作れません。"));
    const QString folder = staging.path() + u'/';
    if (const std::optional<BackupOutcome> ended = collect(job, drive, n, folder))
        return *ended;
    return install(job, folder);
}

} // namespace rov2
