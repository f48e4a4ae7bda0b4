#include "ReportPrinting.h"

#include "Dialogs.h"
#include "FinishedPages.h"
#include "Messages.h"
#include "ProgressiveLayout.h"
#include "Report.h"
#include "ReportPainter.h"

#include <QFile>
#include <QPrinter>
#include <QtDebug>

#include <optional>

namespace rov2::report {

namespace {

struct PageRange
{
    int first = 0;
    int last = -1; ///< below first: nothing to print
};

PageRange chosenPages(const QPrinter& printer, int pages)
{
    PageRange r{0, pages - 1};
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        r.first = printer.fromPage() - 1;
        r.last = qMin(r.last, printer.toPage() - 1);
    }
    return r;
}

/// A file the printer is to write is one the user named. The print dialog
/// has asked before an existing file is replaced; the program's own files it
/// does not know. @return true when @p path is one of them (the user is told).
bool refusedOutput(const QString& path, QWidget* owner, const OwnFiles& own)
{
    const OwnFile which = ownFileAt(path, own);
    if (which == OwnFile::None)
        return false;
    dialogs().message(owner, MessageRequest{QStringLiteral("印刷"), ownFileRefusal(path, which),
                                            MsgButtons::Ok, MsgIcon::Exclamation, false});
    return true;
}

/// QPrinter writes its PDF straight over the file and never says that the
/// disk was full: the PDF is written whole or not at all instead.
PrintResult printPdfFile(PageSource& pages, const QString& documentName, const QString& path,
                         PageRange range, const FileSinkFactory& sinks)
{
    if (savePdfPages(pages, range.first, range.last, path, documentName, sinks) == PdfResult::Saved)
        return PrintResult::Printed;
    qWarning() << "printing" << documentName << "to" << path << "failed";
    return PrintResult::Failed;
}

/// The page settings for the paper the printer is set to, upright; nothing
/// when the report already is on it or the paper has no standard size.
std::optional<PageSettings> printerPaper(const QPrinter& printer, const PageSettings& page)
{
    const QPageSize::PageSizeId paper = printer.pageLayout().pageSize().id();
    if (paper == QPageSize::Custom || (paper == page.paper && page.orientation == QPageLayout::Portrait))
        return std::nullopt;
    PageSettings onPaper = page;
    onPaper.paper = paper;
    onPaper.orientation = QPageLayout::Portrait;
    return onPaper;
}

PrintResult printPages(QPrinter& printer, PageSource& pages, const QString& documentName, QWidget* owner,
                       const OwnFiles& own, const FileSinkFactory& sinks)
{
    const PageRange range = chosenPages(printer, pages.pageCount());
    if (range.first > range.last)
        return PrintResult::Cancelled;
    const QString outputFile = printer.outputFileName();
    if (!outputFile.isEmpty() && refusedOutput(outputFile, owner, own))
        return PrintResult::Cancelled;
    if (!outputFile.isEmpty() && printer.outputFormat() == QPrinter::PdfFormat)
        return printPdfFile(pages, documentName, outputFile, range, sinks);
    if (!paintPages(printer, pages, range.first, range.last)) {
        qWarning() << "printing" << documentName << "failed on" << printer.printerName();
        // A printer's output file cut off part way is worse than none.
        if (!outputFile.isEmpty() && QFile::exists(outputFile) && !QFile::remove(outputFile))
            qWarning() << "cannot remove the partial output" << outputFile;
        return PrintResult::Failed;
    }
    return PrintResult::Printed;
}

} // namespace

PrintResult printReport(const LaidOutReport& report, const QString& documentName, bool showDialog,
                        QWidget* owner, const OwnFiles& own, const FileSinkFactory& sinks,
                        const Relayout& relayout)
{
    FinishedPages pages(report);
    return printReport(pages, documentName, showDialog, owner, own, sinks, relayout);
}

PrintResult printReport(PageSource& pages, const QString& documentName, bool showDialog, QWidget* owner,
                        const OwnFiles& own, const FileSinkFactory& sinks, const Relayout& relayout)
{
    QPrinter printer(QPrinter::HighResolution);
    // The items carry the report's own margins; the printer's would come on top.
    printer.setFullPage(true);
    printer.setDocName(documentName);
    const PageSettings& page = pages.settings();
    printer.setPageOrientation(page.orientation);
    printer.setPageSize(QPageSize(page.paper));
    printer.setFromTo(1, pages.pageCount());
    if (showDialog && !dialogs().print(owner, printer))
        return PrintResult::Cancelled;
    if (page.followsPrinterPaper && relayout) {
        if (const std::optional<PageSettings> paper = printerPaper(printer, page)) {
            FinishedPages onPaper(std::make_shared<const LaidOutReport>(relayout(*paper)));
            return printPages(printer, onPaper, documentName, owner, own, sinks);
        }
    }
    return printPages(printer, pages, documentName, owner, own, sinks);
}

void tellPrintFailed(const QString& documentName)
{
    ShowMessage(MsgOp::印刷, MsgKind::失敗, documentName);
}

PrintResult Report::PrintReport(bool showDialog, const OwnFiles& own, QWidget* owner)
{
    if (!layout_)
        Restart();
    return printReport(*layout_, caption_, showDialog, owner, own, {},
                       [this](const PageSettings& page) { return layoutOn(page); });
}

} // namespace rov2::report
