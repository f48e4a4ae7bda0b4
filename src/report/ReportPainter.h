#pragma once

#include "ReportLayout.h"

#include <QImage>
#include <QString>

#include <functional>

class QIODevice;
class QPainter;
class QPagedPaintDevice;

namespace rov2::report {

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

/// What savePdf does with the file.
enum class PdfResult { Saved, CannotWrite, CannotPaint };

/// Writes the whole report as a PDF file. The file is written under a
/// temporary name beside it and renamed into place only when complete, so
/// an existing file is either replaced whole or left as it was.
PdfResult savePdf(const LaidOutReport& report, const QString& path, const QString& title = {});

/// The same through a device of the caller's choosing (tests inject one that fails).
PdfResult writePdf(const LaidOutReport& report, QIODevice& device, const QString& title = {});

} // namespace rov2::report
