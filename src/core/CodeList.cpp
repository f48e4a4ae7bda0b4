#include "CodeList.h"

#include "Database.h"
#include "Query.h"

#include <QtDebug>

namespace rov2 {

std::optional<QStringList> readCodeList(const QString& dataFile, const QString& kind)
{
    QString error;
    auto db = Database::open(dataFile, &error);
    if (!db) {
        qWarning().noquote() << "code list: cannot open" << dataFile << ":" << error;
        return std::nullopt;
    }
    Query q = db->query(QStringLiteral("SELECT sname FROM コードマスタ WHERE kcode = ? AND sname IS NOT NULL "
                                       "ORDER BY cnt, code"),
                        {kind});
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    if (!q.ok()) {
        qWarning().noquote() << "code list: cannot read" << kind << "from" << dataFile << ":"
                             << db->lastError();
        return std::nullopt;
    }
    return names;
}

} // namespace rov2
