#include "BackupJob.h"

#include "ProgramEnv.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>

namespace rov2 {

Dialogs& BackupJob::ask() const
{
    return dialogs ? *dialogs : rov2::dialogs();
}

MediaWriter& BackupJob::media() const
{
    static MediaWriter plain;
    return writer ? *writer : plain;
}

MediaWriter& BackupJob::local() const
{
    static MediaWriter plain;
    return localWriter ? *localWriter : plain;
}

void BackupJob::show(const QString& text) const
{
    if (progress)
        progress(text);
}

QString BackupJob::dataFileFolder() const
{
    const QString folder = QFileInfo(dataFile).absolutePath();
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString BackupJob::stagingParent() const
{
    if (workFolder.isEmpty())
        return dataFileFolder();
    const QString folder = QDir::cleanPath(QDir(workFolder).absolutePath());
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

BackupJob programBackupJob(QWidget* owner, ProgressFn progress)
{
    BackupJob job;
    job.owner = owner;
    job.dataFile = env().locations.dataFile;
    job.own = ownFiles(env().locations);
    job.workFolder = env().locations.dataFolder;
    job.progress = std::move(progress);
    return job;
}

ProgressFn labelProgress(QLabel* label)
{
    return [guard = QPointer<QLabel>(label)](const QString& text) {
        if (guard) {
            guard->setText(text);
            guard->setVisible(!text.isEmpty());
            guard->repaint();
        }
        // Paint events only: a click on another button while a backup runs
        // must not start a second operation underneath this one.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}

} // namespace rov2
