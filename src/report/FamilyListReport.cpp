#include "FamilyListReport.h"

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
    showAgeOn(f, QStringLiteral("txt家族生年月日"), QStringLiteral("txt年齢"), Clock::today());
    reformatBirthDate(f, QStringLiteral("txt家族生年月日"));
}

} // namespace

rpt家族情報一覧::rpt家族情報一覧() : Report(QStringLiteral("顧客リスト"))
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
    setDataSource(env().locations.workFile, query());
}

std::optional<FormatHooks> rpt家族情報一覧::detachedRoutines() const
{
    FormatHooks hooks;
    hooks.pageHeader = formatPageHeader;
    hooks.detail = formatDetail;
    return hooks;
}

} // namespace rov2::report
