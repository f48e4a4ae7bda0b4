#include "InstanceLock.h"

#include <QFile>
#include <QtDebug>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace rov2 {

InstanceLock::InstanceLock(const QString& path)
{
    // Close-on-exec: a program started from this one would otherwise inherit
    // the open file, and with it the lock, and keep it after this copy ended.
    fd_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        qWarning().noquote() << "instance lock: cannot open" << path << std::strerror(errno);
        return;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        state_ = State::Held;
        return;
    }
    const int error = errno;
    state_ = error == EWOULDBLOCK ? State::HeldElsewhere : State::Unusable;
    if (state_ == State::Unusable)
        qWarning().noquote() << "instance lock: cannot lock" << path << std::strerror(error);
    ::close(fd_);
    fd_ = -1;
}

InstanceLock::~InstanceLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

} // namespace rov2
