#include "SingleRowTable.h"

#include "Database.h"
#include "Recordset.h"

#include <QtDebug>

namespace rov2::SingleRowTable {

Row readFirst(const QString& file, const QString& table)
{
    Row out;
    QString error;
    auto db = Database::open(file, &error);
    if (!db) {
        qWarning().noquote() << "maintenance: cannot open" << file << error;
        return out;
    }
    Recordset rs = db->openDynaset(table);
    if (!rs.isOpen())
        return out;
    if (rs.eof()) {
        out.status = ReadStatus::NoRow;
        return out;
    }
    for (const QString& name : rs.fieldNames())
        out.fields.insert(name, rs.field(name));
    out.status = ReadStatus::Ok;
    return out;
}

bool replace(const QString& file, const QString& table, const QVariantMap& fields)
{
    QString error;
    auto db = Database::open(file, &error);
    if (!db) {
        qWarning().noquote() << "maintenance: cannot open" << file << error;
        return false;
    }
    Transaction tx(*db);
    if (!tx.active())
        return false;
    QVariantMap row;
    {
        Recordset old = db->openDynaset(table);
        if (!old.isOpen())
            return false;
        if (!old.eof())
            for (const QString& name : old.fieldNames())
                row.insert(name, old.field(name));
    }
    for (auto it = fields.begin(); it != fields.end(); ++it)
        row.insert(it.key(), it.value());
    // The table name is one of ours, never text the user typed.
    if (!db->execute(QStringLiteral("DELETE FROM ") + table))
        return false;
    {
        // Closed before the commit: SQLite refuses to commit under a running statement.
        Recordset rs = db->openDynaset(table);
        if (!rs.isOpen())
            return false;
        rs.addNew();
        for (auto it = row.begin(); it != row.end(); ++it) {
            if (!rs.setField(it.key(), it.value())) {
                qWarning().noquote() << "maintenance:" << table << "has no field" << it.key();
                return false;
            }
        }
        if (!rs.update())
            return false;
    }
    if (!tx.commit()) {
        qWarning().noquote() << "maintenance: cannot commit" << table << db->lastError();
        return false;
    }
    return true;
}

} // namespace rov2::SingleRowTable
