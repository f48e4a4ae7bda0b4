#pragma once

#include <QString>
#include <QVariant>

namespace rov2 {

/// The business settings read from 自社情報.
struct CompanySettings {
    bool 区分登録1 = false;
    bool 区分登録2 = false;
    bool 敬称登録 = false;
    bool 続柄登録 = false;
    QVariant 年号; ///< "西暦", "和暦" or Null
    QVariant 性別; ///< default sex of a new customer, or Null

    /// True when dates are shown in the era calendar.
    bool eraCalendar() const { return 年号.toString() == QStringLiteral("和暦"); }
};

/// Reads the first row of 自社情報 from @p dataFile into @p settings.
/// An empty table, a missing file or table leaves the settings as they were;
/// a missing field leaves only that setting unchanged.
void LoadCompanySettings(const QString& dataFile, CompanySettings& settings);

} // namespace rov2
