#pragma once

#include "FileSink.h"

#include <QByteArray>
#include <QString>

namespace rov2 {

/// @p sinks, or SaveFileSink when it is empty.
FileSinkFactory sinksOrDefault(const FileSinkFactory& sinks);

/// Writes all of @p bytes to the sink's device.
/// @return false when any byte was refused (the sink is then cancelled).
bool writeAll(FileSink& sink, const QByteArray& bytes);

/// Flushes the sink and checks it; only when every byte reached the file is
/// it committed. On failure the sink is cancelled and the target is as it was.
/// @return true when the target now holds everything written.
bool finishWhole(FileSink& sink);

/// Flushes several sinks and commits them only when all of them flushed, so
/// that files that belong together are replaced together or not at all (as
/// far as the renames allow). On failure every sink not yet committed is
/// cancelled.
bool finishAllWhole(std::initializer_list<FileSink*> sinks);

/// The whole round for one file: open, write @p bytes, flush, check, commit.
/// @return true when @p path holds @p bytes; false leaves @p path as it was.
bool writeFileWhole(const QString& path, const QByteArray& bytes, const FileSinkFactory& sinks = {});

} // namespace rov2
