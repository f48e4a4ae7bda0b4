#include "CustomerListReport.h"

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
    showAgeOn(f, QStringLiteral("txt生年月日"), QStringLiteral("Field10"), Clock::today());
    reformatBirthDate(f, QStringLiteral("txt生年月日"), settings);
}

} // namespace

rpt顧客一覧::rpt顧客一覧(QString workFile, CompanySettings settings)
    : Report(QStringLiteral("顧客一覧")), workFile_(std::move(workFile)), settings_(std::move(settings))
{
    definition().bands = {pageHeader(Variant::Customers), customerBlock(Variant::Customers)};
}

QString rpt顧客一覧::query()
{
    return QStringLiteral("select * FROM w顧客マスタ印刷 order by ふりがな COLLATE JA;");
}

void rpt顧客一覧::ActiveReport_ReportStart()
{
    setPageSettings(definition().page);
    setDataSource(workFile_, query());
}

std::optional<FormatHooks> rpt顧客一覧::detachedRoutines() const
{
    FormatHooks hooks;
    hooks.pageHeader = [s = settings_](BandFormat& f) { formatPageHeader(f, s); };
    hooks.detail = [s = settings_](BandFormat& f) { formatDetail(f, s); };
    return hooks;
}

} // namespace rov2::report
