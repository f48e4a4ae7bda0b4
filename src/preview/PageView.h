#pragma once

#include "PageSource.h"

#include <QWidget>

#include <memory>

namespace rov2::report {

/// One page of a report, painted at a given resolution when it is shown (and
/// laid out then, when it was not yet).
class PageView : public QWidget {
    Q_OBJECT
public:
    explicit PageView(std::shared_ptr<PageSource> pages, QWidget* parent = nullptr);

    void setPage(int index);
    /// Dots per inch at which the page is drawn (the screen's own gives 100 %).
    void setDotsPerInch(double dpi);
    double dotsPerInch() const { return dpi_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::shared_ptr<PageSource> pages_;
    int page_ = 0;
    double dpi_ = 96;
};

} // namespace rov2::report
