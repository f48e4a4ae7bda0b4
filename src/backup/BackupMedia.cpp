#include "BackupMedia.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QtDebug>

#include <algorithm>
#include <vector>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace rov2 {

namespace backup {

QString partName(int part)
{
    return QStringLiteral("rov2_d%1").arg(part, 3, 10, QLatin1Char('0'));
}

int diskCount(qint64 size)
{
    return static_cast<int>(size / kSplitUnit + (size % kSplitUnit != 0 ? 1 : 0));
}

Range partRange(qint64 archiveSize, int part, int count)
{
    // Parts take kPartSize bytes each while they last; the last one takes
    // whatever is left, which may be nothing (the count rounds by kSplitUnit).
    const qint64 offset = std::min(archiveSize, static_cast<qint64>(part - 1) * kPartSize);
    const qint64 left = archiveSize - offset;
    return {offset, part == count ? left : std::min(left, kPartSize)};
}

bool isOwnBackupFile(const QString& fileName)
{
    static const QRegularExpression part(QStringLiteral("^rov2_d[0-9]{3}$"),
                                         QRegularExpression::CaseInsensitiveOption);
    return fileName.compare(QStringView(kControlName), Qt::CaseInsensitive) == 0 ||
           fileName.compare(QStringView(kArchiveName), Qt::CaseInsensitive) == 0 || part.match(fileName).hasMatch();
}

QString pendingName(const QString& fileName)
{
    return QStringLiteral(".rov2-new-") + fileName;
}

bool isPendingFile(const QString& fileName)
{
    return fileName.startsWith(QStringLiteral(".rov2-new-"));
}

} // namespace backup

QString driveFile(const QString& drive, const QString& name)
{
    if (drive.endsWith(u'/') || drive.endsWith(u'\\'))
        return drive + name;
    return drive + u'/' + name;
}

QString findFileNoCase(const QString& folder, const QString& name)
{
    QDir dir(folder);
    const QString exact = dir.filePath(name);
    if (QFileInfo(exact).isFile())
        return exact;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return {};
}

std::unique_ptr<QFile> MediaWriter::create(const QString& path, QString* error)
{
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error = file->errorString();
        return nullptr;
    }
    return file;
}

qint64 MediaWriter::bytesAvailable(const QString& folder) const
{
    const QStorageInfo storage(folder);
    return storage.isValid() && storage.isReady() ? storage.bytesAvailable() : -1;
}

namespace {

constexpr qint64 kChunk = 1 << 20;

// Pushes the file's bytes to the medium, so that a removed stick or a full
// card fails here and not later, unseen, when the system writes its cache.
bool pushToMedium(QFile& file)
{
    if (!file.flush())
        return false;
#ifdef Q_OS_UNIX
    if (file.handle() >= 0 && ::fsync(file.handle()) != 0)
        return false;
#endif
    return true;
}

// Drops the cached pages of a file just written, so that reading it back
// reads what is on the medium.
void forgetCache(QFile& file)
{
#if defined(Q_OS_LINUX)
    if (file.handle() >= 0)
        ::posix_fadvise(file.handle(), 0, 0, POSIX_FADV_DONTNEED);
#else
    Q_UNUSED(file);
#endif
}

QString writeAll(QFile& in, qint64 length, QFile& out, const CopyProgressFn& progress)
{
    std::vector<char> buffer(static_cast<std::size_t>(kChunk));
    qint64 done = 0;
    while (done < length) {
        const qint64 want = std::min(kChunk, length - done);
        if (in.read(buffer.data(), want) != want)
            return QStringLiteral("元のファイルを読めませんでした。");
        if (out.write(buffer.data(), want) != want)
            return QStringLiteral("書き込めませんでした。空き容量が足りないか、書き込みが禁止されています。");
        done += want;
        if (progress)
            progress(done, length);
    }
    if (!pushToMedium(out))
        return QStringLiteral("書き込めませんでした。空き容量が足りないか、書き込みが禁止されています。");
    return {};
}

} // namespace

bool sameBytes(const QString& a, const QString& b, qint64 offset, qint64 length)
{
    QFile copy(a);
    QFile source(b);
    if (!copy.open(QIODevice::ReadOnly) || !source.open(QIODevice::ReadOnly) || copy.size() != length ||
        !source.seek(offset))
        return false;
    forgetCache(copy);
    std::vector<char> x(static_cast<std::size_t>(kChunk));
    std::vector<char> y(static_cast<std::size_t>(kChunk));
    for (qint64 done = 0; done < length;) {
        const qint64 want = std::min(kChunk, length - done);
        if (copy.read(x.data(), want) != want || source.read(y.data(), want) != want ||
            !std::equal(x.begin(), x.begin() + want, y.begin()))
            return false;
        done += want;
    }
    return true;
}

QString copyVerified(const QString& source, qint64 offset, qint64 length, const QString& target,
                     MediaWriter& writer, const CopyProgressFn& progress)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly) || !in.seek(offset) || in.size() < offset + length) {
        qWarning().noquote() << "backup: cannot read" << source << in.errorString();
        return QStringLiteral("元のファイルを読めませんでした。");
    }
    QString reason;
    std::unique_ptr<QFile> out = writer.create(target, &reason);
    if (!out) {
        qWarning().noquote() << "backup: cannot create" << target << reason;
        return QStringLiteral("ファイルを作れませんでした。書き込みが禁止されていないか確認してください。");
    }
    QString failure = writeAll(in, length, *out, progress);
    out->close();
    if (failure.isEmpty() && out->error() != QFileDevice::NoError)
        failure = QStringLiteral("書き込めませんでした。空き容量が足りないか、書き込みが禁止されています。");
    if (failure.isEmpty() && !sameBytes(target, source, offset, length))
        failure = QStringLiteral("書き込んだ内容を読み返すと元と違っていました。");
    if (!failure.isEmpty()) {
        qWarning().noquote() << "backup: copy to" << target << "failed:" << failure << out->errorString();
        QFile::remove(target);
    }
    return failure;
}

QString copyVerified(const QString& source, const QString& target, MediaWriter& writer,
                     const CopyProgressFn& progress)
{
    const QFileInfo info(source);
    if (!info.isFile())
        return QStringLiteral("元のファイルがありません。");
    return copyVerified(source, 0, info.size(), target, writer, progress);
}

QString megabytes(qint64 bytes)
{
    return QStringLiteral("%1 MB").arg(static_cast<double>(bytes) / 1e6, 0, 'f', 1);
}

qint64 roomLacking(const MediaWriter& writer, const QString& folder, qint64 bytes)
{
    // Room the file system needs beside the files themselves.
    constexpr qint64 kSlack = 8 * 1024;
    const qint64 free = writer.bytesAvailable(folder);
    return free < 0 ? 0 : std::max<qint64>(0, bytes + kSlack - free);
}

QString noRoomText(qint64 lacking)
{
    // Rounded up, so that freeing what it says is always enough.
    const qint64 tenths = (lacking + 99'999) / 100'000;
    return QStringLiteral("空き容量が足りません。あと %1.%2 MB の空きが必要です。")
        .arg(tenths / 10)
        .arg(tenths % 10);
}

} // namespace rov2
