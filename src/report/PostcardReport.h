#pragma once

#include "PostcardData.h"
#include "ReportLayout.h"

#include <vector>

namespace rov2::report {

/// The paper a postcard run prints on: the card (or envelope) itself,
/// portrait, without margins, as the printer is fed it.
PageSettings postcardPageSettings(PostcardPaper paper);

/// One page per card, each the card laid out by layoutPostcard, ready for
/// the preview, printReport and savePdf. Vertical lines are shaped glyph
/// runs (PageItem::Kind::Shaped) named after their part of the card.
/// @return at least one page; no addressees give one blank card
LaidOutReport layoutPostcards(const std::vector<PostcardAddressee>& addressees, const PostcardSender& sender,
                              const PostcardOptions& options);

} // namespace rov2::report
