#include "PostcardLayout.h"

#include <QStringList>
#include <algorithm>

namespace rov2::report {
namespace {

constexpr double kTwipsPerMm = 1440 / 25.4;
constexpr double kMmPerPoint = 25.4 / 72;

// The frame printed on the card, as the postal rules draw it.
constexpr double kFrameTopMm = 12.0;
constexpr double kFrameRightMm = 8.0;
constexpr double kFrameBoxWidthMm = 5.7;
constexpr double kFrameBoxHeightMm = 8.0;
constexpr std::array<double, 6> kFrameGapsMm = {1.3, 1.3, 1.9, 1.1, 1.1, 1.1};

// Type sizes in points. A digit of 13 points leaves more than 1.5 mm to
// either side of it in its box, the most a card is let to be fed off.
constexpr double kDigitPt = 13;
constexpr double kCodeTextPt = 10;
constexpr double kAddressPt = 13;
constexpr double kAcrossAddressPt = 12;
constexpr double kNamePt = 26;
constexpr double kAcrossNamePt = 20;
constexpr double kSenderPt = 9;
constexpr double kSenderNamePt = 11;

/// Where the address starts, below the frame and the code written out.
constexpr double kAddressTopMm = 28;
/// Left of the names in a vertical card: the sender's columns.
constexpr double kSenderRoomMm = 29.8;
constexpr double kNameGapEm = 0.7;

double emMm(double pt)
{
    return pt * kMmPerPoint;
}

PostcardBox shapedBox(PostcardPart part, int index, const QString& text, TextFlow flow, double pt)
{
    PostcardBox b;
    b.part = part;
    b.index = index;
    b.text = text;
    b.flow = flow;
    b.pointSize = pt;
    b.font = QStringLiteral("ＭＳ 明朝");
    b.shaped = shapeText(text, b.font, pt * 20, flow);
    b.naturalMm = b.shaped->length / kTwipsPerMm;
    return b;
}

/// A column from @p top down, centred on @p x, condensed to @p room.
void setColumn(PostcardBox& b, double x, double top, double room)
{
    const double em = emMm(b.pointSize);
    b.mm = QRectF(x - em / 2, top, em, std::min(b.naturalMm, room));
}

/// A line from @p left, condensed to @p room.
void setLine(PostcardBox& b, double left, double top, double room)
{
    b.mm = QRectF(left, top, std::min(b.naturalMm, room), emMm(b.pointSize));
}

QString written(const QString& text, TextFlow flow, bool kanji)
{
    return flow == TextFlow::TopToBottom ? verticalForm(text, kanji) : text;
}

void layoutRecipientCode(PostcardLayout& out, const QString& code, PostcardPaper paper)
{
    const std::array<QRectF, 7> frame = postalFrameMm(paper);
    if (const std::optional<QString> digits = frameDigits(code)) {
        for (int i = 0; i < 7; ++i) {
            PostcardBox b =
                shapedBox(PostcardPart::PostalDigit, i, digits->mid(i, 1), TextFlow::LeftToRight, kDigitPt);
            const QPointF centre = frame[size_t(i)].center();
            setLine(b, centre.x() - b.naturalMm / 2, centre.y() - emMm(kDigitPt) / 2, b.naturalMm);
            out.boxes.push_back(std::move(b));
        }
        return;
    }
    // Never forced into the boxes: a code that is not seven digits would be
    // sorted by its first digits to somewhere else.
    if (code.trimmed().isEmpty())
        return;
    PostcardBox b =
        shapedBox(PostcardPart::PostalCode, 0, code.trimmed(), TextFlow::LeftToRight, kCodeTextPt);
    const double room = frame[6].right() - frame[0].left();
    setLine(b, frame[6].right() - std::min(b.naturalMm, room), frame[0].bottom() + 1.5, room);
    out.boxes.push_back(std::move(b));
}

/// The address's columns from the right, the building and room in its own,
/// each further column set lower than the one before.
void layoutDownAddress(PostcardLayout& out, const PostcardAddressee& a, bool kanji)
{
    const double em = emMm(kAddressPt);
    const double pitch = em * 1.42;
    const double bottom = out.paperMm.height() - 10;
    double x = out.paperMm.width() - 12.5;
    const QStringList parts = splitAddress(a.address1, int((bottom - kAddressTopMm) / em));
    for (int i = 0; i < parts.size(); ++i) {
        if (parts[i].isEmpty())
            continue;
        PostcardBox b = shapedBox(PostcardPart::Address, i, verticalForm(parts[i], kanji),
                                  TextFlow::TopToBottom, kAddressPt);
        setColumn(b, x, kAddressTopMm + i * em, bottom - kAddressTopMm - i * em);
        out.boxes.push_back(std::move(b));
        x -= pitch;
    }
    if (a.address2.trimmed().isEmpty())
        return;
    PostcardBox b = shapedBox(PostcardPart::Address2, 0, verticalForm(a.address2.trimmed(), kanji),
                              TextFlow::TopToBottom, kAddressPt);
    setColumn(b, x, kAddressTopMm + 3 * em, bottom - kAddressTopMm - 3 * em);
    out.boxes.push_back(std::move(b));
}

void layoutAcrossAddress(PostcardLayout& out, const PostcardAddressee& a)
{
    const double em = emMm(kAcrossAddressPt);
    const double left = 12;
    const double right = out.paperMm.width() - 8;
    double top = kAddressTopMm;
    const QStringList parts = splitAddress(a.address1, int((right - left) / em));
    for (int i = 0; i < parts.size(); ++i) {
        if (parts[i].isEmpty())
            continue;
        PostcardBox b =
            shapedBox(PostcardPart::Address, i, parts[i], TextFlow::LeftToRight, kAcrossAddressPt);
        setLine(b, left + i * em, top, right - left - i * em);
        out.boxes.push_back(std::move(b));
        top += em * 1.45;
    }
    if (a.address2.trimmed().isEmpty())
        return;
    PostcardBox b =
        shapedBox(PostcardPart::Address2, 0, a.address2.trimmed(), TextFlow::LeftToRight, kAcrossAddressPt);
    setLine(b, left + 2 * em, top, right - left - 2 * em);
    out.boxes.push_back(std::move(b));
}

/// One name of the card: the addressee's or a joint name.
struct NameLine
{
    int index = 0;
    NameParts parts;
    QString honorific;
    bool givenAligned = false; ///< a joint name of the same surname: its given name under the addressee's
};

std::vector<NameLine> nameLines(const PostcardAddressee& a)
{
    std::vector<NameLine> lines;
    const NameParts main = splitName(a.name);
    if (main.surname.isEmpty())
        return lines;
    lines.push_back({0, main, a.honorific.trimmed(), false});
    const size_t joints = std::min(a.jointNames.size(), size_t(kMaxJointNames));
    for (size_t i = 0; i < joints; ++i) {
        NameParts p = splitName(a.jointNames[i].name);
        if (p.surname.isEmpty())
            continue;
        const bool same = !p.given.isEmpty() && p.surname == main.surname;
        if (same)
            p.surname.clear();
        lines.push_back({int(i) + 1, p, a.jointNames[i].honorific.trimmed(), same});
    }
    return lines;
}

/// A piece of a name and where it starts along its line, from the start of the set.
struct NamePiece
{
    PostcardBox box;
    size_t line = 0;
    double start = 0;
};

/// The pieces of all names: the joint names' given names start where the
/// addressee's does, and the honorifics all start at one place after the
/// longest name. @p length is the set's length along the lines.
std::vector<NamePiece> namePieces(const std::vector<NameLine>& lines, TextFlow flow, double pt, bool kanji,
                                  double& length)
{
    const double gap = kNameGapEm * emMm(pt);
    auto piece = [&](PostcardPart part, int index, const QString& text) {
        return shapedBox(part, index, written(text, flow, kanji), flow, pt);
    };
    std::vector<NamePiece> pieces;
    const double givenAt = piece(PostcardPart::Surname, 0, lines.front().parts.surname).naturalMm + gap;
    double honorificAt = 0;
    for (size_t l = 0; l < lines.size(); ++l) {
        const NameLine& line = lines[l];
        double end = 0;
        if (!line.parts.surname.isEmpty()) {
            pieces.push_back({piece(PostcardPart::Surname, line.index, line.parts.surname), l, 0});
            end = pieces.back().box.naturalMm;
        }
        if (!line.parts.given.isEmpty()) {
            const double at = line.givenAligned ? givenAt : end + gap;
            pieces.push_back({piece(PostcardPart::GivenName, line.index, line.parts.given), l, at});
            end = at + pieces.back().box.naturalMm;
        }
        honorificAt = std::max(honorificAt, end + gap);
    }
    length = honorificAt - gap;
    for (size_t l = 0; l < lines.size(); ++l) {
        if (lines[l].honorific.isEmpty())
            continue;
        pieces.push_back(
            {piece(PostcardPart::Honorific, lines[l].index, lines[l].honorific), l, honorificAt});
        length = std::max(length, honorificAt + pieces.back().box.naturalMm);
    }
    // Painted (and so read back from a PDF) one name after the other.
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const NamePiece& x, const NamePiece& y) { return x.line < y.line; });
    return pieces;
}

