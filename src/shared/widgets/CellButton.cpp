#include "CellButton.h"

#include <QApplication>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionViewItem>

namespace rov2 {

QRect cellButtonRect(const QRect& cell)
{
    const int width = qMin(cell.height(), 18);
    return {cell.right() - width + 1, cell.top() + 1, width - 1, cell.height() - 2};
}

void paintCellButton(QPainter* painter, const QStyleOptionViewItem& option)
{
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    QStyleOptionButton button;
    button.rect = cellButtonRect(option.rect);
    button.palette = option.palette;
    button.state = QStyle::State_Enabled | QStyle::State_Raised;
    style->drawPrimitive(QStyle::PE_PanelButtonCommand, &button, painter, widget);
    QStyleOption arrow = button;
    arrow.rect = button.rect.adjusted(3, 3, -3, -3);
    style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, painter, widget);
}

} // namespace rov2
