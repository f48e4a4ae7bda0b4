#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QSize>
#include <QString>

#include <vector>

namespace rov2::report {

/// What a control on a band shows.
enum class ControlKind {
    Label,      ///< a fixed caption
    Field,      ///< a text box bound to a field of the data source by name
    Line,       ///< a rule from (left, top) to (x2, y2)
    Today,      ///< today's date, "yyyy/mm/dd"
    PageNumber, ///< the number of the page it lands on
    PageCount,  ///< the number of pages of the whole report
};

/// One control of a band. Positions and sizes in twips from the band's top-left corner.
struct Control {
    QString name;
    ControlKind kind = ControlKind::Label;
    QString text;  ///< the caption of a label; the text of a text box once formatted
    QString field; ///< the bound field of a Field control (may be qualified "table.field")
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int x2 = 0; ///< a line's second end point
    int y2 = 0;
    QString font; ///< family as the layouts name it ("ＭＳ Ｐ明朝"); mapped to an installed face
    double pointSize = 12;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool visible = true;
};

enum class BandKind { PageHeader, GroupHeader, Detail, GroupFooter, PageFooter };

/// One band. A height of 0, or visible false, prints nothing of it.
struct Band {
    BandKind kind = BandKind::Detail;
    int height = 0;
    bool visible = true;
    std::vector<Control> controls;
    /// Group header only: a new group starts whenever this field's value changes.
    QString groupField;
    /// Detail only: rows fill this many columns across, then go down.
    int columns = 1;
    /// Detail only: the distance between the left edges of two columns.
    int columnWidth = 0;

    /// The control of that name, or nullptr.
    Control* control(const QString& name);
    const Control* control(const QString& name) const;
};

/// Paper and margins, set at report start.
struct PageSettings {
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QPageSize::PageSizeId paper = QPageSize::A4;
    int leftMargin = 1440;
    int topMargin = 1440;
    int rightMargin = 1440;
    int bottomMargin = 1440;
    /// Width available to the bands; 0: the paper's width less the side margins.
    int printableWidth = 0;
    /// Printed on whatever paper the print dialog is set to, upright, rather
    /// than on this paper (a label sheet has one paper only).
    bool followsPrinterPaper = false;

    /// The paper in twips, turned as the orientation says.
    QSize paperTwips() const;
    /// Height left for the bands on one page.
    int bodyHeight() const;
};

/// A banded report: its bands in printing order (page header, group header,
/// detail, group footer, page footer; any may be missing) and its pages.
struct ReportDefinition {
    PageSettings page;
    std::vector<Band> bands;

    Band* band(BandKind kind);
    const Band* band(BandKind kind) const;
};

/// Twips per inch.
inline constexpr int kTwipsPerInch = 1440;

} // namespace rov2::report
