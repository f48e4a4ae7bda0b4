#pragma once

#include "CompanySettings.h"
#include "Report.h"

namespace rov2::report {

/// The customer list: one customer block per row of w顧客マスタ印刷, in reading order.
class rpt顧客一覧 final : public Report {
public:
    /// Reads its rows from @p workFile; prints dates as @p settings say.
    rpt顧客一覧(QString workFile, CompanySettings settings);

    /// The query on the work file's print table, in the order the list prints.
    static QString query();

protected:
    void ActiveReport_ReportStart() override;
    std::optional<FormatHooks> detachedRoutines() const override;

private:
    QString workFile_;
    CompanySettings settings_;
};

} // namespace rov2::report
