#pragma once

#include "PostcardData.h"
#include "PostcardText.h"
#include "VerticalText.h"

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <array>
#include <memory>
#include <vector>

namespace rov2::report {

/// What a box on the card holds.
enum class PostcardPart {
    PostalDigit, ///< one digit in its box of the printed frame; index 0 to 6
    PostalCode,  ///< a code that is not seven digits, as written, above the address
    Address,     ///< index 0 and 1: the address's columns (lines), the first on the right (top)
    Address2,    ///< building and room
    Surname,     ///< index 0 the addressee, 1 to kMaxJointNames the joint names
    GivenName,   ///< the same indexes; a name without a blank is all Surname
    Honorific,   ///< the same indexes
    SenderPostalCode,
    SenderAddress, ///< index 0 and 1
    SenderTelephone,
    SenderName,
};

/// One piece of text placed on the card.
struct PostcardBox
{
    PostcardPart part = PostcardPart::Address;
    int index = 0;
    QRectF mm;    ///< where the text lies, millimetres from the paper's top-left corner
    QString text; ///< as printed, numerals already turned
    TextFlow flow = TextFlow::TopToBottom;
    double pointSize = 12;
    QString font;
    std::shared_ptr<const ShapedText> shaped; ///< shaped at pointSize in twips
    /// The text's length along its flow at its size; a box shorter than
    /// that holds the text condensed to its length.
    double naturalMm = 0;
    bool condensed() const
    {
        return naturalMm > (flow == TextFlow::TopToBottom ? mm.height() : mm.width()) + 0.01;
    }
};

/// One card (or envelope) laid out.
struct PostcardLayout
{
    QSizeF paperMm;
    std::vector<PostcardBox> boxes;

    /// The boxes of one part, in order of their index.
    std::vector<const PostcardBox*> boxesOf(PostcardPart part) const;
};

/// The paper, portrait, in millimetres: 100 × 148 for a card, 120 × 235 for 長形3号.
QSizeF postcardPaperMm(PostcardPaper paper);

/// The seven boxes of the postal-code frame printed on the paper, measured
/// at the inside of their lines, millimetres from the paper's top-left corner.
std::array<QRectF, 7> postalFrameMm(PostcardPaper paper);

/// Lays out one card: the recipient's postal code in the printed frame, the
/// address, the name with its honorific and joint names, and the sender when
/// asked for, in the writing direction of @p options, all moved by its print
/// offset. No box lies outside the paper; a text too long for its room is
/// condensed into it, never cut. Kanji numerals are for vertical writing
/// only: across, numbers stay as written.
PostcardLayout layoutPostcard(const PostcardAddressee& addressee, const PostcardSender& sender,
                              const PostcardOptions& options);

} // namespace rov2::report
