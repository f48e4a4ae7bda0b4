#include "FindTrueRecord.h"

#include "Database.h"
#include "Recordset.h"

#include <QtDebug>

namespace rov2 {

namespace {

QString quotedName(QString name)
{
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

} // namespace

int FindTrueRecord(Recordset& rs, const QString& fieldName)
{
    if (!rs.isOpen() || !rs.hasField(fieldName))
        return 0;
    // Null is neither true nor false and never matches.
    return rs.findFirst(quotedName(fieldName) + QStringLiteral(" <> 0")) ? 1 : 0;
}

int FindTrueRecord(const QString& workFile, const QString& table, const QString& fieldName)
{
    QString error;
    auto db = Database::open(workFile, &error);
    if (!db) {
        qWarning().noquote() << "FindTrueRecord:" << error;
        return 0;
    }
    Recordset rs = db->openDynaset(table);
    return FindTrueRecord(rs, fieldName);
}

} // namespace rov2
