#pragma once

#include <QString>

namespace rov2 {

/// An exclusive lock on a file, held by the operating system for this
/// process until the object is destroyed. The system lets it go however the
/// process ends (a crash, kill -9, a power cut), so a lock file left behind
/// never keeps a later copy out; what the file holds is never read.
class InstanceLock
{
public:
    enum class State {
        Held,          ///< this object holds the lock
        HeldElsewhere, ///< another open of the file (another copy of the program) holds it
        Unusable,      ///< the file cannot be opened or locked, e.g. a folder of that name
    };

    /// Opens @p path, making it when missing, and locks it without waiting.
    explicit InstanceLock(const QString& path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    State state() const { return state_; }

private:
    int fd_ = -1;
    State state_ = State::Unusable;
};

} // namespace rov2
