#include "BackupFloppy.h"

#include "BackupArchive.h"
#include "BackupMedia.h"
#include "BackupSnapshot.h"
#include "Drives.h"
#include "StagingFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QtDebug>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace rov2 {

namespace {

const QString kTitle = QStringLiteral("フロッピーディスクへの保存");
const QString kCheckTitle = QStringLiteral("フロッピーディスクのチェック");

bool ask(const BackupJob& job, const QString& title, const QString& text)
{
    MessageRequest r{title, text, MsgButtons::OkCancel, MsgIcon::Exclamation, false};
    return job.ask().message(job.owner, r) == MsgAnswer::Ok;
}

void tell(const BackupJob& job, const QString& text, MsgIcon icon)
{
    job.ask().message(job.owner, MessageRequest{kTitle, text, MsgButtons::Ok, icon, false});
}

QString diskOf(int k, int n)
{
    return QStringLiteral("%1/ %2").arg(k).arg(n);
}

QFileInfoList rootFiles(const QString& drive)
{
    return QDir(driveFile(drive, {})).entryInfoList(QDir::Files | QDir::Hidden);
}

// By identity, not by name: on a disk that ignores letter case the new
// "Rov2ctl" is the file an earlier backup listed as "ROV2CTL".
bool writtenNow(const QFileInfo& file, const QSet<QString>& written)
{
    const std::filesystem::path path(QFile::encodeName(file.absoluteFilePath()).toStdString());
    std::error_code error;
    for (const QString& w : written)
        if (std::filesystem::equivalent(path, QFile::encodeName(w).toStdString(), error))
            return true;
    return false;
}

// Whether the disk would take @p bytes once the earlier backup's files on it
// were gone: then it serves as one medium, even if the earlier backup must
// first make room (which the user is then told).
bool fitsInPlace(const BackupJob& job, const QString& drive, qint64 bytes)
{
    qint64 own = 0;
    for (const QFileInfo& f : rootFiles(drive))
        if (backup::isOwnBackupFile(f.fileName()))
            own += f.size();
    return roomLacking(job.media(), driveFile(drive, {}), bytes) <= own;
}

// True when the disk holds files of an earlier backup.
bool holdsEarlierBackup(const QString& drive, const QSet<QString>& written)
{
    if (!GoodDrive(drive))
        return false;
    const QFileInfoList files = rootFiles(drive);
    return std::any_of(files.begin(), files.end(), [&](const QFileInfo& f) {
        return backup::isOwnBackupFile(f.fileName()) && !writtenNow(f, written);
    });
}

// Removes the files of earlier backups (with @p pending: what a run cut
// short left under pending names), never the owner's other files nor what
// this run has written there (the same stick may take several parts).
void removeOwnFiles(const QString& drive, const QSet<QString>& written, bool pending)
{
    for (const QFileInfo& f : rootFiles(drive)) {
        const bool ours =
            pending ? backup::isPendingFile(f.fileName()) : backup::isOwnBackupFile(f.fileName());
        if (ours && !writtenNow(f, written) && !QFile::remove(f.absoluteFilePath()))
            qWarning().noquote() << "backup: cannot remove" << f.absoluteFilePath();
    }
}

struct Plan
{
    QString folder; // staging, ends with '/'
    QString archive;
    QString control;
    qint64 size = 0;
    int disks = 0;
};

// "Rov2FddNum = n", no line end.
bool writeControl(const Plan& plan)
{
    QFile control(plan.control);
    const QByteArray text = QString::fromUtf16(backup::kControlPrefix).toLatin1() + QByteArray::number(plan.disks);
    return control.open(QIODevice::WriteOnly | QIODevice::Truncate) && control.write(text) == text.size() &&
           control.flush();
}

// The snapshot, the archive (tested) and the control file in the staging folder.
bool prepare(const BackupJob& job, const QString& drive, Plan& plan)
{
    const QString member = QString::fromUtf16(backup::kMemberName);
    job.show(QStringLiteral("データを準備中です･･･"));
    const QString failure = takeSnapshot(job.dataFile, plan.folder + member, [&job](int done, int total) {
        job.show(QStringLiteral("データを準備中です･･･ %1%").arg(total > 0 ? done * 100 / total : 100));
    });
    job.show({});
    if (!failure.isEmpty()) {
        tell(job, QStringLiteral("保存できませんでした。\n") + failure, MsgIcon::Exclamation);
        return false;
    }
    if (!CreateLzhFile(job, plan.folder, member, QString::fromUtf16(backup::kArchiveName)))
        return false;
    QFile::remove(plan.folder + member);
    plan.archive = plan.folder + QString::fromUtf16(backup::kArchiveName);
    plan.size = QFileInfo(plan.archive).size();
    if (const QString broken = testArchive(job, plan.archive); !broken.isEmpty() || plan.size <= 0) {
        tell(job, QStringLiteral("書庫ファイルを正しく作れませんでした。保存を中止します。\n") + broken,
             MsgIcon::Exclamation);
        return false;
    }
    plan.disks = backup::diskCount(plan.size);
    // A stick or card with room for the whole archive takes it in one step.
    if (plan.disks > 1 && GoodDrive(drive) && fitsInPlace(job, drive, plan.size))
        plan.disks = 1;
    plan.control = plan.folder + QString::fromUtf16(backup::kControlName);
    if (!writeControl(plan)) {
        tell(job, QStringLiteral("保存できませんでした。作業用のファイルを作れません。"), MsgIcon::Exclamation);
        return false;
    }
    return true;
}

// What one disk takes: the archive or its part, and on disk 1 the control file.
struct DiskFile
{
    QString source;
    backup::Range range;
    QString name;
};

std::vector<DiskFile> filesOf(const Plan& plan, int k)
{
    std::vector<DiskFile> files;
    if (plan.disks == 1)
        files.push_back({plan.archive, {0, plan.size}, QString::fromUtf16(backup::kArchiveName)});
    else
        files.push_back({plan.archive, backup::partRange(plan.size, k, plan.disks), backup::partName(k)});
    if (k == 1)
        files.push_back(
            {plan.control, {0, QFileInfo(plan.control).size()}, QString::fromUtf16(backup::kControlName)});
    return files;
}

QString putInPlace(const QString& drive, const QString& name, QSet<QString>& written)
{
    const QString target = driveFile(drive, name);
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(driveFile(drive, backup::pendingName(name))).toStdString(),
                            QFile::encodeName(target).toStdString(), error);
    if (error) {
        qWarning().noquote() << "backup: cannot rename into" << target << error.message().c_str();
        return QStringLiteral("書き込んだファイルの名前を変えられませんでした。");
    }
    written.insert(QFileInfo(target).absoluteFilePath());
    return {};
}

