#pragma once

#include "OwnFiles.h"
#include "ReportLayout.h"
#include "WholeFile.h"

#include <functional>

class QWidget;

namespace rov2::report {

class PageSource;

// clang-format off
/// How a print ended. A caller must look: Failed is to be told to the user
/// (tellPrintFailed), never dropped.
enum class [[nodiscard]] PrintResult { Printed, Cancelled, Failed };
// clang-format on

/// The report laid out afresh on other paper.
using Relayout = std::function<LaidOutReport(const PageSettings&)>;

/// Prints the pages on the printer the user picks in the print dialog (shown
/// through the dialog seam when @p showDialog), or on the default printer.
/// The dialog offers the page range; nothing is printed when it is cancelled.
///
/// When the printer writes a file (the dialog's PDF output), that file is
/// one the user named: the program's own files (@p own) are refused with a
/// message (Cancelled), and the PDF is written as savePdf writes it, whole
/// or not at all, so a full disk leaves no cut-off file and an earlier file
/// stays as it was (Failed). A printer that fails leaves no partial output
/// file behind either.
/// A report whose page settings follow the printer's paper is laid out again
/// with @p relayout for the paper the dialog was left at, upright.
/// @param sinks where a PDF's bytes go (tests plug failing ones); empty: QSaveFile.
[[nodiscard]] PrintResult printReport(const LaidOutReport& report, const QString& documentName,
                                      bool showDialog, QWidget* owner, const OwnFiles& own,
                                      const FileSinkFactory& sinks = {}, const Relayout& relayout = {});

/// The same for pages laid out as they are printed: every page is laid out
/// first, as each shows the page count.
[[nodiscard]] PrintResult printReport(PageSource& pages, const QString& documentName, bool showDialog,
                                      QWidget* owner, const OwnFiles& own, const FileSinkFactory& sinks = {},
                                      const Relayout& relayout = {});

/// Tells the user that @p documentName could not be printed: the message
/// catalogue's 印刷/失敗.
void tellPrintFailed(const QString& documentName);

} // namespace rov2::report
