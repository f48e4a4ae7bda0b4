#include "BackupFloppy.h"

#include "BackupArchive.h"
#include "BackupMedia.h"
#include "BackupSnapshot.h"
#include "Drives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QtDebug>

namespace rov2 {

namespace {

const QString kTitle = QStringLiteral("フロッピーディスクへの保存");
const QString kCheckTitle = QStringLiteral("フロッピーディスクのチェック");
// Room the file system of a disk needs beside the files themselves.
constexpr qint64 kSlack = 8 * 1024;

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

// Bytes of this program's backup files on the disk, which the backup will
// remove to make room.
qint64 ownBytes(const QString& drive)
{
    qint64 bytes = 0;
    const QFileInfoList files = QDir(driveFile(drive, {})).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo& f : files)
        if (backup::isOwnBackupFile(f.fileName()))
            bytes += f.size();
    return bytes;
}

bool fits(const BackupJob& job, const QString& drive, qint64 bytes)
{
    const qint64 free = job.media().bytesAvailable(driveFile(drive, {}));
    return free < 0 || free + ownBytes(drive) >= bytes + kSlack;
}

// Removes the control file, archive and parts left by earlier backups, never
// the owner's other files nor what this run has just written there (the
// same stick may take several parts one after another).
void removeOldBackup(const QString& drive, const QSet<QString>& writtenNow)
{
    const QFileInfoList files = QDir(driveFile(drive, {})).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo& f : files)
        if (backup::isOwnBackupFile(f.fileName()) && !writtenNow.contains(f.absoluteFilePath()) &&
            !QFile::remove(f.absoluteFilePath()))
            qWarning().noquote() << "backup: cannot remove" << f.absoluteFilePath();
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
    if (plan.disks > 1 && GoodDrive(drive) && fits(job, drive, plan.size))
        plan.disks = 1;
    plan.control = plan.folder + QString::fromUtf16(backup::kControlName);
    if (!writeControl(plan)) {
        tell(job, QStringLiteral("保存できませんでした。作業用のファイルを作れません。"), MsgIcon::Exclamation);
        return false;
    }
    return true;
}

enum class DiskStep { Written, Again, Stop };

// Writes what disk k holds; on failure asks for the disk again.
DiskStep writeDisk(const BackupJob& job, const QString& drive, const Plan& plan, int k, QSet<QString>& written)
{
    const int n = plan.disks;
    removeOldBackup(drive, written);
    const backup::Range range = n == 1 ? backup::Range{0, plan.size} : backup::partRange(plan.size, k, n);
    const QString name = n == 1 ? QString::fromUtf16(backup::kArchiveName) : backup::partName(k);
    QString failure;
    if (!fits(job, drive, range.length + (k == 1 ? 64 : 0)))
        failure = QStringLiteral("空き容量が足りません。");
    job.show(QStringLiteral("%1 枚目のフロッピーディスクに保存中です･･･").arg(diskOf(k, n)));
    const auto progress = [&](qint64 done, qint64 total) {
        job.show(QStringLiteral("%1 枚目のフロッピーディスクに保存中です･･･ %2%")
                     .arg(diskOf(k, n))
                     .arg(total > 0 ? done * 100 / total : 100));
    };
    const QString control = driveFile(drive, QString::fromUtf16(backup::kControlName));
    if (failure.isEmpty() && k == 1 && (failure = copyVerified(plan.control, control, job.media())).isEmpty())
        written.insert(QFileInfo(control).absoluteFilePath());
    const QString target = driveFile(drive, name);
    if (failure.isEmpty() &&
        (failure = copyVerified(plan.archive, range.offset, range.length, target, job.media(), progress)).isEmpty())
        written.insert(QFileInfo(target).absoluteFilePath());
    job.show({});
    if (failure.isEmpty())
        return DiskStep::Written;
    return ask(job, kTitle,
               QStringLiteral("%1 枚目のフロッピーディスクに書き込めませんでした。\n%2\n確認してもう一度セットしてください。")
                   .arg(diskOf(k, n), failure))
               ? DiskStep::Again
               : DiskStep::Stop;
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
        if (k == 1 && plan.disks > 1 && fits(job, drive, plan.size + 64)) {
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
    QTemporaryDir staging(job.stagingParent() + QStringLiteral(".rov2-backup-XXXXXX"));
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
            if (!written.isEmpty())
                tell(job, QStringLiteral("保存を中止しました。書き込んだフロッピーディスクからは読み込めません。"),
                     MsgIcon::Exclamation);
            return BackupOutcome::Cancelled;
        }
    }
    tell(job, QStringLiteral("保存が終了しました。"), MsgIcon::Information);
    return BackupOutcome::Done;
}

} // namespace rov2
