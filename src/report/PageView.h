#pragma once

#include "ReportLayout.h"

#include <QWidget>

#include <memory>

namespace rov2::report {

/// One page of a report, painted at a given resolution when it is shown.
class PageView : public QWidget {
    Q_OBJECT
public:
    explicit PageView(std::shared_ptr<const LaidOutReport> report, QWidget* parent = nullptr);

    void setPage(int index);
    /// Dots per inch at which the page is drawn (the screen's own gives 100 %).
    void setDotsPerInch(double dpi);
    double dotsPerInch() const { return dpi_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::shared_ptr<const LaidOutReport> report_;
    int page_ = 0;
    double dpi_ = 96;
};

} // namespace rov2::report
