#include "ReportLayout.h"

#include "ProgressiveLayout.h"

namespace rov2::report {

LaidOutReport layoutReport(const ReportDefinition& definition, const RowSet& rows, const FormatHooks& hooks)
{
    return ProgressiveLayout(definition, rows, hooks).toLaidOut();
}

} // namespace rov2::report