/// The names in columns in the middle of the card, the addressee's on the
/// right, the set centred across the card and along the room it has.
void layoutDownNames(PostcardLayout& out, const PostcardAddressee& a, bool kanji)
{
    const std::vector<NameLine> lines = nameLines(a);
    if (lines.empty())
        return;
    const double n = double(lines.size());
    // Clear of the address columns on the right and the sender on the left.
    const double width = out.paperMm.width() - 2 * kSenderRoomMm;
    const double pt = std::min(kNamePt, width / (n + (n - 1) * 0.3) / kMmPerPoint);
    const double em = emMm(pt);
    const double top = 30;
    const double room = out.paperMm.height() - 14 - top;
    double length = 0;
    std::vector<NamePiece> pieces = namePieces(lines, TextFlow::TopToBottom, pt, kanji, length);
    const double squeeze = std::min(1.0, room / length);
    const double start = top + std::max(0.0, (room - length) / 2);
    const double first = out.paperMm.width() / 2 + (n - 1) * em * 1.3 / 2;
    for (NamePiece& p : pieces) {
        setColumn(p.box, first - double(p.line) * em * 1.3, start + p.start * squeeze,
                  p.box.naturalMm * squeeze);
        out.boxes.push_back(std::move(p.box));
    }
}

/// The names in lines across the middle of the card, centred.
void layoutAcrossNames(PostcardLayout& out, const PostcardAddressee& a)
{
    const std::vector<NameLine> lines = nameLines(a);
    if (lines.empty())
        return;
    const double n = double(lines.size());
    const double pt = std::min(kAcrossNamePt, out.paperMm.height() * 0.3 / (n * 1.35) / kMmPerPoint);
    const double em = emMm(pt);
    const double room = out.paperMm.width() - 20;
    double length = 0;
    std::vector<NamePiece> pieces = namePieces(lines, TextFlow::LeftToRight, pt, false, length);
    const double squeeze = std::min(1.0, room / length);
    const double start = 10 + std::max(0.0, (room - length) / 2);
    const double top = out.paperMm.height() * 0.4;
    for (NamePiece& p : pieces) {
        setLine(p.box, start + p.start * squeeze, top + double(p.line) * em * 1.35,
                p.box.naturalMm * squeeze);
        out.boxes.push_back(std::move(p.box));
    }
}

