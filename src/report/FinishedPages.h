#pragma once

#include "PageSource.h"

#include <memory>

namespace rov2::report {

/// The pages of a report laid out whole.
class FinishedPages final : public PageSource
{
public:
    explicit FinishedPages(std::shared_ptr<const LaidOutReport> report) : report_(std::move(report)) {}
    /// Pages that belong to the caller, who keeps them while this object lives.
    explicit FinishedPages(const LaidOutReport& report);

    const PageSettings& settings() const override { return report_->page; }
    bool complete() const override { return true; }
    int pagesFinished() const override { return static_cast<int>(report_->pages.size()); }
    bool reach(int index) override { return index >= 0 && index < pagesFinished(); }
    void layOutFor(int) override {}
    Page page(int index) override;

private:
    std::shared_ptr<const LaidOutReport> report_;
};

} // namespace rov2::report
