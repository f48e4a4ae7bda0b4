#include "ReportDefinition.h"

namespace rov2::report {

Control* Band::control(const QString& name)
{
    for (Control& c : controls)
        if (c.name == name)
            return &c;
    return nullptr;
}

const Control* Band::control(const QString& name) const
{
    return const_cast<Band*>(this)->control(name);
}

QSize PageSettings::paperTwips() const
{
    // From millimetres: QPageSize's whole points would lose up to 10 twips.
    const QSizeF mm = QPageSize(paper).size(QPageSize::Millimeter);
    const QSize twips(qRound(mm.width() / 25.4 * kTwipsPerInch), qRound(mm.height() / 25.4 * kTwipsPerInch));
    return orientation == QPageLayout::Landscape ? twips.transposed() : twips;
}

int PageSettings::bodyHeight() const
{
    return paperTwips().height() - topMargin - bottomMargin;
}

Band* ReportDefinition::band(BandKind kind)
{
    for (Band& b : bands)
        if (b.kind == kind)
            return &b;
    return nullptr;
}

const Band* ReportDefinition::band(BandKind kind) const
{
    return const_cast<ReportDefinition*>(this)->band(kind);
}

} // namespace rov2::report
