#include "CustomerListReport.h"

#include "JapaneseDate.h"
#include "ListReportCommon.h"
#include "ProgramEnv.h"

namespace rov2::report {

using namespace list;

namespace {

void formatPageHeader(BandFormat& f)
{
    f.control(QStringLiteral("txt印刷日"))->text = printDateText(Clock::today());
}

void formatDetail(BandFormat& f)
{
    showAgeOn(f, QStringLiteral("txt生年月日"), QStringLiteral("Field10"), Clock::today());
    reformatBirthDate(f, QStringLiteral("txt生年月日"));
}

} // namespace

rpt顧客一覧::rpt顧客一覧() : Report(QStringLiteral("顧客一覧"))
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
    setDataSource(env().locations.workFile, query());
}

std::optional<FormatHooks> rpt顧客一覧::detachedRoutines() const
{
    FormatHooks hooks;
    hooks.pageHeader = formatPageHeader;
    hooks.detail = formatDetail;
    return hooks;
}

} // namespace rov2::report
