#pragma once

#include "ReportDefinition.h"
#include "RowSet.h"

#include <QLine>
#include <QRect>

#include <functional>
#include <memory>
#include <vector>

namespace rov2::report {

struct ShapedText;

/// One thing to paint on a page, placed in twips from the paper's top-left
/// corner (margins included).
struct PageItem {
    enum class Kind { Text, Line, Shaped };
    Kind kind = Kind::Text;
    BandKind band = BandKind::Detail;
    QString name;  ///< the control it came from
    ControlKind source = ControlKind::Label;
    QRect rect;    ///< a text's box
    QLine line;    ///< a line's end points
    QString text;
    QString font;
    double pointSize = 12;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    /// A Shaped item's glyphs, placed in rect (see paintShaped).
    std::shared_ptr<const ShapedText> shaped;
};

struct Page {
    std::vector<PageItem> items;
};

/// The pages of one run of a report.
struct LaidOutReport {
    PageSettings page;
    std::vector<Page> pages;
};

/// A band about to be laid out, handed to a format routine, which may set its
/// height and visibility and its controls' text and visibility.
struct BandFormat {
    Band& band;
    const RowSet& rows;
    int row = -1;        ///< the current row, -1 when there is none
    int pageNumber = 1;  ///< 1-based number of the page the band goes on

    Control* control(const QString& name) { return band.control(name); }
    /// A field of the current row; a null QVariant without a row.
    QVariant field(const QString& name) const { return row < 0 ? QVariant() : rows.value(row, name); }
};

/// The report's own routines, called while the bands are laid out; any may be empty.
struct FormatHooks {
    std::function<void(BandFormat&)> pageHeader;
    std::function<void(BandFormat&)> groupHeader;
    std::function<void(BandFormat&)> detail;
    std::function<void(BandFormat&)> groupFooter;
    std::function<void(BandFormat&)> pageFooter;
};

/// Lays the report out: every row in order, a group header whenever the group
/// field changes, bands that do not fit on the page moved to the next, the
/// detail band in its columns across then down, page footers at the foot of
/// the body. Field controls take their row's value before their band's
/// routine runs; page numbers and the page count are filled in once all pages
/// are known. No rows give one page with its page header and footer only.
/// @param definition the bands as designed; the routines change copies of them
/// @return the pages, at least one
LaidOutReport layoutReport(const ReportDefinition& definition, const RowSet& rows, const FormatHooks& hooks = {});

} // namespace rov2::report
