#include "CustomerListReport.h"

#include "JapaneseDate.h"
#include "ListReportCommon.h"
#include "ProgramEnv.h"

namespace rov2::report {

using namespace list;

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

void rpt顧客一覧::PageHeader_Format(BandFormat& f)
{
    f.control(QStringLiteral("txt印刷日"))->text = printDateText(Clock::today());
}

void rpt顧客一覧::Detail_Format(BandFormat& f)
{
    showAgeOn(f, QStringLiteral("txt生年月日"), QStringLiteral("Field10"), Clock::today());
    reformatBirthDate(f, QStringLiteral("txt生年月日"));
}

} // namespace rov2::report
