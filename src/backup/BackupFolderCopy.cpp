#include "BackupFolderCopy.h"

#include "BackupMedia.h"
#include "BackupSnapshot.h"
#include "FileDialogs.h"
#include "Messages.h"
#include "RestoreDataFile.h"
#include "RestoreImport.h"
#include "StagingFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QUuid>

#include <filesystem>
#include <system_error>

namespace rov2 {

namespace {

const QString kFilter = QStringLiteral("MDB ファイル(*.mdb)|*.mdb|");
const QString kInitialFolder = QStringLiteral("c:\\");

// The question the system's own file copy asked before it replaced a file.
bool mayReplace(const BackupJob& job, const QString& path)
{
    MessageRequest r{QStringLiteral("ファイルの上書きの確認"),
                     QStringLiteral("%1 は既にあります。\n置き換えますか？").arg(QDir::toNativeSeparators(path)),
                     MsgButtons::YesNo, MsgIcon::Exclamation, true};
    return job.ask().message(job.owner, r) == MsgAnswer::Yes;
}

BackupOutcome failed(const BackupJob& job, const QString& title, const QString& text)
{
    job.show({});
    job.ask().message(job.owner, MessageRequest{title, text, MsgButtons::Ok, MsgIcon::Exclamation, false});
    return BackupOutcome::Failed;
}

CopyProgressFn copyProgress(const BackupJob& job, const QString& what)
{
    return [&job, what](qint64 done, qint64 total) {
        job.show(QStringLiteral("%1中です･･･ %2%").arg(what).arg(total > 0 ? done * 100 / total : 100));
    };
}

std::function<void(int, int)> snapshotProgress(const BackupJob& job)
{
    return [&job](int done, int total) {
        job.show(QStringLiteral("データを準備中です･･･ %1%").arg(total > 0 ? done * 100 / total : 100));
    };
}

// The catalogue's notice, through the job's dialogs.
void notice(const BackupJob& job, MsgKind kind, const QString& subject)
{
    DialogsScope scope(job.ask());
    ShowMessage(MsgOp::その他, kind, subject);
}

QString temporaryBeside(const QString& path)
{
    return QFileInfo(path).dir().filePath(QStringLiteral(".rov2-") +
                                          QUuid::createUuid().toString(QUuid::Id128).left(12) + QStringLiteral(".tmp"));
}

const QString kReadTitle = QStringLiteral("読込");
const QString kUnchanged = QStringLiteral("読込めませんでした。現在のデータはそのままです。\n");

// Proves @p copy, read into the staging folder @p folder, and puts it in the
// place of the data file in use.
BackupOutcome takeIn(const BackupJob& job, const QString& copy, const QString& folder)
{
    const ReadBackFile file = prepareReadBack(copy, folder, job.ask());
    if (file.state == ReadBackFile::State::Declined)
        return BackupOutcome::Cancelled;
    if (file.state == ReadBackFile::State::Refused)
        return file.reason.isEmpty() ? BackupOutcome::Failed
                                     : failed(job, kReadTitle, kUnchanged + file.reason);
    if (const QString notOurs = checkDataFile(file.path); !notOurs.isEmpty())
        return failed(job, kReadTitle, kUnchanged + notOurs);
    QString kept;
    if (const QString failure = replaceDataFile(file.path, job.dataFile, &kept); !failure.isEmpty())
        return failed(job, kReadTitle, kUnchanged + failure);
    if (!file.importLines.isEmpty())
        job.ask().message(job.owner, MessageRequest{kReadTitle, importNotice(file.importLines),
                                                    MsgButtons::Ok, MsgIcon::Information, false});
    // The catalogue's notice quotes its subject in front of its own words.
    const QString where = QDir::toNativeSeparators(job.dataFile) + QStringLiteral(" に");
    notice(job, MsgKind::読込み完了, kept.isEmpty() ? where : keptCopyNotice(kept) + u'\n' + where);
    return BackupOutcome::Done;
}

} // namespace

BackupOutcome SaveDataFileToHdd(const BackupJob& job)
{
    const QString title = QStringLiteral("コピー");
    const std::optional<QString> chosen =
        job.ask().saveFile(job.owner, QStringLiteral("ファイルの保存..."),
                           dialogStartFolder(kInitialFolder) + QStringLiteral("/Rov2data.mdb"),
                           nameFiltersFromFilter(kFilter), 0);
    if (!chosen)
        return BackupOutcome::Cancelled;
    const QString target = *chosen;
    if (sameFile(target, job.dataFile))
        return failed(job, title, QStringLiteral("使用中のデータファイルにはコピーできません。別の場所を指定してください。"));
    if (const OwnFile which = ownFileAt(target, job.own); which != OwnFile::None)
        return failed(job, title, ownFileRefusal(target, which));
    if (QFileInfo::exists(target) && !mayReplace(job, target))
        return BackupOutcome::Cancelled;
    StagingFolder staging(job.stagingParent(), QStringLiteral("copy"));
    if (!staging.isValid())
        return failed(job, title, QStringLiteral("コピーできませんでした。作業用のフォルダを作れません。"));
    const QString snapshot = staging.filePath(QString::fromUtf16(backup::kMemberName));
    job.show(QStringLiteral("コピー中です･･･"));
    if (const QString failure = takeSnapshot(job.dataFile, snapshot, snapshotProgress(job)); !failure.isEmpty())
        return failed(job, title, QStringLiteral("コピーできませんでした。\n") + failure);
    // Written whole under another name first: a failed copy must not have
    // destroyed the file it was to replace.
    const QString temporary = temporaryBeside(target);
    if (const QString failure = copyVerified(snapshot, temporary, job.media(), copyProgress(job, QStringLiteral("コピー")));
        !failure.isEmpty())
        return failed(job, title, QStringLiteral("コピーできませんでした。\n") + failure);
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(temporary).toStdString(), QFile::encodeName(target).toStdString(), error);
    if (error) {
        QFile::remove(temporary);
        return failed(job, title, QStringLiteral("コピーできませんでした。\n%1 を作れません。").arg(target));
    }
    job.show({});
    notice(job, MsgKind::コピー完了, QDir::toNativeSeparators(target) + QStringLiteral(" に"));
    return BackupOutcome::Done;
}

