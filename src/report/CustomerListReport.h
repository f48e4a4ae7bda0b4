#pragma once

#include "Report.h"

namespace rov2::report {

/// The customer list: one customer block per row of w顧客マスタ印刷, in reading order.
class rpt顧客一覧 final : public Report {
public:
    rpt顧客一覧();

    /// The query on the work file's print table, in the order the list prints.
    static QString query();

protected:
    void ActiveReport_ReportStart() override;
    std::optional<FormatHooks> detachedRoutines() const override;
};

} // namespace rov2::report
