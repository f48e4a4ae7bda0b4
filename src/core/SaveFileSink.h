#pragma once

#include "FileSink.h"

#include <QIODevice>
#include <QSaveFile>

namespace rov2 {

/// The program's FileSink: a QSaveFile. A write that the file takes only in
/// part counts as a failure at flush(): QSaveFile answers such a write (one
/// larger than its buffer) with fewer bytes and no error, and writers such as
/// QPdfWriter do not look at the answer.
class SaveFileSink final : public FileSink
{
public:
    explicit SaveFileSink(const QString& path);

    bool open() override;
    QIODevice& device() override { return device_; }
    bool flush() override;
    bool commit() override { return file_.commit(); }
    // The temporary file goes when the object does.
    void cancel() override { file_.cancelWriting(); }
    QString errorString() const override;

private:
    /// Passes the writes on to the file and remembers one cut short.
    class CheckedDevice final : public QIODevice
    {
    public:
        explicit CheckedDevice(QFileDevice& file) : file_(file) {}
        bool shortWrite() const { return shortWrite_; }

    protected:
        qint64 readData(char*, qint64) override { return -1; }
        qint64 writeData(const char* data, qint64 len) override;

    private:
        QFileDevice& file_;
        bool shortWrite_ = false;
    };

    QSaveFile file_;
    CheckedDevice device_;
};

} // namespace rov2
