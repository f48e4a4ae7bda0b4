#include "ShowPreview.h"

#include "Report.h"
#include "ReportPreview.h"

namespace rov2::report {

ReportPreview* showPreview(Report& report, const OwnFiles& own, QWidget* parent)
{
    if (!report.pageSource())
        report.Restart();
    auto* preview = new ReportPreview(report.pageSource(), report.caption(), own, parent);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->show();
    return preview;
}

} // namespace rov2::report
