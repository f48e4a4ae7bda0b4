#pragma once

#include "ReportLayout.h"
#include "WholeFile.h"

#include <QImage>
#include <QString>
#include <functional>

class QIODevice;
class QPainter;
class QPagedPaintDevice;

namespace rov2::report {

class PageSource;

/// The text of a text item as it can be painted in its box: a text too long
/// even when condensed as far as the painter goes is cut short and ends in "…",
/// so that the reader sees it goes on.
QString fittedText(const PageItem& item);

/// Paints one page on any painter whose coordinates are twips from the
/// paper's top-left corner (see paintPageScaled for other devices).
void paintPage(QPainter& painter, const Page& page);

/// Paints one page on a device of @p dotsPerInch, scaling twips to its dots.
void paintPageScaled(QPainter& painter, const Page& page, double dotsPerInch);

/// The page as an image at @p dotsPerInch, on white paper.
QImage renderPage(const LaidOutReport& report, int pageIndex, double dotsPerInch);

/// Paints pages @p first to @p last (0-based, inclusive) on a paged device
/// (a printer or a PDF writer), one sheet each, in the report's page settings.
/// @return false when the device could not be painted on.
bool paintPages(QPagedPaintDevice& device, const LaidOutReport& report, int first, int last);
/// The same for pages laid out as they are painted; the page count is
/// waited for first, as every page shows it.
bool paintPages(QPagedPaintDevice& device, PageSource& pages, int first, int last);

/// What savePdf does with the file.
enum class PdfResult { Saved, CannotWrite, CannotPaint };

/// Writes the whole report as a PDF file. The file is written under a
/// temporary name beside it, flushed and checked, and renamed into place only
/// when every byte reached the disk, so an existing file is either replaced
/// whole or left as it was (a full disk answers CannotWrite).
/// @param sinks where the bytes go (tests plug failing ones); empty: QSaveFile.
PdfResult savePdf(const LaidOutReport& report, const QString& path, const QString& title = {},
                  const FileSinkFactory& sinks = {});
PdfResult savePdf(PageSource& pages, const QString& path, const QString& title = {},
                  const FileSinkFactory& sinks = {});

/// The same for pages @p first to @p last (0-based, inclusive) only.
PdfResult savePdfPages(const LaidOutReport& report, int first, int last, const QString& path,
                       const QString& title = {}, const FileSinkFactory& sinks = {});
PdfResult savePdfPages(PageSource& pages, int first, int last, const QString& path, const QString& title = {},
                       const FileSinkFactory& sinks = {});

/// Paints pages @p first to @p last as a PDF onto a device of the caller's
/// choosing. Says nothing of whether the bytes reached it: QPdfWriter does
/// not look; the device's owner checks.
PdfResult writePdf(const LaidOutReport& report, QIODevice& device, const QString& title = {}, int first = 0,
                   int last = -1);
PdfResult writePdf(PageSource& pages, QIODevice& device, const QString& title = {}, int first = 0, int last = -1);

} // namespace rov2::report
