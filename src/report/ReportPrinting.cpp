#include "ReportPrinting.h"

#include "Dialogs.h"
#include "ReportPainter.h"

#include <QPrinter>
#include <QtDebug>

namespace rov2::report {

PrintResult printReport(const LaidOutReport& report, const QString& documentName, bool showDialog, QWidget* owner)
{
    const int pages = static_cast<int>(report.pages.size());
    QPrinter printer(QPrinter::HighResolution);
    // The items carry the report's own margins; the printer's would come on top.
    printer.setFullPage(true);
    printer.setDocName(documentName);
    printer.setPageOrientation(report.page.orientation);
    printer.setPageSize(QPageSize(report.page.paper));
    printer.setFromTo(1, pages);
    if (showDialog && !dialogs().print(owner, printer))
        return PrintResult::Cancelled;
    int first = 0;
    int last = pages - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage() - 1;
        last = qMin(last, printer.toPage() - 1);
    }
    if (first > last)
        return PrintResult::Cancelled;
    if (!paintPages(printer, report, first, last)) {
        qWarning() << "printing" << documentName << "failed on" << printer.printerName();
        return PrintResult::Failed;
    }
    return PrintResult::Printed;
}

} // namespace rov2::report
