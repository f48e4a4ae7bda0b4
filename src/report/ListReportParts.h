#pragma once

#include "CompanySettings.h"
#include "ReportDefinition.h"

#include <QDate>

namespace rov2::report {

struct BandFormat;

/// The pieces the three list reports share.
namespace list {

/// Which list report a block is laid out for: the blocks sit a little
/// differently in the customer-with-family report.
enum class Variant { Customers, Families, CustomersWithFamilies };

inline constexpr const char* kMincho = "ＭＳ Ｐ明朝";
inline constexpr const char* kGothic = "ＭＳ Ｐゴシック";

/// Portrait, margins left 600, top 600, right 400, bottom 0.
void setPageSettings(PageSettings& page);

/// The page header: title, 印刷日 with txt印刷日, "Page" N "/" M and, but in
/// the customer-with-family report, the rule under it.
Band pageHeader(Variant v);

/// The customer block: the detail band of the customer list, the group
/// header of the customer-with-family list.
Band customerBlock(Variant v);

/// The family block: the detail band of the family list and of the
/// customer-with-family list.
Band familyBlock(Variant v);

/// A stored birth date ("yyyy/mm/dd") as printed: era form when the setting
/// 年号 of @p settings is "和暦", else Western. Empty stays empty; a text that is not a date is
/// printed as it is.
QString birthDateText(const QString& stored, const CompanySettings& settings);

/// Puts the age on @p today (ageToShow) into the band's age box where its
/// birth-date box holds a stored date; run it before that date is reformatted.
void showAgeOn(BandFormat& f, const QString& birthControl, const QString& ageControl, const QDate& today);

/// The print date: Western form when the setting 年号 of @p settings is
/// "西暦", else the era form.
QString printDateText(const QDate& day, const CompanySettings& settings);

} // namespace list
} // namespace rov2::report