QString senderCode(const QString& code)
{
    const std::optional<QString> digits = frameDigits(code);
    const QString shown = digits ? digits->left(3) + QLatin1Char('-') + digits->mid(3) : code.trimmed();
    return shown.isEmpty() ? QString() : QStringLiteral("〒") + shown;
}

/// The sender's texts in the order they are set: address, telephone, name.
std::vector<PostcardBox> senderBoxes(const PostcardSender& s, TextFlow flow, bool kanji, int room)
{
    std::vector<PostcardBox> boxes;
    const QStringList parts = splitAddress(s.address, room);
    for (int i = 0; i < parts.size(); ++i)
        if (!parts[i].isEmpty())
            boxes.push_back(
                shapedBox(PostcardPart::SenderAddress, i, written(parts[i], flow, kanji), flow, kSenderPt));
    if (!s.telephone.trimmed().isEmpty())
        boxes.push_back(shapedBox(PostcardPart::SenderTelephone, 0,
                                  written(s.telephone.trimmed(), flow, kanji), flow, kSenderPt));
    if (!s.name.trimmed().isEmpty())
        boxes.push_back(shapedBox(PostcardPart::SenderName, 0, written(s.name.trimmed(), flow, kanji), flow,
                                  kSenderNamePt));
    return boxes;
}

