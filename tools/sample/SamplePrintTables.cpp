#include "SamplePrintTables.h"

#include "Database.h"
#include "Layout.h"

namespace rov2 {
namespace {

bool copyTable(Database& db, const QString& dataFile, const QString& from, const QString& to)
{
    const TableLayout* layout = findTable(FileKind::Work, to);
    if (!layout)
        return false;
    QStringList columns;
    for (const QString& c : layout->columnNames())
        columns << QLatin1Char('"') + c + QLatin1Char('"');
    const QString list = columns.join(QStringLiteral(", "));
    return db.execute(QStringLiteral("delete from ") + to) &&
           db.executeWithAttached(dataFile, QStringLiteral("src"),
                                  QStringLiteral("insert into %1 (%2) select %2 from src.%3").arg(to, list, from));
}

} // namespace

std::optional<PrintTableCounts> copySamplePrintTables(const QString& dataFile, const QString& workFile, QString* error)
{
    std::unique_ptr<Database> db = Database::open(workFile, error);
    if (!db)
        return std::nullopt;
    // No transaction: SQLite refuses to attach the data file inside one.
    if (!copyTable(*db, dataFile, QStringLiteral("顧客マスタ"), QStringLiteral("w顧客マスタ印刷")) ||
        !copyTable(*db, dataFile, QStringLiteral("家族情報"), QStringLiteral("w家族情報印刷"))) {
        if (error)
            *error = db->lastError();
        return std::nullopt;
    }
    PrintTableCounts counts;
    counts.customers = db->count(QStringLiteral("select count(*) as num from w顧客マスタ印刷")).value_or(-1);
    counts.familyRows = db->count(QStringLiteral("select count(*) as num from w家族情報印刷")).value_or(-1);
    return counts;
}

} // namespace rov2
