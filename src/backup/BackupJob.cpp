#include "BackupJob.h"

#include <QDir>
#include <QFileInfo>

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

} // namespace rov2
