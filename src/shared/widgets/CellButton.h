#pragma once

#include <QRect>

class QPainter;
class QStyleOptionViewItem;

namespace rov2 {

/// The drop button drawn at the right end of a grid cell that opens a pick
/// list: square, at most 18 pixels, inside the cell's frame.
QRect cellButtonRect(const QRect& cell);

/// Paints that button, with its down arrow, over the cell of @p option.
void paintCellButton(QPainter* painter, const QStyleOptionViewItem& option);

} // namespace rov2