/// The sender's columns at the lower left, from the right: address, telephone,
/// the name ending at the foot; the postal code written across below them.
void layoutDownSender(PostcardLayout& out, const PostcardSender& s, bool kanji)
{
    const double bottom = out.paperMm.height() - 17;
    const double top = bottom - 48;
    double right = kSenderRoomMm - 0.8;
    for (PostcardBox& b :
         senderBoxes(s, TextFlow::TopToBottom, kanji, int((bottom - top) / emMm(kSenderPt)))) {
        const double em = emMm(b.pointSize);
        const double lower = b.part == PostcardPart::SenderAddress     ? b.index * em
                             : b.part == PostcardPart::SenderTelephone ? em
                                                                       : 0;
        setColumn(b, right - em / 2, top + lower, bottom - top - lower);
        if (b.part == PostcardPart::SenderName)
            b.mm.moveBottom(bottom);
        right -= em + 1.2;
        out.boxes.push_back(std::move(b));
    }
    const QString code = senderCode(s.postalCode);
    if (code.isEmpty())
        return;
    PostcardBox b = shapedBox(PostcardPart::SenderPostalCode, 0, code, TextFlow::LeftToRight, kSenderPt);
    const double left = std::max(8.0, right + 1.2);
    setLine(b, left, bottom + 1.5, kSenderRoomMm - 0.8 - left);
    out.boxes.push_back(std::move(b));
}

/// The sender's lines at the lower left: postal code, address, telephone,
/// name, the last ending 10 mm above the foot.
void layoutAcrossSender(PostcardLayout& out, const PostcardSender& s)
{
    const double left = 10;
    const double room = out.paperMm.width() * 0.6 - left;
    std::vector<PostcardBox> boxes =
        senderBoxes(s, TextFlow::LeftToRight, false, int(room / emMm(kSenderPt)));
    const QString code = senderCode(s.postalCode);
    if (!code.isEmpty())
        boxes.insert(boxes.begin(),
                     shapedBox(PostcardPart::SenderPostalCode, 0, code, TextFlow::LeftToRight, kSenderPt));
    double height = 0;
    for (const PostcardBox& b : boxes)
        height += emMm(b.pointSize) * 1.45;
    double top = out.paperMm.height() - 10 - height;
    for (PostcardBox& b : boxes) {
        setLine(b, left, top, room);
        top += emMm(b.pointSize) * 1.45;
        out.boxes.push_back(std::move(b));
    }
}

} // namespace

std::vector<const PostcardBox*> PostcardLayout::boxesOf(PostcardPart part) const
{
    std::vector<const PostcardBox*> found;
    for (const PostcardBox& b : boxes)
        if (b.part == part)
            found.push_back(&b);
    std::stable_sort(found.begin(), found.end(),
                     [](const PostcardBox* l, const PostcardBox* r) { return l->index < r->index; });
    return found;
}

QSizeF postcardPaperMm(PostcardPaper paper)
{
    return paper == PostcardPaper::LongEnvelope3 ? QSizeF(120, 235) : QSizeF(100, 148);
}

std::array<QRectF, 7> postalFrameMm(PostcardPaper paper)
{
    double width = 7 * kFrameBoxWidthMm;
    for (double gap : kFrameGapsMm)
        width += gap;
    double left = postcardPaperMm(paper).width() - kFrameRightMm - width;
    std::array<QRectF, 7> boxes;
    for (size_t i = 0; i < boxes.size(); ++i) {
        boxes[i] = QRectF(left, kFrameTopMm, kFrameBoxWidthMm, kFrameBoxHeightMm);
        left += kFrameBoxWidthMm + (i < kFrameGapsMm.size() ? kFrameGapsMm[i] : 0);
    }
    return boxes;
}

PostcardLayout layoutPostcard(const PostcardAddressee& addressee, const PostcardSender& sender,
                              const PostcardOptions& options)
{
    PostcardLayout out;
    out.paperMm = postcardPaperMm(options.paper);
    layoutRecipientCode(out, addressee.postalCode, options.paper);
    const bool down = options.writing == PostcardWriting::Vertical;
    if (down) {
        layoutDownAddress(out, addressee, options.kanjiNumerals);
        layoutDownNames(out, addressee, options.kanjiNumerals);
    } else {
        layoutAcrossAddress(out, addressee);
        layoutAcrossNames(out, addressee);
    }
    if (options.printSender && !sender.empty()) {
        if (down)
            layoutDownSender(out, sender, options.kanjiNumerals);
        else
            layoutAcrossSender(out, sender);
    }
    // The printer's feed is corrected by moving everything; the frame stays where it is printed.
    const double dx = std::clamp(options.offsetXMm, -kMaxPostcardOffsetMm, kMaxPostcardOffsetMm);
    const double dy = std::clamp(options.offsetYMm, -kMaxPostcardOffsetMm, kMaxPostcardOffsetMm);
    for (PostcardBox& b : out.boxes)
        b.mm.translate(dx, dy);
    return out;
}

} // namespace rov2::report
