#pragma once

#include "Report.h"

namespace rov2::report {

/// The family list: one family block per row of w家族情報印刷, with its customer's name, in reading order.
class rpt家族情報一覧 final : public Report {
public:
    rpt家族情報一覧();

    /// The query on the work file's print table, in the order the list prints.
    static QString query();

protected:
    void ActiveReport_ReportStart() override;
    std::optional<FormatHooks> detachedRoutines() const override;
};

} // namespace rov2::report
