#include "CompanySettings.h"

#include "Database.h"
#include "Recordset.h"

#include <QtDebug>

namespace rov2 {

void LoadCompanySettings(const QString& dataFile, CompanySettings& s)
{
    auto db = Database::open(dataFile);
    if (!db)
        return;
    Recordset rs = db->openDynaset(QStringLiteral("自社情報"));
    if (!rs.isOpen() || rs.eof())
        return;
    // A Null flag counts as on: older files have no value there.
    const auto flag = [&rs](const QString& name, bool& target) {
        if (!rs.hasField(name)) {
            qWarning().noquote() << "settings: 自社情報 has no field" << name;
            return;
        }
        const QVariant v = rs.field(name);
        target = v.isNull() ? true : v.toLongLong() != 0;
    };
    flag(QStringLiteral("敬称登録"), s.敬称登録);
    flag(QStringLiteral("区分登録1"), s.区分登録1);
    flag(QStringLiteral("区分登録2"), s.区分登録2);
    flag(QStringLiteral("続柄登録"), s.続柄登録);
    if (rs.hasField(QStringLiteral("年号")))
        s.年号 = rs.field(QStringLiteral("年号"));
    if (rs.hasField(QStringLiteral("性別")))
        s.性別 = rs.field(QStringLiteral("性別"));
}

} // namespace rov2
