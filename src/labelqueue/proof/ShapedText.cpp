#include "labelqueue/proof/ShapedText.h"

#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>

namespace {
// Texts are never drawn smaller than this, however long.
constexpr int smallestPixelSize = 5;
} // namespace

ShapedText ShapedText::shape(const QString &text, const QFont &font, const QPaintDevice *device)
{
    ShapedText shaped;
    shaped.pixelSize = font.pixelSize();
    QTextLayout layout(text, font, device);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    if (line.isValid()) {
        shaped.width = line.naturalTextWidth();
        shaped.ascent = line.ascent();
        shaped.descent = line.descent();
        shaped.runs = layout.glyphRuns();
    }
    return shaped;
}

void ShapedText::drawAt(QPainter &painter, const QPointF &baseline) const
{
    const QPointF topLeft = baseline - QPointF(0, ascent);
    for (const QGlyphRun &run : runs) {
        painter.drawGlyphRun(topLeft, run);
    }
}

void ShapedText::draw(QPainter &painter, const QRectF &box, Qt::Alignment horizontal, GlyphBatch *batch) const
{
    double scale = 1;
    if (width > box.width() && width > 0) {
        scale = std::max(box.width() / width, pixelSize > 0 ? double(smallestPixelSize) / pixelSize : 0.0);
    }
    const double drawnWidth = width * scale;
    double x = box.left();
    if (horizontal & Qt::AlignRight) {
        x = box.right() - drawnWidth;
    } else if (horizontal & Qt::AlignHCenter) {
        x = box.left() + (box.width() - drawnWidth) / 2;
    }
    const double top = box.top() + (box.height() - (ascent + descent) * scale) / 2;
    if (scale == 1 && batch) {
        batch->add(runs, QPointF(x, top));
        return;
    }
    if (scale == 1) {
        drawAt(painter, QPointF(x, top + ascent));
        return;
    }
    painter.save();
    painter.translate(x, top);
    painter.scale(scale, scale);
    drawAt(painter, QPointF(0, ascent));
    painter.restore();
}

void GlyphBatch::add(const QList<QGlyphRun> &runs, const QPointF &offset)
{
    for (const QGlyphRun &run : runs) {
        const QRawFont font = run.rawFont();
        auto same = std::find_if(runs_.begin(), runs_.end(), [&font](const Run &r) { return r.font == font; });
        if (same == runs_.end()) {
            same = runs_.insert(runs_.end(), Run{font, {}, {}});
        }
        same->indexes += run.glyphIndexes();
        for (const QPointF &position : run.positions()) {
            same->positions.append(position + offset);
        }
    }
}

void GlyphBatch::flush(QPainter &painter)
{
    for (Run &gathered : runs_) {
        QGlyphRun run;
        run.setRawFont(gathered.font);
        run.setGlyphIndexes(gathered.indexes);
        run.setPositions(gathered.positions);
        painter.drawGlyphRun(QPointF(0, 0), run);
        // Kept with their capacity for the next card.
        gathered.indexes.clear();
        gathered.positions.clear();
    }
}

const GlyphComposer::Glyph &GlyphComposer::glyphOf(QChar character, const QFont &font, int fontId,
                                                   const QPaintDevice *device)
{
    const quint64 key = (quint64(quint32(fontId)) << 16) | character.unicode();
    const auto found = glyphs_.constFind(key);
    if (found != glyphs_.constEnd()) {
        return *found;
    }
    Glyph glyph;
    const ShapedText shaped = ShapedText::shape(QString(character), font, device);
    if (shaped.runs.size() == 1 && shaped.runs.first().glyphIndexes().size() == 1) {
        glyph.font = shaped.runs.first().rawFont();
        glyph.index = shaped.runs.first().glyphIndexes().first();
        // The font's own advance: a layout does not count a trailing space.
        glyph.advance = glyph.font.advancesForGlyphIndexes({glyph.index}).first().x();
        glyph.single = true;
    }
    return *glyphs_.insert(key, glyph);
}

ShapedText GlyphComposer::compose(const QString &text, const QFont &font, int fontId, const QPaintDevice *device)
{
    ShapedText composed;
    composed.pixelSize = font.pixelSize();
    std::vector<const Glyph *> glyphs;
    glyphs.reserve(size_t(text.size()));
    for (const QChar character : text) {
        const Glyph &glyph = glyphOf(character, font, fontId, device);
        if (character.isSurrogate() || !glyph.single) {
            return ShapedText::shape(text, font, device);
        }
        glyphs.push_back(&glyph);
        composed.ascent = std::max(composed.ascent, glyph.font.ascent());
        composed.descent = std::max(composed.descent, glyph.font.descent());
    }
    double x = 0;
    QList<quint32> indexes;
    QList<QPointF> positions;
    const auto endRun = [&](const QRawFont &runFont) {
        if (indexes.isEmpty()) {
            return;
        }
        QGlyphRun run;
        run.setRawFont(runFont);
        run.setGlyphIndexes(indexes);
        run.setPositions(positions);
        composed.runs.append(run);
        indexes.clear();
        positions.clear();
    };
    for (size_t i = 0; i < glyphs.size(); ++i) {
        if (i > 0 && !(glyphs[i]->font == glyphs[i - 1]->font)) {
            endRun(glyphs[i - 1]->font);
        }
        indexes.append(glyphs[i]->index);
        positions.append(QPointF(x, composed.ascent));
        x += glyphs[i]->advance;
    }
    if (!glyphs.empty()) {
        endRun(glyphs.back()->font);
    }
    composed.width = x;
    return composed;
}
