#include "ProgressiveLayout.h"

#include "JapaneseDate.h"
#include "ReportPainter.h"

#include <QElapsedTimer>
#include <algorithm>

namespace rov2::report {
namespace {

bool sameText(const QString& a, const QString& b)
{
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

/// Whether a routine left the control where and as it was designed; its text
/// and visibility are the routine's to change.
bool placedAlike(const Control& a, const Control& b)
{
    return a.kind == b.kind && a.left == b.left && a.top == b.top && a.width == b.width &&
           a.height == b.height && a.x2 == b.x2 && a.y2 == b.y2 && a.pointSize == b.pointSize &&
           a.alignment == b.alignment && sameText(a.name, b.name) && sameText(a.font, b.font);
}

size_t slot(BandKind kind)
{
    return static_cast<size_t>(kind);
}

} // namespace

ProgressiveLayout::ProgressiveLayout(const ReportDefinition& definition, RowSet rows, FormatHooks hooks)
    : def_(definition), hooks_(std::move(hooks)), rows_(std::move(rows))
{
    prepareFields();
}

ProgressiveLayout::ProgressiveLayout(const ReportDefinition& definition, std::unique_ptr<RowStream> rows,
                                     FormatHooks hooks)
    : def_(definition), hooks_(std::move(hooks)), rows_(rows->columns()), stream_(std::move(rows)),
      streamed_(true)
{
    prepareFields();
}

ProgressiveLayout::~ProgressiveLayout() = default;

void ProgressiveLayout::prepareFields()
{
    const Band* footer = def_.band(BandKind::PageFooter);
    bodyBottom_ = def_.page.bodyHeight() - (footer && footer->visible ? footer->height : 0);
    for (const Band& band : def_.bands) {
        std::vector<int>& columns = fieldColumns_[slot(band.kind)];
        for (const Control& c : band.controls)
            columns.push_back(c.kind == ControlKind::Field ? rows_.columnOf(c.field) : -1);
    }
    const Band* groupHeader = def_.band(BandKind::GroupHeader);
    grouped_ = groupHeader && !groupHeader->groupField.isEmpty();
    groupColumn_ = grouped_ ? rows_.columnOf(groupHeader->groupField) : -1;
}

bool ProgressiveLayout::haveRow(int row)
{
    while (rows_.size() <= row && stream_) {
        QVector<QVariant> values;
        if (stream_->next(&values)) {
            rows_.append(std::move(values));
            continue;
        }
        readFailed_ = stream_->failed();
        stream_.reset();
    }
    return row < rows_.size();
}

void ProgressiveLayout::readRest()
{
    while (stream_)
        haveRow(rows_.size());
}

int ProgressiveLayout::pagesFinished() const
{
    // The last page started is finished only when the report has ended.
    const int started = static_cast<int>(pages_.size());
    return done_ ? started : std::max(0, started - 1);
}

bool ProgressiveLayout::reach(int index)
{
    while (!done_ && static_cast<int>(pages_.size()) <= index + 1)
        step();
    return index >= 0 && index < pagesFinished();
}

void ProgressiveLayout::layOutFor(int milliseconds)
{
    QElapsedTimer t;
    t.start();
    // The first slice reads every row still to come: the file is then free
    // again for the screens to write, however long the pages take.
    if (stream_) {
        readRest();
        return;
    }
    while (!done_ && !t.hasExpired(milliseconds))
        for (int i = 0; i < 64 && !done_; ++i)
            step();
}

void ProgressiveLayout::step()
{
    if (!started_) {
        started_ = true;
        startPage(haveRow(0) ? 0 : -1);
        return;
    }
    if (!haveRow(row_)) {
        end();
        return;
    }
    layOutRow(row_);
    // The group of the row before has been compared and its footer placed.
    if (streamed_ && row_ > 0)
        rows_.release(row_ - 1);
    ++row_;
}

void ProgressiveLayout::layOutRow(int row)
{
    const bool newGroup =
        grouped_ && (row == 0 || rows_.value(row, groupColumn_) != rows_.value(row - 1, groupColumn_));
    if (newGroup) {
        if (row > 0)
            emit(BandKind::GroupFooter, row - 1, hooks_.groupFooter);
        emit(BandKind::GroupHeader, row, hooks_.groupHeader);
    }
    if (def_.band(BandKind::Detail))
        emitDetail(row);
}

void ProgressiveLayout::end()
{
    if (grouped_ && row_ > 0)
        emit(BandKind::GroupFooter, row_ - 1, hooks_.groupFooter);
    finishPage(row_ - 1);
    pages_.back().bands.shrink_to_fit();
    pages_.back().items.shrink_to_fit();
    done_ = true;
    rows_ = RowSet();
}

Band ProgressiveLayout::formatted(BandKind kind, int row, const std::function<void(BandFormat&)>& hook)
{
    Band band = *def_.band(kind);
    const std::vector<int>& columns = fieldColumns_[slot(kind)];
    for (size_t i = 0; i < band.controls.size(); ++i) {
        Control& c = band.controls[i];
        if (c.kind == ControlKind::Field)
            c.text = row < 0 ? QString() : rows_.value(row, columns[i]).toString();
        else if (c.kind == ControlKind::Today)
            c.text = toStoredDate(Clock::today());
    }
    if (hook) {
        BandFormat f{band, rows_, row, static_cast<int>(pages_.size())};
        hook(f);
    }
    return band;
}

const Control* ProgressiveLayout::keep(const Control& placed, const Band& designed, size_t at)
{
    if (at < designed.controls.size() && placedAlike(placed, designed.controls[at]))
        return &designed.controls[at];
    return &changed_.emplace_back(placed);
}

void ProgressiveLayout::place(const Band& band, int x, int y)
{
    const Band& designed = *def_.band(band.kind);
    const QPoint origin(def_.page.leftMargin + x, def_.page.topMargin + y);
    LeanPage& page = pages_.back();
    page.bands.push_back(PlacedBand{origin, band.kind, static_cast<int>(page.items.size())});
    for (size_t i = 0; i < band.controls.size(); ++i) {
        const Control& c = band.controls[i];
        if (!c.visible)
            continue;
        QString text = c.kind == ControlKind::PageNumber ? QString::number(pages_.size()) : c.text;
        page.items.push_back(LeanItem{keep(c, designed, i), std::move(text)});
    }
}

void ProgressiveLayout::startPage(int row)
{
    if (!pages_.empty()) {
        // Thousands of finished pages: no room to spare in any of them.
        pages_.back().bands.shrink_to_fit();
        pages_.back().items.shrink_to_fit();
    }
    pages_.emplace_back();
    y_ = 0;
    column_ = 0;
    rowHeight_ = 0;
    if (def_.band(BandKind::PageHeader)) {
        const Band header = formatted(BandKind::PageHeader, row, hooks_.pageHeader);
        if (header.visible && header.height > 0) {
            place(header, 0, 0);
            y_ = header.height;
        }
    }
    bodyTop_ = y_;
}

void ProgressiveLayout::finishPage(int row)
{
    closeColumns();
    if (!def_.band(BandKind::PageFooter))
        return;
    const Band footer = formatted(BandKind::PageFooter, row, hooks_.pageFooter);
    if (footer.visible && footer.height > 0)
        place(footer, 0, bodyBottom_);
}

void ProgressiveLayout::closeColumns()
{
    if (column_ == 0)
        return;
    y_ += rowHeight_;
    column_ = 0;
    rowHeight_ = 0;
}

void ProgressiveLayout::emit(BandKind kind, int row, const std::function<void(BandFormat&)>& hook)
{
    if (!def_.band(kind))
        return;
    closeColumns();
    const Band band = formatted(kind, row, hook);
    if (!band.visible || band.height <= 0)
        return;
    // A band taller than the whole body goes on a page of its own and is cut there.
    if (y_ + band.height > bodyBottom_ && y_ > bodyTop_) {
        finishPage(row);
        startPage(row);
    }
    place(band, 0, y_);
    y_ += band.height;
}

void ProgressiveLayout::emitDetail(int row)
{
    const Band band = formatted(BandKind::Detail, row, hooks_.detail);
    if (!band.visible || band.height <= 0)
        return;
    const int columns = std::max(1, band.columns);
    if (column_ == 0 && y_ + band.height > bodyBottom_ && y_ > bodyTop_) {
        finishPage(row);
        startPage(row);
    }
    place(band, column_ * band.columnWidth, y_);
    rowHeight_ = std::max(rowHeight_, band.height);
    if (++column_ == columns)
        closeColumns();
}

PageItem ProgressiveLayout::expand(const LeanItem& lean, const PlacedBand& band, const QString& pageCount)
{
    const Control& c = *lean.control;
    PageItem item;
    item.band = band.kind;
    item.name = c.name;
    item.source = c.kind;
    item.font = c.font;
    item.pointSize = c.pointSize;
    item.alignment = c.alignment;
    const QPoint at = band.origin;
    if (c.kind == ControlKind::Line) {
        item.kind = PageItem::Kind::Line;
        item.line = QLine(at.x() + c.left, at.y() + c.top, at.x() + c.x2, at.y() + c.y2);
        return item;
    }
    item.rect = QRect(at.x() + c.left, at.y() + c.top, c.width, c.height);
    item.text = lean.text;
    item.text = c.kind == ControlKind::PageCount ? pageCount : fittedText(item);
    return item;
}

Page ProgressiveLayout::page(int index)
{
    Page page;
    if (!reach(index))
        return page;
    const QString count = done_ ? QString::number(pages_.size()) : QString();
    const LeanPage& lean = pages_[static_cast<size_t>(index)];
    page.items.reserve(lean.items.size());
    for (size_t b = 0; b < lean.bands.size(); ++b) {
        const size_t end =
            b + 1 < lean.bands.size() ? static_cast<size_t>(lean.bands[b + 1].first) : lean.items.size();
        for (size_t i = static_cast<size_t>(lean.bands[b].first); i < end; ++i)
            page.items.push_back(expand(lean.items[i], lean.bands[b], count));
    }
    return page;
}

LaidOutReport ProgressiveLayout::toLaidOut()
{
    LaidOutReport out;
    out.page = def_.page;
    const int count = pageCount();
    out.pages.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        out.pages.push_back(page(i));
    return out;
}

} // namespace rov2::report
