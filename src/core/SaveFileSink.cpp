#include "SaveFileSink.h"

namespace rov2 {

SaveFileSink::SaveFileSink(const QString& path) : file_(path), device_(file_) {}

bool SaveFileSink::open()
{
    return file_.open(QIODevice::WriteOnly) && device_.open(QIODevice::WriteOnly);
}

bool SaveFileSink::flush()
{
    // Each write clears the file's error, so an earlier failure may have left
    // none behind: the device remembers it.
    return file_.flush() && file_.error() == QFileDevice::NoError && !device_.shortWrite();
}

QString SaveFileSink::errorString() const
{
    if (device_.shortWrite() && file_.error() == QFileDevice::NoError)
        return QStringLiteral("a write was cut short");
    return file_.errorString();
}

qint64 SaveFileSink::CheckedDevice::writeData(const char* data, qint64 len)
{
    const qint64 written = file_.write(data, len);
    if (written != len)
        shortWrite_ = true;
    return written;
}

} // namespace rov2
