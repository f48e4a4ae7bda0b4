#pragma once

#include <QString>
#include <functional>
#include <memory>

class QIODevice;

namespace rov2 {

/// Where the bytes of a file go that is written whole or not at all: a
/// temporary file beside the target that takes the target's name only once
/// every byte reached it. Writers write to device(), then call finishWhole().
///
/// The program's sink is a QSaveFile (SaveFileSink). QSaveFile keeps up to
/// 16 KB in its buffer, and in Qt 6.4 its commit() renames the file into
/// place without noticing that the last flush failed (a full disk leaves a
/// short file where the old one was): finishWhole() therefore flushes and
/// checks before it commits. Tests plug in sinks whose device fails.
class FileSink
{
public:
    virtual ~FileSink() = default;

    /// Opens the temporary file. @return false when it cannot be made.
    virtual bool open() = 0;
    /// Where the bytes go; valid once open() succeeded.
    virtual QIODevice& device() = 0;
    /// Makes every byte written so far reach the file.
    /// @return false when any of them did not.
    virtual bool flush() = 0;
    /// Gives the written file the target's name.
    /// @return false when it could not (the target is then as it was).
    virtual bool commit() = 0;
    /// Drops what was written; the target stays as it was.
    virtual void cancel() = 0;
    /// What went wrong last, for the log.
    virtual QString errorString() const = 0;
};

/// Makes the sink of one target path.
using FileSinkFactory = std::function<std::unique_ptr<FileSink>(const QString& path)>;

} // namespace rov2