// The new files are written under pending names and read back; only when
// all are whole do they take their names, the archive before the control
// file, and only then do the earlier backup's files go. A disk without room
// or one that fails keeps its earlier backup as it was.
QString writeFiles(const BackupJob& job, const QString& drive, const std::vector<DiskFile>& files,
                   const CopyProgressFn& progress, QSet<QString>& written)
{
    removeOwnFiles(drive, written, true);
    qint64 bytes = 0;
    for (const DiskFile& f : files)
        bytes += f.range.length;
    if (const qint64 lacking = roomLacking(job.media(), driveFile(drive, {}), bytes); lacking > 0)
        return noRoomText(lacking);
    QString failure;
    for (const DiskFile& f : files)
        if (failure.isEmpty())
            failure = copyVerified(f.source, f.range.offset, f.range.length,
                                   driveFile(drive, backup::pendingName(f.name)), job.media(), progress);
    for (const DiskFile& f : files)
        if (failure.isEmpty())
            failure = putInPlace(drive, f.name, written);
    removeOwnFiles(drive, written, true);
    if (failure.isEmpty())
        removeOwnFiles(drive, written, false);
    return failure;
}

enum class DiskStep { Written, Again, Stop };

// Writes what disk k holds; on failure asks for the disk again.
DiskStep writeDisk(const BackupJob& job, const QString& drive, const Plan& plan, int k, QSet<QString>& written)
{
    const QString disk = diskOf(k, plan.disks);
    job.show(QStringLiteral("%1 枚目のフロッピーディスクに保存中です･･･").arg(disk));
    const auto progress = [&](qint64 done, qint64 total) {
        job.show(QStringLiteral("%1 枚目のフロッピーディスクに保存中です･･･ %2%")
                     .arg(disk)
                     .arg(total > 0 ? done * 100 / total : 100));
    };
    const QString failure = writeFiles(job, drive, filesOf(plan, k), progress, written);
    job.show({});
    if (failure.isEmpty())
        return DiskStep::Written;
    QString text = QStringLiteral("%1 枚目のフロッピーディスクに書き込めませんでした。\n%2\n").arg(disk, failure);
    if (holdsEarlierBackup(drive, written))
        text += QStringLiteral("前回のバックアップはそのまま残っています。\n");
    if (ask(job, kTitle, text + QStringLiteral("確認してもう一度セットしてください。")))
        return DiskStep::Again;
    return DiskStep::Stop;
}

