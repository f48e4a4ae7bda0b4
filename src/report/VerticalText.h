#pragma once

#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QString>
#include <memory>
#include <vector>

class QPainter;

namespace rov2::report {

struct PageItem;

enum class TextFlow { TopToBottom, LeftToRight };

/// One line of text shaped by HarfBuzz with the face's own vertical forms
/// (vert/vrt2): ー, brackets, dashes and small kana stand upright as a
/// vertical line wants them, rather than as horizontal glyphs turned.
/// Positions are in the units of the pixel size it was shaped at (the report
/// pages use twips), from the top-left corner of the line's strip: one em
/// across, length along.
struct ShapedText
{
    TextFlow flow = TextFlow::TopToBottom;
    QRawFont font;
    QList<quint32> glyphs;
    QList<QPointF> positions; ///< each glyph's drawing origin (its baseline point)
    /// For each glyph the text it stands for when the face has no way back
    /// from the glyph to the text (the vertical forms); otherwise empty.
    std::vector<QString> hiddenText;
    double em = 0;
    double length = 0; ///< along the line, at the natural size
};

/// Shapes @p text in the face @p family (a layout's name is mapped to the
/// installed face) at @p pixelSize. Top to bottom, runs of ASCII digits stand
/// side by side in one em of the line (縦中横); other characters are set as
/// the face's vertical forms say.
/// @return an empty run (no glyphs) when the face cannot be loaded.
std::shared_ptr<const ShapedText> shapeText(const QString& text, const QString& family, double pixelSize,
                                            TextFlow flow);

/// Paints a shaped item in its box: the line starts at the box's top (top to
/// bottom) or left edge, centred across it, and a line longer than the box is
/// condensed along its flow to the box's length. On a PDF the vertical forms
/// carry their text as well (invisible text laid over them), so that the
/// document can be searched and copied from.
void paintShaped(QPainter& painter, const PageItem& item);

} // namespace rov2::report
