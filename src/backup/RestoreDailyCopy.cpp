#include "RestoreDailyCopy.h"

#include "BackupMedia.h"
#include "Messages.h"
#include "RestoreDataFile.h"
#include "StagingFolder.h"

#include <QDir>
#include <QFileInfo>

namespace rov2 {
namespace {

const QString kTitle = QStringLiteral("自動保存からの読込");

BackupOutcome failed(const BackupJob& job, const QString& why)
{
    job.show({});
    job.ask().message(
        job.owner,
        MessageRequest{kTitle, QStringLiteral("読込めませんでした。現在のデータはそのままです。\n") + why,
                       MsgButtons::Ok, MsgIcon::Exclamation, false});
    return BackupOutcome::Failed;
}

bool agreed(const BackupJob& job, const DailyCopy& copy)
{
    const std::optional<qint64> customers = customerCount(copy.path);
    const QString count = customers ? QStringLiteral("（顧客 %1件）").arg(*customers) : QString();
    const MessageRequest question{
        kTitle,
        QStringLiteral(
            "%1 の自動保存%2を読み込みます。\n現在使用中のデータは上書きされます。よろしいですか？")
            .arg(copy.day.toString(QStringLiteral("yyyy/MM/dd")), count),
        MsgButtons::YesNo, MsgIcon::Exclamation, true};
    return job.ask().message(job.owner, question) == MsgAnswer::Yes;
}

void reportDone(const BackupJob& job, const QString& kept)
{
    job.show({});
    // The catalogue's notice quotes its subject in front of its own words.
    const QString where = QDir::toNativeSeparators(job.dataFile) + QStringLiteral(" に");
    DialogsScope scope(job.ask());
    ShowMessage(MsgOp::その他, MsgKind::読込み完了,
                kept.isEmpty() ? where : keptCopyNotice(kept) + u'\n' + where);
}

} // namespace

BackupOutcome RestoreDailyCopy(const BackupJob& job, const DailyCopy& copy)
{
    if (!agreed(job, copy))
        return BackupOutcome::Cancelled;
    StagingFolder staging(job.dataFileFolder(), QStringLiteral("read"));
    if (!staging.isValid())
        return failed(job, QStringLiteral("作業用のフォルダを作れません。"));
    if (const qint64 lacking = roomLacking(job.local(), staging.path(), QFileInfo(copy.path).size());
        lacking > 0)
        return failed(job, noRoomText(lacking));
    const QString staged = staging.filePath(QString::fromUtf16(backup::kMemberName));
    job.show(QStringLiteral("読込中です･･･"));
    if (const QString failure = copyVerified(copy.path, staged, job.local()); !failure.isEmpty())
        return failed(job, failure);
    if (const QString notOurs = checkDataFile(staged); !notOurs.isEmpty())
        return failed(job, notOurs);
    QString kept;
    if (const QString failure = replaceDataFile(staged, job.dataFile, &kept); !failure.isEmpty())
        return failed(job, failure);
    reportDone(job, kept);
    return BackupOutcome::Done;
}

} // namespace rov2
