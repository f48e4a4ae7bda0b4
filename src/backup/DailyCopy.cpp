#include "DailyCopy.h"

#include "BackupSnapshot.h"
#include "JapaneseCollation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtDebug>
#include <SQLiteCpp/Database.h>
#include <algorithm>
#include <filesystem>
#include <system_error>

namespace rov2 {
namespace {

const QString kPartialSuffix = QStringLiteral(".partial");

QString suffixOf(const QFileInfo& data)
{
    return data.suffix().isEmpty() ? QString() : u'.' + data.suffix();
}

QString copyName(const QFileInfo& data, const QDate& day)
{
    return data.completeBaseName() + u'_' + day.toString(QStringLiteral("yyyyMMdd")) + suffixOf(data);
}

// What a copy cut short by a crash or a power cut left. The instance lock
// keeps every other copy of the program away while this one writes here.
void removePartials(const QDir& folder)
{
    const QStringList names =
        folder.entryList({QStringLiteral(".*") + kPartialSuffix}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        QFile::remove(folder.filePath(name));
}

// @p justTaken stays whatever its day: the clock may have been set back.
void pruneDailyCopies(const QString& dataFile, const QString& justTaken)
{
    QList<DailyCopy> copies = dailyCopies(dataFile);
    copies.removeIf([&justTaken](const DailyCopy& c) { return c.path == justTaken; });
    for (qsizetype i = kDailyCopies - 1; i < copies.size(); ++i)
        if (!QFile::remove(copies[i].path))
            qWarning().noquote() << "daily copy: cannot remove the old copy" << copies[i].path;
}

DailyCopyResult failed(const QString& why)
{
    qWarning().noquote() << "daily copy:" << why;
    return {DailyCopyOutcome::Failed, why};
}

} // namespace

QString dailyCopyFolder(const QString& dataFile)
{
    return QFileInfo(dataFile).dir().filePath(QStringLiteral("自動保存"));
}

QList<DailyCopy> dailyCopies(const QString& dataFile)
{
    const QFileInfo info(dataFile);
    const QRegularExpression pattern(u'^' + QRegularExpression::escape(info.completeBaseName()) +
                                         QStringLiteral("_([0-9]{8})") +
                                         QRegularExpression::escape(suffixOf(info)) + u'$',
                                     QRegularExpression::CaseInsensitiveOption);
    const QDir folder(dailyCopyFolder(dataFile));
    QList<DailyCopy> copies;
    for (const QString& name : folder.entryList(QDir::Files)) {
        const QRegularExpressionMatch m = pattern.match(name);
        const QDate day =
            m.hasMatch() ? QDate::fromString(m.captured(1), QStringLiteral("yyyyMMdd")) : QDate();
        if (day.isValid())
            copies.push_back({folder.filePath(name), day});
    }
    std::sort(copies.begin(), copies.end(),
              [](const DailyCopy& a, const DailyCopy& b) { return a.day > b.day; });
    return copies;
}

DailyCopyResult takeDailyCopy(const QString& dataFile, const QDate& today)
{
    if (!QFileInfo(dataFile).isFile())
        return {DailyCopyOutcome::NoDataFile, {}};
    const QList<DailyCopy> copies = dailyCopies(dataFile);
    if (std::any_of(copies.begin(), copies.end(), [&today](const DailyCopy& c) { return c.day == today; }))
        return {DailyCopyOutcome::AlreadyTaken, {}};
    const QDir folder(dailyCopyFolder(dataFile));
    if (!QDir().mkpath(folder.path()))
        return failed(QStringLiteral("自動保存のフォルダ %1 を作れません。")
                          .arg(QDir::toNativeSeparators(folder.path())));
    removePartials(folder);
    const QString target = folder.filePath(copyName(QFileInfo(dataFile), today));
    const QString partial = folder.filePath(u'.' + QFileInfo(target).fileName() + kPartialSuffix);
    if (const QString failure = takeSnapshot(dataFile, partial); !failure.isEmpty())
        return failed(failure);
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(partial).toStdString(), QFile::encodeName(target).toStdString(),
                            error);
    if (error) {
        QFile::remove(partial);
        return failed(QStringLiteral("%1 を作れません。").arg(QDir::toNativeSeparators(target)));
    }
    pruneDailyCopies(dataFile, target);
    return {DailyCopyOutcome::Taken, {}};
}

std::optional<qint64> customerCount(const QString& dataFile)
{
    try {
        SQLite::Database db(dataFile.toStdString(), SQLite::OPEN_READONLY);
        if (!registerJapaneseCollation(db.getHandle()))
            return std::nullopt;
        return db.execAndGet("SELECT count(*) FROM 顧客マスタ").getInt64();
    } catch (const std::exception& e) {
        qWarning().noquote() << "daily copy: cannot count the customers of" << dataFile << e.what();
        return std::nullopt;
    }
}

} // namespace rov2
