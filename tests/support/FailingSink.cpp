#include "FailingSink.h"

#include <QIODevice>

namespace rov2::test {

class FailingSink::Device : public QIODevice
{
public:
    Device(QSaveFile& file, DiskFailure failure) : file_(file), failure_(failure) {}

    /// Writes the buffer out. @return false when any of it did not fit.
    bool flushBuffer()
    {
        if (failure_.onFlush && !buffer_.isEmpty()) {
            buffer_.clear();
            return false;
        }
        const bool ok = put(buffer_.constData(), buffer_.size());
        buffer_.clear();
        return ok;
    }
    bool writeFailed() const { return writeFailed_; }
    bool failsOnFlush() const { return failure_.onFlush; }
    qint64 written() const { return written_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override
    {
        // As QFileDevice: the buffer goes first when this would overflow it,
        // a block larger than the buffer goes straight to the file.
        if (!buffer_.isEmpty() && buffer_.size() + len > kBuffer && !flushBuffer())
            return fail();
        if (len > kBuffer)
            return put(data, len) ? len : fail();
        buffer_.append(data, len);
        return len;
    }

private:
    qint64 fail()
    {
        writeFailed_ = true; // QSaveFile's own record of a failed write
        return -1;
    }
    bool put(const char* data, qint64 len)
    {
        const qint64 fits = qMin(len, failure_.room - written_);
        if (fits > 0 && file_.write(data, fits) != fits)
            return false;
        written_ += qMax<qint64>(fits, 0);
        return fits == len;
    }

    QSaveFile& file_;
    DiskFailure failure_;
    QByteArray buffer_;
    qint64 written_ = 0;
    bool writeFailed_ = false;
};

FailingSink::FailingSink(const QString& path, DiskFailure failure)
    : file_(path), device_(std::make_unique<Device>(file_, failure))
{
}

FailingSink::~FailingSink() = default;

bool FailingSink::open()
{
    return file_.open(QIODevice::WriteOnly) && device_->open(QIODevice::WriteOnly);
}

QIODevice& FailingSink::device()
{
    return *device_;
}

bool FailingSink::flush()
{
    // A disk that fails on the flush fails it even when nothing waits in the
    // buffer: the system reports such errors when the file is flushed.
    return device_->flushBuffer() && !device_->failsOnFlush() && !device_->writeFailed();
}

bool FailingSink::commit()
{
    // Qt 6.4: the final flush's result is not looked at, an earlier failed write is.
    device_->flushBuffer();
    if (device_->writeFailed())
        file_.cancelWriting();
    return file_.commit();
}

void FailingSink::cancel()
{
    file_.cancelWriting();
}

QString FailingSink::errorString() const
{
    return QStringLiteral("the disk is full");
}

qint64 FailingSink::written() const
{
    return device_->written();
}

FileSinkFactory failingSinks(DiskFailure failure)
{
    return [failure](const QString& path) { return std::make_unique<FailingSink>(path, failure); };
}

} // namespace rov2::test
