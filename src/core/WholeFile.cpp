#include "WholeFile.h"

#include "SaveFileSink.h"

#include <QtDebug>

namespace rov2 {

FileSinkFactory sinksOrDefault(const FileSinkFactory& sinks)
{
    return sinks ? sinks
                 : FileSinkFactory([](const QString& path) { return std::make_unique<SaveFileSink>(path); });
}

bool writeAll(FileSink& sink, const QByteArray& bytes)
{
    if (sink.device().write(bytes) == bytes.size())
        return true;
    qWarning() << "file not written:" << sink.errorString();
    sink.cancel();
    return false;
}

bool finishWhole(FileSink& sink)
{
    return finishAllWhole({&sink});
}

bool finishAllWhole(std::initializer_list<FileSink*> sinks)
{
    bool flushed = true;
    for (FileSink* sink : sinks) {
        if (!sink->flush()) {
            qWarning() << "file not written whole:" << sink->errorString();
            flushed = false;
            break;
        }
    }
    auto next = sinks.begin();
    for (; flushed && next != sinks.end(); ++next) {
        if (!(*next)->commit()) {
            qWarning() << "file not put in place:" << (*next)->errorString();
            ++next; // a failed commit has already dropped its temporary file
            flushed = false;
            break;
        }
    }
    for (; next != sinks.end(); ++next)
        (*next)->cancel();
    return flushed;
}

bool writeFileWhole(const QString& path, const QByteArray& bytes, const FileSinkFactory& sinks)
{
    const std::unique_ptr<FileSink> sink = sinksOrDefault(sinks)(path);
    if (!sink->open()) {
        qWarning() << "cannot write" << path << sink->errorString();
        return false;
    }
    return writeAll(*sink, bytes) && finishWhole(*sink);
}

} // namespace rov2
