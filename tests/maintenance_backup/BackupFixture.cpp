#include "BackupFixture.h"

#include "Database.h"
#include "Query.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>

namespace rov2::test {

DiskDrive::DiskDrive()
{
    EXPECT_TRUE(root_.isValid());
}

QString DiskDrive::disk(const QString& label) const
{
    const QString folder = root_.filePath(QStringLiteral("disk-") + label);
    QDir().mkpath(folder);
    return folder;
}

void DiskDrive::insert(const QString& label)
{
    eject();
    EXPECT_TRUE(QFile::link(disk(label), path()));
}

void DiskDrive::eject()
{
    QFile::remove(path());
}

QStringList DiskDrive::files(const QString& label) const
{
    return QDir(disk(label)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

DiskDialogs& DiskDialogs::on(const QString& phrase, std::function<void()> action)
{
    actions_.emplace_back(phrase, std::move(action));
    return *this;
}

MsgAnswer DiskDialogs::message(QWidget* owner, const MessageRequest& r)
{
    for (const auto& [phrase, action] : actions_)
        if (r.text.contains(phrase))
            action();
    return ScriptedDialogs::message(owner, r);
}

QStringList DiskDialogs::texts() const
{
    QStringList out;
    for (const MessageRequest& m : messages())
        out << m.text;
    return out;
}

bool DiskDialogs::saw(const QString& phrase) const
{
    for (const MessageRequest& m : messages())
        if (m.text.contains(phrase))
            return true;
    return false;
}

qint64 FloppyWriter::bytesAvailable(const QString& folder) const
{
    qint64 used = 0;
    for (const QFileInfo& f : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden))
        used += f.size();
    return std::max<qint64>(0, 1'457'664 - used);
}

namespace {

class FailingFile : public QFile
{
public:
    FailingFile(const QString& path, qint64 limit, Fault fault) : QFile(path), left_(limit), fault_(fault) {}

protected:
    qint64 writeData(const char* data, qint64 size) override
    {
        const qint64 good = std::clamp<qint64>(left_, 0, size);
        left_ -= good;
        if (good == size)
            return QFile::writeData(data, size);
        if (fault_ == Fault::Garbled) {
            QByteArray bytes(data, size);
            for (qint64 i = good; i < size; ++i)
                bytes[i] = static_cast<char>(~bytes[i]);
            return QFile::writeData(bytes.constData(), size);
        }
        if (good > 0)
            QFile::writeData(data, good);
        if (fault_ == Fault::Dropped)
            return size;
        setErrorString(QStringLiteral("No space left on device"));
        return -1;
    }

private:
    qint64 left_;
    Fault fault_;
};

} // namespace

FailingWriter::FailingWriter(qint64 limit, QString under, Fault fault)
    : limit_(limit), under_(std::move(under)), fault_(fault)
{
}

std::unique_ptr<QFile> FailingWriter::create(const QString& path, QString* error)
{
    if (!under_.isEmpty() && QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath() != under_)
        return MediaWriter::create(path, error);
    auto file = std::make_unique<FailingFile>(path, limit_, fault_);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        if (error)
            *error = file->errorString();
        return nullptr;
    }
    return file;
}

std::unique_ptr<QFile> ProtectedWriter::create(const QString& path, QString* error)
{
    const QString folder = QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath();
    if (protectedFolders.count(folder)) {
        if (error)
            *error = QStringLiteral("Read-only file system");
        return nullptr;
    }
    return MediaWriter::create(path, error);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

void padDataFile(const QString& path, int bytes)
{
    auto db = Database::open(path);
    ASSERT_TRUE(db);
    ASSERT_TRUE(db->execute(QStringLiteral("CREATE TABLE IF NOT EXISTS padding (b BLOB)")));
    ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO padding VALUES (randomblob(?))"), {bytes}));
}

void addCustomer(const QString& path, const QString& name)
{
    auto db = Database::open(path);
    ASSERT_TRUE(db);
    ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO 顧客マスタ (名称) VALUES (?)"), {name}));
}

QStringList customers(const QString& path)
{
    QStringList names;
    auto db = Database::open(path);
    EXPECT_TRUE(db);
    if (!db)
        return names;
    Query q = db->query(QStringLiteral("SELECT 名称 FROM 顧客マスタ"));
    while (q.next())
        names << q.value(0).toString();
    names.sort();
    return names;
}

BackupJob jobFor(const TempData& data, Dialogs& dialogs, std::shared_ptr<MediaWriter> writer)
{
    BackupJob job;
    job.dialogs = &dialogs;
    job.dataFile = data.dataFile();
    job.workFolder = data.folder();
    job.writer = std::move(writer);
    return job;
}

QStringList listing(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace rov2::test
