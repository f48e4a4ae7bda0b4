#include "BackupSnapshot.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QtDebug>

#include <sqlite3.h>

#include <memory>

namespace rov2 {

namespace {

struct CloseDb
{
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using DbHandle = std::unique_ptr<sqlite3, CloseDb>;

DbHandle openDb(const QString& path, int flags)
{
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    DbHandle handle(db);
    if (rc != SQLITE_OK) {
        qWarning().noquote() << "snapshot: cannot open" << path << (db ? sqlite3_errmsg(db) : "");
        return nullptr;
    }
    sqlite3_busy_timeout(db, 2000);
    return handle;
}

// Pages per step: small enough for the progress line to move, large enough
// that a 60 MB file takes a few dozen steps.
constexpr int kPagesPerStep = 2048;

int copyPages(sqlite3* from, sqlite3* to, const std::function<void(int, int)>& progress)
{
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup)
        return sqlite3_errcode(to);
    int rc = SQLITE_OK;
    while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
        rc = sqlite3_backup_step(backup, kPagesPerStep);
        if (progress)
            progress(sqlite3_backup_pagecount(backup) - sqlite3_backup_remaining(backup),
                     sqlite3_backup_pagecount(backup));
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
            QThread::msleep(50);
    }
    const int finished = sqlite3_backup_finish(backup);
    return rc == SQLITE_DONE ? finished : rc;
}

} // namespace

QString takeSnapshot(const QString& source, const QString& target, const std::function<void(int, int)>& progress)
{
    if (!QFileInfo(source).isFile())
        return QStringLiteral("データファイル %1 がありません。").arg(source);
    QFile::remove(target);
    int rc = SQLITE_CANTOPEN;
    {
        DbHandle from = openDb(source, SQLITE_OPEN_READONLY);
        DbHandle to = openDb(target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        if (from && to)
            rc = copyPages(from.get(), to.get(), progress);
        if (rc != SQLITE_OK)
            qWarning().noquote() << "snapshot of" << source << "failed:" << sqlite3_errstr(rc);
    }
    if (rc == SQLITE_OK)
        return {};
    QFile::remove(target);
    QFile::remove(target + QStringLiteral("-journal"));
    return rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT
               ? QStringLiteral("データファイル %1 が壊れているか、データファイルではありません。").arg(source)
               : QStringLiteral("データファイル %1 を読めませんでした。").arg(source);
}

} // namespace rov2
