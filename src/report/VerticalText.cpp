#include "VerticalText.h"

#include "ReportLayout.h"

#include <QColor>
#include <QFont>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QHash>
#include <QMutex>
#include <QPaintEngine>
#include <QPainter>
#include <QtDebug>
#include <algorithm>
#include <hb.h>
#include <map>

namespace rov2::report {
namespace {

/// A face as HarfBuzz sees it, read through Qt's font database so that the
/// layouts' names find the same installed face the rest of the page uses.
struct Face
{
    Face() = default;
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;
    // The font holds the face, and the face the font tables it read through Qt.
    ~Face()
    {
        hb_font_destroy(font);
        hb_face_destroy(face);
    }

    QRawFont raw;
    hb_face_t* face = nullptr;
    hb_font_t* font = nullptr;
    double upem = 1000;
    double ascent = 0.88; ///< of the em, where a horizontal baseline sits below the em's top
};

hb_blob_t* tableOf(hb_face_t*, hb_tag_t tag, void* userData)
{
    const auto* raw = static_cast<const QRawFont*>(userData);
    const char name[4] = {char(tag >> 24), char(tag >> 16), char(tag >> 8), char(tag)};
    auto* bytes = new QByteArray(raw->fontTable(name));
    return hb_blob_create(bytes->constData(), static_cast<unsigned>(bytes->size()), HB_MEMORY_MODE_READONLY,
                          bytes, [](void* b) { delete static_cast<QByteArray*>(b); });
}

/// Faces live as long as the program: a handful at most, and glyph runs keep pointing into them.
const Face* faceOf(const QString& family)
{
    static QMutex mutex;
    static std::map<QString, std::unique_ptr<Face>> faces;
    const QMutexLocker lock(&mutex);
    auto& slot = faces[family];
    if (slot)
        return slot->font ? slot.get() : nullptr;
    slot = std::make_unique<Face>();
    QFont font(family);
    font.setPixelSize(100);
    slot->raw = QRawFont::fromFont(font, QFontDatabase::Japanese);
    if (!slot->raw.isValid() || slot->raw.fontTable("cmap").isEmpty()) {
        qWarning() << "cannot shape text in" << family;
        return nullptr;
    }
    slot->face = hb_face_create_for_tables(tableOf, &slot->raw, nullptr);
    slot->font = hb_font_create(slot->face);
    slot->upem = hb_face_get_upem(slot->face);
    hb_font_extents_t extents{};
    if (hb_font_get_h_extents(slot->font, &extents) && extents.ascender - extents.descender > 0)
        slot->ascent = double(extents.ascender) / (extents.ascender - extents.descender);
    return slot.get();
}

QRawFont rawFontOf(const Face& face, double pixelSize)
{
    static QMutex mutex;
    static QHash<QPair<QString, double>, QRawFont> sized;
    const QMutexLocker lock(&mutex);
    const QPair<QString, double> key(face.raw.familyName(), pixelSize);
    auto it = sized.find(key);
    if (it == sized.end()) {
        QRawFont raw = face.raw;
        raw.setPixelSize(pixelSize);
        it = sized.insert(key, raw);
    }
    return *it;
}

/// One stretch of a line as HarfBuzz shapes it, the whole text given as context.
struct Run
{
    hb_buffer_t* buffer;
    unsigned count = 0;
    hb_glyph_info_t* infos = nullptr;
    hb_glyph_position_t* positions = nullptr;

