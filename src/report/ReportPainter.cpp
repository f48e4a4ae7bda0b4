#include "ReportPainter.h"

#include "FinishedPages.h"
#include "VerticalText.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QtDebug>

namespace rov2::report {
namespace {

QFont fontOf(const PageItem& item)
{
    QFont font(item.font);
    // The painter works in twips: a point is 20 of them.
    font.setPixelSize(qMax(1, qRound(item.pointSize * 20)));
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

/// Below this a condensed face is no longer readable.
constexpr int kNarrowestStretch = 40;

/// One line of text in its box. The IPA faces run wider than the faces the
/// boxes were measured with, so a text that would not fit is condensed to the
/// box's width rather than wrapped into the line below or over its neighbour.
void drawFitted(QPainter& painter, const PageItem& item)
{
    const int flags = static_cast<int>(item.alignment) | Qt::TextSingleLine;
    const qreal width = painter.fontMetrics().horizontalAdvance(item.text);
    if (width <= item.rect.width()) {
        painter.drawText(item.rect, flags, item.text);
        return;
    }
    const QFont normal = painter.font();
    QFont condensed = normal;
    condensed.setStretch(qMax(kNarrowestStretch, static_cast<int>(100 * item.rect.width() / width)));
    painter.setFont(condensed);
    painter.drawText(item.rect, flags, item.text);
    painter.setFont(normal);
}

QPageLayout pageLayoutOf(const PageSettings& s)
{
    return QPageLayout(QPageSize(s.paper), s.orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

} // namespace

QString fittedText(const PageItem& item)
{
    // Even the widest character takes no more than about an em: most texts need no measuring.
    const double room = 100.0 / kNarrowestStretch * item.rect.width();
    const double em = item.pointSize * 20;
    if (item.text.size() * em <= room)
        return item.text;
    // A little spare, as the device the page is painted on may measure a shade wider.
    return QFontMetricsF(fontOf(item)).elidedText(item.text, Qt::ElideRight, room * 0.97);
}

void paintPage(QPainter& painter, const Page& page)
{
    painter.save();
    QPen pen(Qt::black);
    pen.setWidthF(15); // a thin rule, about 0.26 mm
    painter.setPen(pen);
    QString lastFont;
    double lastSize = -1;
    for (const PageItem& item : page.items) {
        if (item.kind == PageItem::Kind::Line) {
            painter.drawLine(item.line);
            continue;
        }
        if (item.kind == PageItem::Kind::Shaped) {
            paintShaped(painter, item);
            continue;
        }
        if (item.text.isEmpty())
            continue;
        if (item.font != lastFont || item.pointSize != lastSize) {
            painter.setFont(fontOf(item));
            lastFont = item.font;
            lastSize = item.pointSize;
        }
        drawFitted(painter, item);
    }
    painter.restore();
}

void paintPageScaled(QPainter& painter, const Page& page, double dotsPerInch)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double scale = dotsPerInch / kTwipsPerInch;
    painter.scale(scale, scale);
    paintPage(painter, page);
    painter.restore();
}

QImage renderPage(const LaidOutReport& report, int pageIndex, double dotsPerInch)
{
    const QSize twips = report.page.paperTwips();
    const QSize size(qRound(twips.width() * dotsPerInch / kTwipsPerInch),
                     qRound(twips.height() * dotsPerInch / kTwipsPerInch));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (pageIndex < 0 || pageIndex >= static_cast<int>(report.pages.size()))
        return image;
    QPainter painter(&image);
    paintPageScaled(painter, report.pages[static_cast<size_t>(pageIndex)], dotsPerInch);
    return image;
}

bool paintPages(QPagedPaintDevice& device, const LaidOutReport& report, int first, int last)
{
    FinishedPages pages(report);
    return paintPages(device, pages, first, last);
}

bool paintPages(QPagedPaintDevice& device, PageSource& pages, int first, int last)
{
    device.setPageLayout(pageLayoutOf(pages.settings()));
    last = qMin(last, pages.pageCount() - 1);
    first = qMax(first, 0);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // The device's page rectangle starts at the paper's edge: our margins are in the items.
    const double dpi = device.logicalDpiX();
    for (int i = first; i <= last; ++i) {
        if (i > first && !device.newPage())
            return false;
        paintPageScaled(painter, pages.page(i), dpi);
    }
    return painter.end();
}

PdfResult writePdf(const LaidOutReport& report, QIODevice& device, const QString& title, int first, int last)
{
    FinishedPages pages(report);
    return writePdf(pages, device, title, first, last);
}

PdfResult writePdf(PageSource& pages, QIODevice& device, const QString& title, int first, int last)
{
    QPdfWriter writer(&device);
    writer.setResolution(600);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("VAVⅡaruv"));
    if (last < 0)
        last = pages.pageCount() - 1;
    return paintPages(writer, pages, first, last) ? PdfResult::Saved : PdfResult::CannotPaint;
}

PdfResult savePdfPages(const LaidOutReport& report, int first, int last, const QString& path,
                       const QString& title, const FileSinkFactory& sinks)
{
    FinishedPages pages(report);
    return savePdfPages(pages, first, last, path, title, sinks);
}

PdfResult savePdfPages(PageSource& pages, int first, int last, const QString& path, const QString& title,
                       const FileSinkFactory& sinks)
{
    const std::unique_ptr<FileSink> file = sinksOrDefault(sinks)(path);
    if (!file->open()) {
        qWarning() << "cannot write" << path << file->errorString();
        return PdfResult::CannotWrite;
    }
    // The document is ended (its last bytes written) before the file is finished.
    const PdfResult painted = writePdf(pages, file->device(), title, first, last);
    if (painted != PdfResult::Saved) {
        file->cancel();
        return painted;
    }
    if (!finishWhole(*file)) {
        qWarning() << "cannot complete" << path;
        return PdfResult::CannotWrite;
    }
    return PdfResult::Saved;
}

PdfResult savePdf(const LaidOutReport& report, const QString& path, const QString& title,
                  const FileSinkFactory& sinks)
{
    return savePdfPages(report, 0, static_cast<int>(report.pages.size()) - 1, path, title, sinks);
}

PdfResult savePdf(PageSource& pages, const QString& path, const QString& title, const FileSinkFactory& sinks)
{
    return savePdfPages(pages, 0, pages.pageCount() - 1, path, title, sinks);
}

} // namespace rov2::report
