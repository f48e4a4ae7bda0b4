#include "RestoreDataFile.h"

#include "BackupMedia.h"
#include "Database.h"
#include "Query.h"
#include "JapaneseDate.h"
#include "SuppliedFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtDebug>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace rov2 {

namespace {

constexpr qint64 kCheckMapping = qint64{1} << 30;

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
    // The check reads every page, most more than once: mapped, they are read
    // in place instead of copied into a page cache too small to keep them.
    // The file is a staged copy of ours on the local disk, so no medium can
    // vanish under the mapping.
    Query map = db->query(QStringLiteral("PRAGMA mmap_size = %1").arg(kCheckMapping));
    map.next();
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

// The kept copies of @p dataFile beside it, newest first: keptCopyPath()'s
// names in any letter case, ordered by the date and then the number in them.
QStringList keptCopies(const QString& dataFile)
{
    const QFileInfo info(dataFile);
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    const QRegularExpression kept(u'^' + QRegularExpression::escape(info.completeBaseName()) +
                                      QStringLiteral("_([0-9]{8})(?:_([0-9]{1,9}))?") +
                                      QRegularExpression::escape(suffix) + u'$',
                                  QRegularExpression::CaseInsensitiveOption);
    std::vector<std::pair<std::pair<QString, int>, QString>> found;
    const QStringList names = info.dir().entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        const QRegularExpressionMatch m = kept.match(name);
        if (m.hasMatch() && QDate::fromString(m.captured(1), QStringLiteral("yyyyMMdd")).isValid())
            found.push_back({{m.captured(1), m.captured(2).isEmpty() ? 1 : m.captured(2).toInt()},
                             info.dir().filePath(name)});
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    QStringList paths;
    for (const auto& f : found)
        paths << f.second;
    return paths;
}

// Removes the kept copies beyond the newest @p keep, with their journals;
// @p justKept stays whatever its date (the clock may have been set back).
void pruneKeptCopies(const QString& dataFile, const QString& justKept, int keep)
{
    QStringList copies = keptCopies(dataFile);
    copies.removeAll(justKept);
    for (qsizetype i = keep - 1; i < copies.size(); ++i) {
        if (!QFile::remove(copies[i]))
            qWarning().noquote() << "restore: cannot remove the old kept copy" << copies[i];
        for (const char* suffix : kJournalSuffixes)
            QFile::remove(copies[i] + QLatin1String(suffix));
    }
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
    QString kept;
    if (QFileInfo::exists(dataFile)) {
        kept = keptCopyPath(dataFile, Clock::today());
        if (QString failure = keepCurrent(dataFile, kept); !failure.isEmpty())
            return failure;
        for (const char* suffix : kJournalSuffixes)
            if (QFileInfo::exists(dataFile + QLatin1String(suffix)) &&
                !QFile::rename(dataFile + QLatin1String(suffix), kept + QLatin1String(suffix)))
                return QStringLiteral("データファイルが使用中です。");
    }
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(newFile).toStdString(), QFile::encodeName(dataFile).toStdString(), error);
    if (error) {
        qWarning().noquote() << "restore: cannot rename" << newFile << "to" << dataFile << error.message().c_str();
        return QStringLiteral("データファイルを置き換えられませんでした。");
    }
    if (!kept.isEmpty())
        pruneKeptCopies(dataFile, kept, kKeptCopies);
    if (keptCopy)
        *keptCopy = kept;
    return {};
}

QString keptCopyNotice(const QString& keptCopy)
{
    return QStringLiteral("これまでのデータは %1 に残しました（控えは新しいものから%2つまで残します）。")
        .arg(QDir::toNativeSeparators(keptCopy))
        .arg(kKeptCopies);
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
