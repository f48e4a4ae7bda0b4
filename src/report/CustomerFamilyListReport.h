#pragma once

#include "CompanySettings.h"
#include "Report.h"

namespace rov2::report {

/// The customer list with families: each customer block of w顧客マスタ印刷 (in name order)
/// followed by the blocks of its members of w家族情報印刷 (in name order).
class rpt顧客家族一覧 final : public Report {
public:
    /// Reads its rows from @p workFile; prints dates as @p settings say.
    rpt顧客家族一覧(QString workFile, CompanySettings settings);

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
