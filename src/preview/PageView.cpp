#include "PageView.h"

#include "ReportPainter.h"

#include <QPaintEvent>
#include <QPainter>

namespace rov2::report {

PageView::PageView(std::shared_ptr<PageSource> pages, QWidget* parent)
    : QWidget(parent), pages_(std::move(pages))
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
    const QSize twips = pages_->settings().paperTwips();
    setFixedSize(qRound(twips.width() * dpi / kTwipsPerInch), qRound(twips.height() * dpi / kTwipsPerInch));
    update();
}

void PageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::gray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (pages_->reach(page_))
        paintPageScaled(painter, pages_->page(page_), dpi_);
}

} // namespace rov2::report
