#include "TackReport.h"

#include <QtMath>
#include <algorithm>

namespace rov2::report {
namespace {

const char* const kMincho = "ＭＳ Ｐ明朝";

Control labelControl(const char* name, ControlKind kind, const char* fieldOrText, int left, int top,
                     int width, int height, double size)
{
    Control c;
    c.name = QString::fromUtf8(name);
    c.kind = kind;
    if (kind == ControlKind::Field)
        c.field = QString::fromUtf8(fieldOrText);
    else
        c.text = QString::fromUtf8(fieldOrText);
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    c.font = QString::fromUtf8(kMincho);
    c.pointSize = size;
    return c;
}

Band emptyBand(BandKind kind)
{
    Band b;
    b.kind = kind;
    b.height = 0;
    return b;
}

Band labelBand()
{
    Band b;
    b.kind = BandKind::Detail;
    b.height = rptTack2601::kLabelHeight;
    b.columns = rptTack2601::kColumns;
    b.columnWidth = rptTack2601::kColumnWidth;
    using K = ControlKind;
    b.controls = {
        labelControl("Label1", K::Label, "〒", 270, 90, 270, 270, 10),
        labelControl("txt郵便番号", K::Field, "郵便番号", 540, 90, 1440, 270, 10),
        labelControl("txt住所1", K::Field, "住所1", 270, 360, 4530, 450, 11.5),
        labelControl("txt住所2", K::Field, "住所2", 270, 810, 4590, 450, 11.5),
        labelControl("txt名称", K::Field, "名称", 270, 1260, 4545, 885, 14.5),
    };
    return b;
}

/// The postal mark only on a label with a postal code.
void formatLabel(BandFormat& f)
{
    const Control* code = f.control(QStringLiteral("txt郵便番号"));
    if (Control* mark = f.control(QStringLiteral("Label1")))
        mark->visible = code && !code->text.isEmpty();
}

} // namespace

int mmToTwips(double mm)
{
    return qRound(mm / 25.4 * kTwipsPerInch);
}

rptTack2601::rptTack2601(QString workFile)
    : Report(QStringLiteral("タックシール")), workFile_(std::move(workFile))
{
    definition().bands = {emptyBand(BandKind::PageHeader), labelBand(), emptyBand(BandKind::PageFooter)};
}

QString rptTack2601::query()
{
    // The blank labels and the addresses print in the order they were appended.
    return QStringLiteral("select * from wタックシール印刷 order by rowid");
}

void rptTack2601::setOffsetMm(double horizontal, double vertical)
{
    offsetXMm_ = std::clamp(horizontal, -kMaxOffsetMm, kMaxOffsetMm);
    offsetYMm_ = std::clamp(vertical, -kMaxOffsetMm, kMaxOffsetMm);
}

void rptTack2601::ActiveReport_ReportStart()
{
    // The offset moves the whole body: what one margin gains the opposite one
    // loses, so the sheet still holds its six rows of labels.
    const int dx = mmToTwips(offsetXMm_);
    const int dy = mmToTwips(offsetYMm_);
    PageSettings& page = definition().page;
    page.orientation = QPageLayout::Portrait;
    page.paper = QPageSize::A4;
    page.leftMargin = kLeftMargin + dx;
    page.rightMargin = kRightMargin - dx;
    page.topMargin = kTopMargin + dy;
    page.bottomMargin = kBottomMargin - dy;
    page.printableWidth = kPrintableWidth;
    setDataSource(workFile_, query());
}

std::optional<FormatHooks> rptTack2601::detachedRoutines() const
{
    FormatHooks hooks;
    hooks.detail = formatLabel;
    return hooks;
}

} // namespace rov2::report
