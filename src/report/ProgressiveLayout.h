#pragma once

#include "PageSource.h"
#include "ReportLayout.h"
#include "RowStream.h"

#include <QPoint>
#include <array>
#include <deque>
#include <memory>
#include <vector>

namespace rov2::report {

/// Lays a report out a page at a time, as its pages are asked for, in the
/// way layoutReport describes: the first page can be shown while the rest is
/// still to come. Pages are kept lean, each item pointing at its control in
/// the definition rather than holding a copy of its name, font and box, and
/// become PageItems only when they are painted; rows read from a stream are
/// let go of once their bands are placed.
///
/// The routines are called whenever more is laid out, possibly long after
/// the report that handed them over is gone: they must not depend on it.
class ProgressiveLayout final : public PageSource
{
public:
    /// Rows already read.
    ProgressiveLayout(const ReportDefinition& definition, RowSet rows, FormatHooks hooks);
    /// Rows read from @p rows as they are needed; the first bit of work
    /// (layOutFor) reads all the rest, so that the file is let go of soon.
    ProgressiveLayout(const ReportDefinition& definition, std::unique_ptr<RowStream> rows, FormatHooks hooks);
    ~ProgressiveLayout() override;

    const PageSettings& settings() const override { return def_.page; }
    bool complete() const override { return done_; }
    int pagesFinished() const override;
    bool reach(int index) override;
    void layOutFor(int milliseconds) override;
    Page page(int index) override;

    /// Every page, laid out to the end, as PageItems.
    LaidOutReport toLaidOut();
    /// False when reading the rows failed part way (logged): the pages end
    /// with the last row read.
    bool rowsReadWhole() const { return !readFailed_; }

private:
    /// One item of a page: its control (in the definition, or in changed_
    /// when a routine moved or restyled it) and what it shows.
    struct LeanItem
    {
        const Control* control;
        QString text;
    };
    /// A band placed on a page: its items from @p first to the next band's.
    struct PlacedBand
    {
        QPoint origin; ///< the band's top-left corner on the paper
        BandKind kind;
        int first;
    };
    struct LeanPage
    {
        std::vector<PlacedBand> bands;
        std::vector<LeanItem> items;
    };

    void prepareFields();
    bool haveRow(int row);
    void readRest();
    void step();
    void layOutRow(int row);
    void end();
    Band formatted(BandKind kind, int row, const std::function<void(BandFormat&)>& hook);
    void startPage(int row);
    void finishPage(int row);
    void emit(BandKind kind, int row, const std::function<void(BandFormat&)>& hook);
    void emitDetail(int row);
    void closeColumns();
    void place(const Band& band, int x, int y);
    const Control* keep(const Control& placed, const Band& designed, size_t at);
    static PageItem expand(const LeanItem& lean, const PlacedBand& band, const QString& pageCount);

    ReportDefinition def_;
    FormatHooks hooks_;
    RowSet rows_;
    std::unique_ptr<RowStream> stream_;
    bool streamed_ = false;
    bool readFailed_ = false;
    /// Per band kind, the column of each Field control (-1: none).
    std::array<std::vector<int>, 5> fieldColumns_;
    int groupColumn_ = -1;
    bool grouped_ = false;

    std::vector<LeanPage> pages_;
    std::deque<Control> changed_;
    bool started_ = false;
    bool done_ = false;
    int row_ = 0; // the next row to lay out
    int bodyBottom_ = 0;
    int y_ = 0;         // next free position below the top margin
    int bodyTop_ = 0;   // where the page header ends
    int column_ = 0;    // next detail column of the current row of columns
    int rowHeight_ = 0; // tallest detail in the current row of columns
};

} // namespace rov2::report
