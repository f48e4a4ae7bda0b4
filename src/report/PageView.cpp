#include "PageView.h"

#include "ReportPainter.h"

#include <QPaintEvent>
#include <QPainter>

namespace rov2::report {

PageView::PageView(std::shared_ptr<const LaidOutReport> report, QWidget* parent)
    : QWidget(parent), report_(std::move(report))
{
    setFocusPolicy(Qt::StrongFocus);
    setDotsPerInch(dpi_);
}

void PageView::setPage(int index)
{
    page_ = index;
    update();
}

void PageView::setDotsPerInch(double dpi)
{
    dpi_ = dpi;
    const QSize twips = report_->page.paperTwips();
    setFixedSize(qRound(twips.width() * dpi / kTwipsPerInch), qRound(twips.height() * dpi / kTwipsPerInch));
    update();
}

void PageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::gray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (page_ >= 0 && page_ < static_cast<int>(report_->pages.size()))
        paintPageScaled(painter, report_->pages[static_cast<size_t>(page_)], dpi_);
}

} // namespace rov2::report