BackupOutcome ReadDataFileFromHdd(const BackupJob& job)
{
    const std::optional<QString> chosen =
        job.ask().openFile(job.owner, QStringLiteral("ファイルの読込..."), dialogStartFolder(kInitialFolder),
                           nameFiltersFromFilter(kFilter), 0);
    if (!chosen)
        return BackupOutcome::Cancelled;
    if (sameFile(*chosen, job.dataFile))
        return failed(job, kReadTitle, QStringLiteral("使用中のデータファイルそのものです。別のファイルを指定してください。"));
    if (QFileInfo::exists(job.dataFile) && !mayReplace(job, job.dataFile))
        return BackupOutcome::Cancelled;
    StagingFolder staging(job.dataFileFolder(), QStringLiteral("read"));
    if (!staging.isValid())
        return failed(job, kReadTitle, kUnchanged + QStringLiteral("作業用のフォルダを作れません。"));
    const QString copy = staging.filePath(QString::fromUtf16(backup::kMemberName));
    if (const qint64 lacking = roomLacking(job.local(), staging.path(), QFileInfo(*chosen).size());
        lacking > 0)
        return failed(job, kReadTitle, kUnchanged + noRoomText(lacking));
    if (const QString failure =
            copyVerified(*chosen, copy, job.local(), copyProgress(job, QStringLiteral("読込")));
        !failure.isEmpty())
        return failed(job, kReadTitle, kUnchanged + failure);
    job.show({});
    return takeIn(job, copy, staging.path());
}

} // namespace rov2
