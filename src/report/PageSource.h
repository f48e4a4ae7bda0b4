#pragma once

#include "ReportLayout.h"

namespace rov2::report {

/// The pages of a report, asked for one at a time: a report laid out whole,
/// or one still being laid out, whose page count comes last.
class PageSource
{
public:
    virtual ~PageSource() = default;

    virtual const PageSettings& settings() const = 0;
    /// True once every page is laid out and so the page count known.
    virtual bool complete() const = 0;
    /// Pages laid out to their end so far; all of them once complete.
    virtual int pagesFinished() const = 0;
    /// Lays out until page @p index (0-based) is finished or the report ends.
    /// @return true when that page exists
    virtual bool reach(int index) = 0;
    /// Lays out more for about @p milliseconds, then returns.
    virtual void layOutFor(int milliseconds) = 0;
    /// Page @p index (reached first; empty when there is no such page). Its
    /// page count stays empty until the source is complete.
    virtual Page page(int index) = 0;

    /// Lays out every page. @return the number of pages
    int pageCount();
};

} // namespace rov2::report
