// The previous version's conversion at scale: an old file of 100,000
// customers into a data file that already holds 50,000 of them, beside bare
// SQLite doing the same statements (find by name, update or insert, one
// transaction). Also how often the progress panel was given a chance to
// repaint, and the longest time it went without one.
#include "BenchFiles.h"
#include "ConvertRov.h"
#include "Database.h"
#include "Dialogs.h"

#include <QGuiApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <SQLiteCpp/SQLiteCpp.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr qint64 kOld = 100000;
constexpr qint64 kCurrent = 50000;

class Unattended : public rov2::Dialogs {
public:
    rov2::MsgAnswer message(QWidget*, const rov2::MessageRequest& r) override
    {
        last = r.text;
        return r.buttons == rov2::MsgButtons::YesNo ? rov2::MsgAnswer::No : rov2::MsgAnswer::Ok;
    }
    std::optional<QString> openFile(QWidget*, const QString&, const QString&, const QStringList&, int) override
    {
        return std::nullopt;
    }
    std::optional<QString> saveFile(QWidget*, const QString&, const QString&, const QStringList&, int) override
    {
        return std::nullopt;
    }
    std::optional<QString> folder(QWidget*, const QString&) override { return std::nullopt; }
    void beep() override {}
    QString last;
};

/// The previous version's layout, filled from the sample customers (TEL and 区分 under their old names).
void writeOldFile(const QString& sample, const QString& oldPath)
{
    auto file = rov2::Database::createNew(oldPath); // registers the reading collation the sample's schema names
    SQLite::Database& db = file->native();
    db.exec("ATTACH DATABASE '" + sample.toStdString() + "' AS s");
    db.exec("CREATE TABLE 自社情報 AS SELECT 顧客名, 名称2, 郵便番号, 住所1, 電話番号, FAX, 敬称登録, YubinLocalEria, "
            "yubinlocalEriaSw FROM s.自社情報");
    db.exec("CREATE TABLE コードマスタ AS SELECT kcode, code, sname FROM s.コードマスタ");
    db.exec("CREATE TABLE 顧客マスタ AS SELECT 名称, ふりがな, 郵便番号, 住所1, 住所2, 敬称, TEL1 AS TEL, FAX, "
            "クイック, 区分1 AS 区分, 顧客メモ FROM s.顧客マスタ ORDER BY rowid");
}

/// The current file: the sample file with only its first 50,000 customers.
void writeCurrentFile(const QString& sample, const QString& path)
{
    QFile::copy(sample, path);
    auto file = rov2::Database::open(path);
    SQLite::Database& db = file->native();
    db.exec("DELETE FROM 顧客マスタ WHERE rowid > " + std::to_string(kCurrent));
    db.exec("VACUUM");
}

/// Bare SQLite: the customers' statements of the conversion, prepared once, in one transaction.
double baseline(const QString& oldPath, const QString& current)
{
    QElapsedTimer t;
    t.start();
    auto file = rov2::Database::open(current);
    SQLite::Database& db = file->native();
    SQLite::Database old(oldPath.toStdString(), SQLite::OPEN_READONLY);
    SQLite::Transaction tx(db);
    SQLite::Statement read(old, "SELECT 名称, ふりがな, 郵便番号, 住所1, 住所2, 敬称, TEL, FAX, クイック, 区分, 顧客メモ "
                                "FROM 顧客マスタ");
    SQLite::Statement find(db, "SELECT rowid FROM 顧客マスタ WHERE 名称 IS ? ORDER BY rowid LIMIT 1");
    SQLite::Statement update(db, "UPDATE 顧客マスタ SET 名称 = ?, ふりがな = ?, 郵便番号 = ?, 住所1 = ?, 住所2 = ?, "
                                 "敬称 = ?, TEL1 = ?, FAX = ?, クイック = ?, 区分1 = ?, 顧客メモ = ? WHERE rowid = ?");
    SQLite::Statement insert(db, "INSERT INTO 顧客マスタ (名称, ふりがな, 郵便番号, 住所1, 住所2, 敬称, TEL1, FAX, "
                                 "クイック, 区分1, 顧客メモ) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    while (read.executeStep()) {
        find.reset();
        find.bind(1, read.getColumn(0).getString());
        SQLite::Statement& write = find.executeStep() ? update : insert;
        const bool found = &write == &update;
        const long long rowid = found ? find.getColumn(0).getInt64() : 0;
        write.reset();
        for (int i = 0; i < 11; ++i) {
            if (read.getColumn(i).isNull())
                write.bind(i + 1);
            else
                write.bind(i + 1, read.getColumn(i).getString());
        }
        if (found)
            write.bind(12, static_cast<int64_t>(rowid));
        write.exec();
    }
    tx.commit();
    return t.elapsed() / 1000.0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString sample = rov2::bench::sampleDataFile(kOld);
    const QString oldPath = dir.filePath(QStringLiteral("RovData.mdb"));
    const QString current = dir.filePath(QStringLiteral("Rov2Data.mdb"));
    const QString bare = dir.filePath(QStringLiteral("bare.mdb"));
    writeOldFile(sample, oldPath);
    writeCurrentFile(sample, current);
    QFile::copy(current, bare);

    const double base = baseline(oldPath, bare);

    Unattended dialogs;
    int updates = 0;
    qint64 longestGap = 0;
    QElapsedTimer gap;
    rov2::ConvertProgress progress;
    progress.panel = [&](bool visible) {
        if (visible)
            gap.start();
    };
    progress.update = [&](const QString&, const QString&) {
        ++updates;
        longestGap = std::max(longestGap, gap.restart());
        QGuiApplication::processEvents();
    };
    QElapsedTimer t;
    t.start();
    const rov2::ConvertResult r = rov2::ConvertRov(oldPath, current, dialogs, progress);
    const double conversion = t.elapsed() / 1000.0;
    longestGap = std::max(longestGap, gap.elapsed());

    std::printf("%lld old customers into a file holding %lld of them\n", static_cast<long long>(kOld),
                static_cast<long long>(kCurrent));
    std::printf("  ConvertRov:                     %6.2f s  (%lld overwritten, %lld added; \"%s\")\n", conversion,
                static_cast<long long>(r.customers.overwritten), static_cast<long long>(r.customers.added),
                qPrintable(dialogs.last));
    std::printf("  baseline, bare SQLite:          %6.2f s  (customers only, same statements)\n", base);
    std::printf("  progress updates: %d, longest time without one: %lld ms\n", updates,
                static_cast<long long>(longestGap));
    return r.outcome == rov2::ConvertOutcome::Converted ? 0 : 1;
}
