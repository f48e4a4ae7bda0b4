#pragma once

#include <QImage>
#include <QString>

namespace rov2::test {

/// The share of pixels whose grey levels differ clearly (by more than 64)
/// between two images of the same size.
double differingShare(const QImage& a, const QImage& b);

/// Compares a rendered page with its golden image: under 0.2 % of the pixels
/// may differ clearly, which lets anti-aliasing vary but not a moved line.
/// With ROV2_UPDATE_GOLDEN set, the page is first written as the new golden
/// image. A page that does not match is saved at @p actualPath to be looked
/// at. The golden image itself must differ from a blank page by at least
/// @p inkShare, or the comparison would pass an empty page. Fatal failures:
/// call it inside ASSERT_NO_FATAL_FAILURE.
void expectLooksAsBefore(const QImage& page, const QString& goldenPath, const QString& actualPath,
                         double inkShare);

} // namespace rov2::test
