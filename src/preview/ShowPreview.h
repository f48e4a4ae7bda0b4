#pragma once

#include "OwnFiles.h"

class QWidget;

namespace rov2::report {

class Report;
class ReportPreview;

/// Opens a preview window of @p report's pages and returns at once; the window
/// keeps the pages (and what is still to be laid out) when the report is gone,
/// and deletes itself when closed. Restarts the report first when it was never
/// restarted. The window's PDF saving and printing to a file refuse the
/// program's files @p own.
ReportPreview* showPreview(Report& report, const OwnFiles& own, QWidget* parent = nullptr);

} // namespace rov2::report
