#pragma once

#include "ListReportParts.h"
#include "ReportLayout.h"

namespace rov2::report::list {

/// Replaces a birth-date box's stored date by its printed form.
inline void reformatBirthDate(BandFormat& f, const QString& control, const CompanySettings& settings)
{
    if (Control* c = f.control(control))
        c->text = birthDateText(c->text, settings);
}

} // namespace rov2::report::list
