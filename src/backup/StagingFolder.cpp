#include "StagingFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtDebug>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace rov2 {

namespace {

const QString kLockName = QStringLiteral(".lock");

bool isStagingName(const QString& name)
{
    static const QRegularExpression staging(
        QStringLiteral("^\\.rov2-(backup|restore|copy|read)-[A-Za-z0-9]{6}$"));
    return staging.match(name).hasMatch();
}

// An exclusive lock that the system lets go however the process ends, so a
// lock file left by a killed run never holds anything; its contents are
// never read. @return the open file holding the lock, -1 when another open
// file holds it or it cannot be made.
int takeLock(const QString& path)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return fd;
    if (fd >= 0)
        ::close(fd);
    return -1;
#else
    // Without such a lock only the instance lock of the data folder guards.
    Q_UNUSED(path);
    return 0;
#endif
}

void releaseLock(int fd)
{
#ifdef Q_OS_UNIX
    if (fd >= 0)
        ::close(fd);
#else
    Q_UNUSED(fd);
#endif
}

} // namespace

StagingFolder::StagingFolder(const QString& parent, const QString& kind)
{
    removeStaleStaging(parent);
    dir_ =
        std::make_unique<QTemporaryDir>(QDir(parent).filePath(QStringLiteral(".rov2-%1-XXXXXX").arg(kind)));
    if (dir_->isValid())
        lock_ = takeLock(dir_->filePath(kLockName));
    if (dir_->isValid() && lock_ < 0)
        qWarning().noquote() << "staging: cannot lock" << dir_->path();
}

StagingFolder::~StagingFolder()
{
    releaseLock(lock_);
}

int removeStaleStaging(const QString& folder)
{
    int removed = 0;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries) {
        if (!isStagingName(entry.fileName()))
            continue;
        const int lock = takeLock(entry.filePath() + u'/' + kLockName);
        if (lock < 0)
            continue; // a running copy works in it
        releaseLock(lock);
        if (QDir(entry.filePath()).removeRecursively())
            ++removed;
        else
            qWarning().noquote() << "staging: cannot remove" << entry.filePath();
    }
    return removed;
}

} // namespace rov2
