#include "CustomerFamilyListReport.h"

#include "JapaneseDate.h"
#include "Layout.h"
#include "ListReportCommon.h"

namespace rov2::report {

using namespace list;

namespace {

const QString kCustomers = QStringLiteral("w顧客マスタ印刷");
const QString kFamilies = QStringLiteral("w家族情報印刷");

/// Every column of a print table, named "table.field" in the result: the two
/// tables share field names (名称, 生年月日, ...) that would otherwise clash.
QStringList qualifiedColumns(const QString& table)
{
    QStringList columns;
    const TableLayout* layout = findTable(FileKind::Work, table);
    if (!layout)
        return columns;
    for (const QString& name : layout->columnNames())
        columns << QStringLiteral("%1.\"%2\" AS \"%1.%2\"").arg(table, name);
    return columns;
}

void formatPageHeader(BandFormat& f, const CompanySettings& settings)
{
    f.control(QStringLiteral("txt印刷日"))->text = printDateText(Clock::today(), settings);
}

void formatGroupHeader(BandFormat& f, const CompanySettings& settings)
{
    showAgeOn(f, QStringLiteral("txt生年月日"), QStringLiteral("Field10"), Clock::today());
    reformatBirthDate(f, QStringLiteral("txt生年月日"), settings);
}

void formatDetail(BandFormat& f, const CompanySettings& settings)
{
    showAgeOn(f, QStringLiteral("txt家族生年月日"), QStringLiteral("txt年齢"), Clock::today());
    reformatBirthDate(f, QStringLiteral("txt家族生年月日"), settings);
    // The outer join gives a customer without family members one row with no
    // family fields: nothing of the family block prints for it.
    f.band.height = f.control(QStringLiteral("txt氏名"))->text.isEmpty() ? 0 : 1455;
}

} // namespace

rpt顧客家族一覧::rpt顧客家族一覧(QString workFile, CompanySettings settings)
    : Report(QStringLiteral("顧客一覧")), workFile_(std::move(workFile)), settings_(std::move(settings))
{
    Band footer;
    footer.kind = BandKind::GroupFooter;
    footer.height = 0;
    definition().bands = {pageHeader(Variant::CustomersWithFamilies), customerBlock(Variant::CustomersWithFamilies),
                          familyBlock(Variant::CustomersWithFamilies), footer};
}

QString rpt顧客家族一覧::query()
{
    return QStringLiteral("select %1 FROM w顧客マスタ印刷 left outer join w家族情報印刷 "
                          "on w顧客マスタ印刷.名称 = w家族情報印刷.名称 "
                          "order by w顧客マスタ印刷.名称 COLLATE JA, w家族情報印刷.氏名 COLLATE JA;")
        .arg((qualifiedColumns(kCustomers) + qualifiedColumns(kFamilies)).join(QStringLiteral(", ")));
}

void rpt顧客家族一覧::ActiveReport_ReportStart()
{
    setPageSettings(definition().page);
    setDataSource(workFile_, query());
}

std::optional<FormatHooks> rpt顧客家族一覧::detachedRoutines() const
{
    FormatHooks hooks;
    hooks.pageHeader = [s = settings_](BandFormat& f) { formatPageHeader(f, s); };
    hooks.groupHeader = [s = settings_](BandFormat& f) { formatGroupHeader(f, s); };
    hooks.detail = [s = settings_](BandFormat& f) { formatDetail(f, s); };
    return hooks;
}

} // namespace rov2::report
