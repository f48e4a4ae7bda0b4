#include "RestoreDataFile.h"

#include "BackupMedia.h"
#include "Database.h"
#include "Query.h"
#include "JapaneseDate.h"
#include "SuppliedFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>

#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace rov2 {

namespace {

const QString kNotOurs = QStringLiteral("このファイルは VAVⅡaruv のデータファイルではありません。");

bool hasSqliteHeader(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(16) == QByteArray("SQLite format 3\0", 16);
}

// Through our own connection: the indexes on readings use the Japanese
// collation, which integrity_check needs to verify their order.
bool integrityOk(const QString& path)
{
    auto db = Database::open(path);
    if (!db)
        return false;
    Query check = db->query(QStringLiteral("PRAGMA integrity_check"));
    // One row "ok", and nothing after it: any other row is a fault.
    return check.next() && check.value(0).toString() == u"ok" && !check.next() && check.ok();
}

const char* const kJournalSuffixes[] = {"-journal", "-wal", "-shm"};

// Keeps the current data file under @p kept without ever removing the name
// in use: a second link where the file system has them, else a checked copy.
QString keepCurrent(const QString& dataFile, const QString& kept)
{
#ifdef Q_OS_UNIX
    if (::link(QFile::encodeName(dataFile).constData(), QFile::encodeName(kept).constData()) == 0)
        return {};
#endif
    MediaWriter plain;
    const QString failure = copyVerified(dataFile, kept, plain);
    return failure.isEmpty() ? QString() : QStringLiteral("現在のデータファイルを控えとして残せませんでした。");
}

} // namespace

QString checkDataFile(const QString& path)
{
    if (!hasSqliteHeader(path))
        return kNotOurs;
    if (!integrityOk(path))
        return QStringLiteral("このデータファイルは壊れています。");
    if (checkFile(path, FileKind::Data) != FileState::Ok)
        return kNotOurs;
    return {};
}

QString keptCopyPath(const QString& dataFile, const QDate& day)
{
    const QFileInfo info(dataFile);
    const QString stem = info.dir().filePath(info.completeBaseName() + u'_' + day.toString(QStringLiteral("yyyyMMdd")));
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    QString path = stem + suffix;
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + u'_' + QString::number(n) + suffix;
    return path;
}

QString replaceDataFile(const QString& newFile, const QString& dataFile, QString* keptCopy)
{
    if (keptCopy)
        keptCopy->clear();
    if (QFileInfo::exists(dataFile)) {
        const QString kept = keptCopyPath(dataFile, Clock::today());
        if (QString failure = keepCurrent(dataFile, kept); !failure.isEmpty())
            return failure;
        for (const char* suffix : kJournalSuffixes)
            if (QFileInfo::exists(dataFile + QLatin1String(suffix)) &&
                !QFile::rename(dataFile + QLatin1String(suffix), kept + QLatin1String(suffix)))
                return QStringLiteral("データファイルが使用中です。");
        if (keptCopy)
            *keptCopy = kept;
    }
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(newFile).toStdString(), QFile::encodeName(dataFile).toStdString(), error);
    if (error) {
        qWarning().noquote() << "restore: cannot rename" << newFile << "to" << dataFile << error.message().c_str();
        return QStringLiteral("データファイルを置き換えられませんでした。");
    }
    return {};
}

bool sameFile(const QString& a, const QString& b)
{
    const QFileInfo x(a);
    const QFileInfo y(b);
    if (x.exists() && y.exists())
        return x.canonicalFilePath() == y.canonicalFilePath();
    return QDir::cleanPath(x.absoluteFilePath()) == QDir::cleanPath(y.absoluteFilePath());
}

} // namespace rov2