    Run(const Face& face, const QString& text, int from, int length, hb_direction_t direction)
        : buffer(hb_buffer_create())
    {
        hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t*>(text.utf16()), int(text.size()),
                            unsigned(from), length);
        hb_buffer_guess_segment_properties(buffer);
        hb_buffer_set_direction(buffer, direction);
        hb_buffer_set_language(buffer, hb_language_from_string("ja", -1));
        // vert is on by default for a vertical buffer; asked for by name all the same.
        hb_feature_t vertical{};
        hb_feature_from_string("vert", -1, &vertical);
        hb_shape(face.font, buffer, direction == HB_DIRECTION_TTB ? &vertical : nullptr,
                 direction == HB_DIRECTION_TTB ? 1 : 0);
        infos = hb_buffer_get_glyph_infos(buffer, &count);
        positions = hb_buffer_get_glyph_positions(buffer, &count);
    }
    ~Run() { hb_buffer_destroy(buffer); }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    /// The text glyph @p i was made from: its cluster, up to the next one.
    QString clusterText(const QString& text, unsigned i, int end) const
    {
        const unsigned start = infos[i].cluster;
        unsigned next = unsigned(end);
        for (unsigned j = 0; j < count; ++j)
            if (infos[j].cluster > start)
                next = std::min(next, infos[j].cluster);
        return text.mid(int(start), int(next - start));
    }
};

/// The text behind a glyph the face's character map cannot lead back to it.
QString hiddenTextOf(const Face& face, const Run& run, const QString& text, unsigned i, int end)
{
    const qsizetype at = run.infos[i].cluster;
    const char32_t first = text[at].isHighSurrogate() && at + 1 < text.size()
                               ? QChar::surrogateToUcs4(text[at], text[at + 1])
                               : char32_t(text[at].unicode());
    hb_codepoint_t nominal = 0;
    if (hb_font_get_nominal_glyph(face.font, first, &nominal) && nominal == run.infos[i].codepoint)
        return {};
    return run.clusterText(text, i, end);
}

void appendGlyph(ShapedText& out, quint32 glyph, QPointF origin, QString hidden)
{
    out.glyphs << glyph;
    out.positions << origin;
    out.hiddenText.push_back(std::move(hidden));
}

void appendDown(ShapedText& out, const Face& face, const QString& text, int from, int end)
{
    const Run run(face, text, from, end - from, HB_DIRECTION_TTB);
    const double scale = out.em / face.upem;
    for (unsigned i = 0; i < run.count; ++i) {
        const hb_glyph_position_t& p = run.positions[i];
        // HarfBuzz's y runs up; the offsets lead from the vertical origin (the
        // top centre of the em) to where the glyph is drawn from.
        appendGlyph(out, run.infos[i].codepoint,
                    {out.em / 2 + p.x_offset * scale, out.length - p.y_offset * scale},
                    hiddenTextOf(face, run, text, i, end));
        out.length -= p.y_advance * scale;
    }
}

/// Digits set side by side within one em of a vertical line (縦中横).
void appendAcross(ShapedText& out, const Face& face, const QString& text, int from, int end)
{
    const Run run(face, text, from, end - from, HB_DIRECTION_LTR);
    const double scale = out.em / face.upem;
    double width = 0;
    for (unsigned i = 0; i < run.count; ++i)
        width += run.positions[i].x_advance * scale;
    const double squeeze = width > out.em ? out.em / width : 1.0;
    double x = std::max(0.0, (out.em - width) / 2);
    for (unsigned i = 0; i < run.count; ++i) {
        const hb_glyph_position_t& p = run.positions[i];
        appendGlyph(
            out, run.infos[i].codepoint,
            {x + p.x_offset * scale * squeeze, out.length + face.ascent * out.em - p.y_offset * scale},
            QString());
        x += p.x_advance * scale * squeeze;
    }
    out.length += out.em;
}

void appendRight(ShapedText& out, const Face& face, const QString& text)
{
    const Run run(face, text, 0, int(text.size()), HB_DIRECTION_LTR);
    const double scale = out.em / face.upem;
    for (unsigned i = 0; i < run.count; ++i) {
        const hb_glyph_position_t& p = run.positions[i];
        appendGlyph(out, run.infos[i].codepoint,
                    {out.length + p.x_offset * scale, face.ascent * out.em - p.y_offset * scale},
                    hiddenTextOf(face, run, text, i, int(text.size())));
        out.length += p.x_advance * scale;
    }
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

void appendVertical(ShapedText& out, const Face& face, const QString& text)
{
    int start = 0;
    while (start < text.size()) {
        const bool digits = isAsciiDigit(text[start]);
        int end = start;
        while (end < text.size() && isAsciiDigit(text[end]) == digits)
            ++end;
        if (digits)
            appendAcross(out, face, text, start, end);
        else
            appendDown(out, face, text, start, end);
        start = end;
    }
}

void drawGlyphs(QPainter& painter, const ShapedText& s, qsizetype from, qsizetype to)
{
    if (from >= to)
        return;
    QGlyphRun run;
    run.setRawFont(s.font);
    run.setGlyphIndexes(s.glyphs.mid(from, to - from));
    run.setPositions(s.positions.mid(from, to - from));
    painter.drawGlyphRun(QPointF(0, 0), run);
}

/// A PDF maps glyphs back to text through the face's character map, which
/// knows nothing of the vertical forms: each of them is followed, in the
/// page's text order, by its text drawn invisibly on top of it.
void drawWithHiddenText(QPainter& painter, const ShapedText& s)
{
    QFont font(s.font.familyName());
    font.setPixelSize(qMax(1, qRound(s.em)));
    qsizetype from = 0;
    for (qsizetype i = 0; i < s.glyphs.size(); ++i) {
        const QString& hidden = s.hiddenText[size_t(i)];
        if (hidden.isEmpty())
            continue;
        drawGlyphs(painter, s, from, i + 1);
        painter.save();
        painter.setPen(QColor(0, 0, 0, 0));
        painter.setFont(font);
        painter.drawText(s.positions[i], hidden);
        painter.restore();
        from = i + 1;
    }
    drawGlyphs(painter, s, from, s.glyphs.size());
}

bool hasHiddenText(const ShapedText& s)
{
    return std::any_of(s.hiddenText.begin(), s.hiddenText.end(),
                       [](const QString& t) { return !t.isEmpty(); });
}

} // namespace

std::shared_ptr<const ShapedText> shapeText(const QString& text, const QString& family, double pixelSize,
                                            TextFlow flow)
{
    auto out = std::make_shared<ShapedText>();
    out->flow = flow;
    out->em = pixelSize;
    const Face* face = faceOf(family);
    if (!face || text.isEmpty())
        return out;
    out->font = rawFontOf(*face, pixelSize);
    if (flow == TextFlow::TopToBottom)
        appendVertical(*out, *face, text);
    else
        appendRight(*out, *face, text);
    return out;
}

void paintShaped(QPainter& painter, const PageItem& item)
{
    const ShapedText* s = item.shaped.get();
    if (!s || s->glyphs.isEmpty())
        return;
    painter.save();
    const QRectF box(item.rect);
    if (s->flow == TextFlow::TopToBottom) {
        painter.translate(box.center().x() - s->em / 2, box.top());
        painter.scale(1, s->length > box.height() ? box.height() / s->length : 1.0);
    } else {
        painter.translate(box.left(), box.center().y() - s->em / 2);
        painter.scale(s->length > box.width() ? box.width() / s->length : 1.0, 1);
    }
    const QPaintEngine* engine = painter.paintEngine();
    if (engine && engine->type() == QPaintEngine::Pdf && hasHiddenText(*s))
        drawWithHiddenText(painter, *s);
    else
        drawGlyphs(painter, *s, 0, s->glyphs.size());
    painter.restore();
}

} // namespace rov2::report
