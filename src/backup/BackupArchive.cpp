#include "BackupArchive.h"

#include "BackupJob.h"
#include "BackupMedia.h"
#include "LzhArchiveReader.h"
#include "Unlha.h"
#include "UnlhaCommandLine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

#include <chrono>
#include <future>

namespace rov2 {

namespace {

const QString kArchiverTitle = QStringLiteral("VAVⅡaruv");
constexpr std::size_t kReportBuffer = 1024;

std::string quoted(const QString& text)
{
    return archive::UnlhaCommandLine::quote(text.toStdString());
}

// Bytes in the archiver's temporary files in @p folder: its output so far
// (it writes under hidden names and renames only when the whole is done).
qint64 temporaryBytes(const QString& folder)
{
    qint64 bytes = 0;
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral(".rov2-*.tmp")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& f : files)
        bytes += f.size();
    return bytes;
}

struct ArchiverRun
{
    int result = UnlhaFailed;
    QString report;
};

// Runs one command line on a worker thread so that the window goes on
// repainting; @p tick runs about ten times a second meanwhile.
ArchiverRun runArchiver(const std::string& commandLine, const std::function<void()>& tick)
{
    auto work = std::async(std::launch::async, [commandLine] {
        std::string buffer(kReportBuffer, '\0');
        const int result = Unlha(nullptr, commandLine, buffer.data(), buffer.size());
        return ArchiverRun{result, QString::fromUtf8(buffer.c_str())};
    });
    while (work.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready)
        if (tick)
            tick();
    return work.get();
}

void tell(const BackupJob& job, const QString& text)
{
    MessageRequest r;
    r.title = kArchiverTitle;
    r.text = text;
    job.ask().message(job.owner, r);
}

} // namespace

bool CreateLzhFile(const BackupJob& job, const QString& folder, const QString& member, const QString& archive)
{
    QFile::remove(folder + archive);
    // The base folder is named twice, as the archiver's callers always did:
    // once on its own and once in front of the file list.
    const std::string line = "a -+ -a1 -d0 -f0 -n0 -jm4 " + quoted(folder + archive) + ' ' + quoted(folder) + ' ' +
                             quoted(folder) + quoted(member) + quoted(QString());
    const ArchiverRun run = runArchiver(line, [&] {
        job.show(QStringLiteral("データを圧縮中です･･･ %1").arg(megabytes(temporaryBytes(folder))));
    });
    job.show({});
    if (run.result != UnlhaOk) {
        qWarning().noquote() << "backup: archiver failed:" << run.report;
        tell(job, QStringLiteral("[書庫ファイル　作成エラー]"));
        return false;
    }
    tell(job, QStringLiteral("[書庫ファイル ＯＫ]\r\n") + run.report);
    return true;
}

QString testArchive(const BackupJob& job, const QString& archive)
{
    const ArchiverRun run = runArchiver("t " + quoted(archive), [&] {
        job.show(QStringLiteral("書庫ファイルを確認中です･･･"));
    });
    job.show({});
    if (run.result == UnlhaOk)
        return {};
    qWarning().noquote() << "archive test of" << archive << "failed:" << run.report;
    return run.report.trimmed();
}

qint64 unpackedSize(const QString& archive)
{
    archive::LzhArchiveReader reader;
    if (!reader.open(archive.toStdString()) || !reader.scan())
        return -1;
    qint64 total = 0;
    for (const archive::LzhEntry& entry : reader.entries())
        total += static_cast<qint64>(entry.summary.originalSize);
    return total;
}

bool DefrostVT(const BackupJob& job, const QString& folder, const QString& member, const QString& archive)
{
    if (!QFileInfo(folder + archive).isFile())
        return false;
    QFile::remove(folder + member);
    const std::string line = "x -+ -a2 -d1 -f0 -n1 -jyc0 -jyd0 -jyk0 -jyn0 -jyo0 " + quoted(folder + archive) + ' ' +
                             quoted(folder) + ' ' + quoted(QStringLiteral("*.*"));
    const qint64 total = unpackedSize(folder + archive);
    const ArchiverRun run = runArchiver(line, [&] {
        const qint64 done = temporaryBytes(folder);
        job.show(total > 0 ? QStringLiteral("データを展開中です･･･ %1%").arg(done * 100 / total)
                           : QStringLiteral("データを展開中です･･･"));
    });
    job.show({});
    if (run.result != UnlhaOk) {
        qWarning().noquote() << "restore: archiver failed:" << run.report;
        tell(job, QStringLiteral("[書庫解凍　エラー]"));
        return false;
    }
    tell(job, QStringLiteral("[書庫解凍 ＯＫ]\r\n") + run.report);
    return true;
}

} // namespace rov2
