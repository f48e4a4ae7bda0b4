#include "FinishedPages.h"

namespace rov2::report {

FinishedPages::FinishedPages(const LaidOutReport& report)
    : report_(std::shared_ptr<const LaidOutReport>(), &report)
{
}

Page FinishedPages::page(int index)
{
    return reach(index) ? report_->pages[static_cast<size_t>(index)] : Page();
}

} // namespace rov2::report
