#include "FamilyListReport.h"

#include "JapaneseDate.h"
#include "ListReportCommon.h"

namespace rov2::report {

using namespace list;

namespace {

void formatPageHeader(BandFormat& f, const CompanySettings& settings)
{
    f.control(QStringLiteral("txt印刷日"))->text = printDateText(Clock::today(), settings);
}

void formatDetail(BandFormat& f, const CompanySettings& settings)
{
    showAgeOn(f, QStringLiteral("txt家族生年月日"), QStringLiteral("txt年齢"), Clock::today());
    reformatBirthDate(f, QStringLiteral("txt家族生年月日"), settings);
}

} // namespace

rpt家族情報一覧::rpt家族情報一覧(QString workFile, CompanySettings settings)
    : Report(QStringLiteral("顧客リスト")), workFile_(std::move(workFile)), settings_(std::move(settings))
{
    definition().bands = {pageHeader(Variant::Families), familyBlock(Variant::Families)};
}

QString rpt家族情報一覧::query()
{
    return QStringLiteral("select * FROM w家族情報印刷 order by ふりがな COLLATE JA;");
}

void rpt家族情報一覧::ActiveReport_ReportStart()
{
    setPageSettings(definition().page);
    setDataSource(workFile_, query());
}

std::optional<FormatHooks> rpt家族情報一覧::detachedRoutines() const
{
    FormatHooks hooks;
    hooks.pageHeader = [s = settings_](BandFormat& f) { formatPageHeader(f, s); };
    hooks.detail = [s = settings_](BandFormat& f) { formatDetail(f, s); };
    return hooks;
}

} // namespace rov2::report
