#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace rov2 {

/// The folder beside the data file that holds the copies taken at the first
/// start of each day.
QString dailyCopyFolder(const QString& dataFile);

/// How many daily copies stay.
inline constexpr int kDailyCopies = 7;

/// One copy in dailyCopyFolder(), named after the data file and its day
/// ("Rov2Data_20261208.mdb").
struct DailyCopy
{
    QString path;
    QDate day;
};

/// The copies of @p dataFile, newest first; names match in any letter case.
QList<DailyCopy> dailyCopies(const QString& dataFile);

enum class DailyCopyOutcome {
    Taken,        ///< today's copy was written
    AlreadyTaken, ///< today has its copy: not the day's first start
    NoDataFile,   ///< there is no data file to copy
    Failed,       ///< no copy was written; failure says why
};

struct DailyCopyResult
{
    DailyCopyOutcome outcome = DailyCopyOutcome::Failed;
    QString failure; ///< for the user, when Failed
};

/// Copies @p dataFile into dailyCopyFolder() as the copy of @p today unless
/// today has one: a consistent snapshot through SQLite's backup API, written
/// under a hidden name and renamed whole, so that a copy cut short is never
/// taken for the day's. Then only the newest kDailyCopies stay, today's
/// always among them. The data file itself is only read.
DailyCopyResult takeDailyCopy(const QString& dataFile, const QDate& today);

/// The customers in a data file, read without changing the file (a copy of
/// an older layout stays as it was); nothing when it cannot be read.
std::optional<qint64> customerCount(const QString& dataFile);

} // namespace rov2
