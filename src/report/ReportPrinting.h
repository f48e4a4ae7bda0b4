#pragma once

#include "ReportLayout.h"

class QWidget;

namespace rov2::report {

enum class PrintResult { Printed, Cancelled, Failed };

/// Prints the pages on the printer the user picks in the print dialog (shown
/// through the dialog seam when @p showDialog), or on the default printer.
/// The dialog offers the page range; nothing is printed when it is cancelled.
PrintResult printReport(const LaidOutReport& report, const QString& documentName, bool showDialog,
                        QWidget* owner = nullptr);

} // namespace rov2::report
