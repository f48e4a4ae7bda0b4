// Backup and restore of a 100,000-customer data file (about 60 MB), each
// timed once, beside a plain copy of the same file:
//
//   bench_backup [DATA-FILE]
//
// LZH backup onto a folder taken as the drive (one step: the folder has
// room) and the restore from it; the folder copy and the read back. Every
// prompt is answered OK. Prints figures; asserts nothing.
#include "BackupArchive.h"
#include "BackupFloppy.h"
#include "BackupFolderCopy.h"
#include "BenchFiles.h"
#include "BackupSnapshot.h"
#include "RestoreDataFile.h"
#include "RestoreFloppy.h"

#include <QGuiApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

using namespace rov2;

// Answers every box with its first button and every file dialog with one path.
class AnswerAll : public Dialogs
{
public:
    QString file;
    int boxes = 0;
    MsgAnswer message(QWidget*, const MessageRequest& r) override
    {
        ++boxes;
        return r.buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
    }
    std::optional<QString> openFile(QWidget*, const QString&, const QString&, const QStringList&, int) override
    {
        return file;
    }
    std::optional<QString> saveFile(QWidget*, const QString&, const QString&, const QStringList&, int) override
    {
        return file;
    }
    std::optional<QString> folder(QWidget*, const QString&) override { return std::nullopt; }
    void beep() override {}
};

double timed(const std::function<bool()>& body, bool& ok)
{
    QElapsedTimer timer;
    timer.start();
    ok = body();
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

void row(const char* name, double seconds, bool ok, double baseline)
{
    std::printf("%-34s %8.3f s  %6.1fx the plain copy%s\n", name, seconds, seconds / baseline,
                ok ? "" : "  (FAILED)");
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString sample = argc > 1 ? QString::fromLocal8Bit(argv[1]) : bench::sampleDataFile(100000);
    QTemporaryDir work;
    const QString dataFolder = work.filePath(QStringLiteral("data")) + u'/';
    const QString drive = work.filePath(QStringLiteral("stick"));
    QDir().mkpath(dataFolder);
    QDir().mkpath(drive);
    const QString dataFile = dataFolder + QStringLiteral("Rov2Data.mdb");
    if (!QFile::copy(sample, dataFile)) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(sample));
        return 1;
    }
    std::printf("data file: %s, %lld bytes\n", qPrintable(sample), QFileInfo(dataFile).size());

    AnswerAll answers;
    DialogsScope scope(answers);
    BackupJob job;
    job.dialogs = &answers;
    job.dataFile = dataFile;
    job.workFolder = dataFolder;

    bool ok = false;
    const double plain = timed([&] { return QFile::copy(dataFile, work.filePath(QStringLiteral("plain.mdb"))); }, ok);
    row("plain file copy (baseline)", plain, ok, plain);

    const double lzhBackup = timed([&] { return FDDBuckUp(job, drive) == BackupOutcome::Done; }, ok);
    row("LZH backup to a folder", lzhBackup, ok, plain);
    std::printf("%-34s %lld bytes\n", "  archive", QFileInfo(drive + QStringLiteral("/rov2data.lzh")).size());
    const double lzhRestore = timed([&] { return RestoreVT(job, drive) == BackupOutcome::Done; }, ok);
    row("LZH restore from the folder", lzhRestore, ok, plain);

    answers.file = work.filePath(QStringLiteral("copy folder/Rov2data.mdb"));
    QDir().mkpath(QFileInfo(answers.file).path());
    const double copyOut = timed([&] { return SaveDataFileToHdd(job) == BackupOutcome::Done; }, ok);
    row("folder copy (snapshot, checked)", copyOut, ok, plain);
    const double copyIn = timed([&] { return ReadDataFileFromHdd(job) == BackupOutcome::Done; }, ok);
    row("folder read (checked, kept copy)", copyIn, ok, plain);
    std::printf("message boxes answered: %d\n", answers.boxes);

    // The steps that make up those figures.
    std::printf("\nsteps:\n");
    const QString step = work.filePath(QStringLiteral("step")) + u'/';
    QDir().mkpath(step);
    row("  snapshot (SQLite backup API)",
        timed([&] { return takeSnapshot(dataFile, step + QStringLiteral("Rov2data.mdb")).isEmpty(); }, ok), ok, plain);
    row("  pack (CreateLzhFile)",
        timed([&] { return CreateLzhFile(job, step, QStringLiteral("Rov2data.mdb"), QStringLiteral("rov2data.lzh")); }, ok),
        ok, plain);
    row("  test the archive",
        timed([&] { return testArchive(job, step + QStringLiteral("rov2data.lzh")).isEmpty(); }, ok), ok, plain);
    QFile::remove(step + QStringLiteral("Rov2data.mdb"));
    row("  unpack (DefrostVT)",
        timed([&] { return DefrostVT(job, step, QStringLiteral("Rov2data.mdb"), QStringLiteral("rov2data.lzh")); }, ok),
        ok, plain);
    row("  check the data file", timed([&] { return checkDataFile(dataFile).isEmpty(); }, ok), ok, plain);
    MediaWriter writer;
    row("  checked copy (write, read back)",
        timed([&] { return copyVerified(dataFile, step + QStringLiteral("copy.mdb"), writer).isEmpty(); }, ok), ok,
        plain);
    return 0;
}
