#include "ReportLayout.h"

#include "JapaneseDate.h"
#include "ReportPainter.h"

#include <algorithm>

namespace rov2::report {
namespace {

/// Walks the rows and places the bands; one instance per layout run.
class Layouter {
public:
    Layouter(const ReportDefinition& def, const RowSet& rows, const FormatHooks& hooks)
        : def_(def), rows_(rows), hooks_(hooks)
    {
        out_.page = def.page;
        const Band* footer = def.band(BandKind::PageFooter);
        bodyBottom_ = def.page.bodyHeight() - (footer && footer->visible ? footer->height : 0);
    }

    LaidOutReport run();

private:
    Band formatted(BandKind kind, int row, const std::function<void(BandFormat&)>& hook);
    void startPage(int row);
    void finishPage(int row);
    void emit(BandKind kind, int row, const std::function<void(BandFormat&)>& hook);
    void emitDetail(int row);
    void closeColumns();
    void place(const Band& band, int x, int y);
    void fillPageNumbers();

    const ReportDefinition& def_;
    const RowSet& rows_;
    const FormatHooks& hooks_;
    LaidOutReport out_;
    int bodyBottom_ = 0;
    int y_ = 0;          // next free position below the top margin
    int bodyTop_ = 0;    // where the page header ends
    int column_ = 0;     // next detail column of the current row of columns
    int rowHeight_ = 0;  // tallest detail in the current row of columns
};

Band Layouter::formatted(BandKind kind, int row, const std::function<void(BandFormat&)>& hook)
{
    Band band = *def_.band(kind);
    for (Control& c : band.controls) {
        if (c.kind == ControlKind::Field)
            c.text = row < 0 ? QString() : rows_.value(row, c.field).toString();
        else if (c.kind == ControlKind::Today)
            c.text = toStoredDate(Clock::today());
    }
    if (hook) {
        BandFormat f{band, rows_, row, static_cast<int>(out_.pages.size())};
        hook(f);
    }
    return band;
}

void Layouter::place(const Band& band, int x, int y)
{
    Page& page = out_.pages.back();
    const int left = def_.page.leftMargin + x;
    const int top = def_.page.topMargin + y;
    for (const Control& c : band.controls) {
        if (!c.visible)
            continue;
        PageItem item;
        item.band = band.kind;
        item.name = c.name;
        item.source = c.kind;
        item.font = c.font;
        item.pointSize = c.pointSize;
        item.alignment = c.alignment;
        if (c.kind == ControlKind::Line) {
            item.kind = PageItem::Kind::Line;
            item.line = QLine(left + c.left, top + c.top, left + c.x2, top + c.y2);
        } else {
            item.rect = QRect(left + c.left, top + c.top, c.width, c.height);
            item.text = c.kind == ControlKind::PageNumber ? QString::number(out_.pages.size()) : c.text;
            item.text = fittedText(item);
        }
        page.items.push_back(std::move(item));
    }
}

void Layouter::startPage(int row)
{
    out_.pages.emplace_back();
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

void Layouter::finishPage(int row)
{
    closeColumns();
    if (!def_.band(BandKind::PageFooter))
        return;
    const Band footer = formatted(BandKind::PageFooter, row, hooks_.pageFooter);
    if (footer.visible && footer.height > 0)
        place(footer, 0, bodyBottom_);
}

void Layouter::closeColumns()
{
    if (column_ == 0)
        return;
    y_ += rowHeight_;
    column_ = 0;
    rowHeight_ = 0;
}

void Layouter::emit(BandKind kind, int row, const std::function<void(BandFormat&)>& hook)
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

void Layouter::emitDetail(int row)
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

void Layouter::fillPageNumbers()
{
    const QString count = QString::number(out_.pages.size());
    for (Page& page : out_.pages)
        for (PageItem& item : page.items)
            if (item.source == ControlKind::PageCount)
                item.text = count;
}

LaidOutReport Layouter::run()
{
    const Band* groupHeader = def_.band(BandKind::GroupHeader);
    const bool grouped = groupHeader && !groupHeader->groupField.isEmpty();
    const int groupColumn = grouped ? rows_.columnOf(groupHeader->groupField) : -1;
    startPage(rows_.isEmpty() ? -1 : 0);
    for (int row = 0; row < rows_.size(); ++row) {
        const bool newGroup = grouped && (row == 0 || rows_.value(row, groupColumn) != rows_.value(row - 1, groupColumn));
        if (newGroup) {
            if (row > 0)
                emit(BandKind::GroupFooter, row - 1, hooks_.groupFooter);
            emit(BandKind::GroupHeader, row, hooks_.groupHeader);
        }
        if (def_.band(BandKind::Detail))
            emitDetail(row);
    }
    if (grouped && !rows_.isEmpty())
        emit(BandKind::GroupFooter, rows_.size() - 1, hooks_.groupFooter);
    finishPage(rows_.size() - 1);
    fillPageNumbers();
    return std::move(out_);
}

} // namespace

LaidOutReport layoutReport(const ReportDefinition& definition, const RowSet& rows, const FormatHooks& hooks)
{
    return Layouter(definition, rows, hooks).run();
}

} // namespace rov2::report