// What the user is told when the backup stops before its end.
QString stoppedText(const QString& drive, const QSet<QString>& written)
{
    if (!written.isEmpty())
        return QStringLiteral("保存を中止しました。書き込んだフロッピーディスクからは読み込めません。");
    QString text = QStringLiteral("保存を中止しました。フロッピーディスクには何も書き込んでいません。");
    if (holdsEarlierBackup(drive, written))
        text += QStringLiteral("前回のバックアップはそのまま残っています。");
    return text;
}

// One disk, asked for until it is written or the user stops.
bool backUpDisk(const BackupJob& job, const QString& drive, Plan& plan, int k, QSet<QString>& written)
{
    for (;;) {
        if (!ask(job, kTitle, QStringLiteral("%1枚目のフロッピーディスクをセットしてください。").arg(diskOf(k, plan.disks))))
            return false;
        if (!GoodDrive(drive)) {
            if (!ask(job, kCheckTitle, QStringLiteral("フロッピーディスクがセットされていません。確認してください。")))
                return false;
            continue;
        }
        if (!WriteTest(drive, job.media())) {
            if (!ask(job, kCheckTitle,
                     QStringLiteral("フロッピーディスクが書き込み可能ではありません。確認してください。")))
                return false;
            continue;
        }
        // The first medium may have room for everything after all (a stick
        // put in only now): then it takes the whole archive at once.
        if (k == 1 && plan.disks > 1 && fitsInPlace(job, drive, plan.size + 64)) {
            plan.disks = 1;
            if (!writeControl(plan))
                return false;
        }
        switch (writeDisk(job, drive, plan, k, written)) {
        case DiskStep::Written: return true;
        case DiskStep::Again: continue;
        case DiskStep::Stop: return false;
        }
    }
}

} // namespace

BackupOutcome FDDBuckUp(const BackupJob& job, const QString& drive)
{
    StagingFolder staging(job.stagingParent(), QStringLiteral("backup"));
    if (!staging.isValid()) {
        tell(job, QStringLiteral("保存できませんでした。作業用のフォルダを作れません。"), MsgIcon::Exclamation);
        return BackupOutcome::Failed;
    }
    Plan plan;
    plan.folder = staging.path() + u'/';
    if (!prepare(job, drive, plan))
        return BackupOutcome::Failed;
    if (!ask(job, kTitle, QStringLiteral("%1 枚のフロッピーディスクを準備してださい。").arg(plan.disks)))
        return BackupOutcome::Cancelled;
    QSet<QString> written;
    for (int k = 1; k <= plan.disks; ++k) {
        if (!backUpDisk(job, drive, plan, k, written)) {
            tell(job, stoppedText(drive, written), MsgIcon::Exclamation);
            return BackupOutcome::Cancelled;
        }
    }
    tell(job, QStringLiteral("保存が終了しました。"), MsgIcon::Information);
    return BackupOutcome::Done;
}

} // namespace rov2
