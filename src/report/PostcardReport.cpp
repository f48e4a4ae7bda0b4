#include "PostcardReport.h"

#include "PostcardLayout.h"

namespace rov2::report {
namespace {

QString partName(PostcardPart part)
{
    switch (part) {
    case PostcardPart::PostalDigit:
        return QStringLiteral("郵便番号枠");
    case PostcardPart::PostalCode:
        return QStringLiteral("郵便番号");
    case PostcardPart::Address:
        return QStringLiteral("住所1");
    case PostcardPart::Address2:
        return QStringLiteral("住所2");
    case PostcardPart::Surname:
        return QStringLiteral("姓");
    case PostcardPart::GivenName:
        return QStringLiteral("名");
    case PostcardPart::Honorific:
        return QStringLiteral("敬称");
    case PostcardPart::SenderPostalCode:
        return QStringLiteral("差出人郵便番号");
    case PostcardPart::SenderAddress:
        return QStringLiteral("差出人住所");
    case PostcardPart::SenderTelephone:
        return QStringLiteral("差出人電話");
    case PostcardPart::SenderName:
        return QStringLiteral("差出人名");
    }
    return {};
}

QRect toTwips(const QRectF& mm)
{
    const double k = kTwipsPerInch / 25.4;
    return QRectF(mm.x() * k, mm.y() * k, mm.width() * k, mm.height() * k).toAlignedRect();
}

Page pageOf(const PostcardLayout& card)
{
    Page page;
    page.items.reserve(card.boxes.size());
    for (const PostcardBox& b : card.boxes) {
        PageItem item;
        item.kind = PageItem::Kind::Shaped;
        item.name = partName(b.part);
        item.source = ControlKind::Field;
        item.rect = toTwips(b.mm);
        item.text = b.text;
        item.font = b.font;
        item.pointSize = b.pointSize;
        item.shaped = b.shaped;
        page.items.push_back(std::move(item));
    }
    return page;
}

} // namespace

PageSettings postcardPageSettings(PostcardPaper paper)
{
    PageSettings s;
    s.orientation = QPageLayout::Portrait;
    s.paper = paper == PostcardPaper::LongEnvelope3 ? QPageSize::EnvelopeChou3 : QPageSize::Postcard;
    s.leftMargin = s.topMargin = s.rightMargin = s.bottomMargin = 0;
    return s;
}

LaidOutReport layoutPostcards(const std::vector<PostcardAddressee>& addressees, const PostcardSender& sender,
                              const PostcardOptions& options)
{
    LaidOutReport report;
    report.page = postcardPageSettings(options.paper);
    report.pages.reserve(std::max<size_t>(1, addressees.size()));
    for (const PostcardAddressee& a : addressees)
        report.pages.push_back(pageOf(layoutPostcard(a, sender, options)));
    if (report.pages.empty())
        report.pages.emplace_back();
    return report;
}

} // namespace rov2::report
