#pragma once

#include "WholeFile.h"

#include <QSaveFile>
#include <QtGlobal>
#include <limits>
#include <memory>

namespace rov2::test {

/// How a FailingSink's disk fails.
struct DiskFailure
{
    /// Bytes that reach the file before the disk is full (a write past them
    /// fails, a part written up to them stays).
    qint64 room = std::numeric_limits<qint64>::max();
    /// The disk fails on the flush alone, whatever the room: what waits in
    /// the buffer is lost, and the flush at the end fails even when nothing
    /// waits.
    bool onFlush = false;
};

/// A sink that stands for a QSaveFile on a disk that fills up, over a real
/// QSaveFile on the target, so that what is left at the target is what a
/// writer really left there. Its device behaves as QSaveFile's does in Qt
/// 6.4: it keeps up to 16 KB in a buffer (a smaller file fails only when
/// flushed), reports a write that goes past the buffer and fails, remembers
/// such a failure so that commit() then refuses, and commit() renames the file
/// into place even when the last flush failed, a short file and all. Only a
/// writer that flushes and checks before it commits (finishWhole) notices.
class FailingSink : public FileSink
{
public:
    static constexpr qint64 kBuffer = 16384;

    FailingSink(const QString& path, DiskFailure failure);
    ~FailingSink() override;

    bool open() override;
    QIODevice& device() override;
    bool flush() override;
    bool commit() override;
    void cancel() override;
    QString errorString() const override;

    /// Bytes that reached the file.
    qint64 written() const;

private:
    class Device;
    QSaveFile file_;
    std::unique_ptr<Device> device_;
};

/// Makes a FailingSink for every path.
FileSinkFactory failingSinks(DiskFailure failure);

/// Sizes of files for the failing-disk tests: one that stays in the buffer
/// and one that goes past it.
inline constexpr qint64 kBelowBuffer = 4 * 1024;
inline constexpr qint64 kAboveBuffer = 40 * 1024;

} // namespace rov2::test
