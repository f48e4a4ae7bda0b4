#include "AddCodeName.h"

#include "Database.h"
#include "Recordset.h"

#include <QtDebug>

namespace rov2 {
namespace {

const QString kSname = QStringLiteral("sname");

bool kindMayGrow(const QString& kind, const CompanySettings& s)
{
    if (kind == QStringLiteral("区分1"))
        return s.区分登録1;
    if (kind == QStringLiteral("区分2"))
        return s.区分登録2;
    if (kind == QStringLiteral("敬称"))
        return s.敬称登録;
    return true;
}

/// True when some slot holds exactly @p name; a Null slot never matches.
bool isListed(Recordset& rs, const QString& name)
{
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        const QVariant v = rs.field(kSname);
        if (!v.isNull() && v.toString() == name)
            return true;
    }
    return false;
}

/// Leaves @p rs on the first slot whose name is Null. @return false when there is none.
bool moveToFreeSlot(Recordset& rs)
{
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        if (rs.field(kSname).isNull())
            return true;
    return false;
}

} // namespace

bool AddCodeName(const QString& dataFile, const CompanySettings& settings, const QString& kind, const QString& name,
                 const QString& gender)
{
    // An empty name would take a slot and show as a blank entry.
    if (name.isEmpty() || !kindMayGrow(kind, settings))
        return false;
    auto db = Database::open(dataFile);
    if (!db)
        return false;
    Recordset rs = db->openDynaset(QStringLiteral("コードマスタ"), QStringLiteral("kcode = ?"), {kind},
                                   QStringLiteral("code"));
    if (!rs.isOpen() || rs.bof() || rs.eof())
        return false;
    if (isListed(rs, name) || !moveToFreeSlot(rs))
        return false;
    rs.edit();
    rs.setField(kSname, name);
    if (kind == QStringLiteral("続柄"))
        rs.setField(QStringLiteral("性別"), gender);
    if (!rs.update()) {
        qWarning().noquote() << "code list: cannot store" << name << "in" << kind << ":" << db->lastError();
        return false;
    }
    return true;
}

} // namespace rov2
