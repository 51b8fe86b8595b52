#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;
class QPaintDevice;
class GlyphBatch;

// A text turned into positioned glyphs once, to be drawn many times: the
// baseline is at y = ascent, the text starts at x = 0.
struct ShapedText {
    QList<QGlyphRun> runs;
    double width = 0;
    double ascent = 0;
    double descent = 0;
    int pixelSize = 0;

    // Shaped as a whole (kerning and joined letters included).
    static ShapedText shape(const QString &text, const QFont &font, const QPaintDevice *device);

    // Within box, vertically centred. A text too wide is drawn smaller rather
    // than cut or elided, so every value is shown whole. With a batch, a text
    // drawn at its own size joins it instead of going out at once.
    void draw(QPainter &painter, const QRectF &box, Qt::Alignment horizontal = Qt::AlignLeft,
              GlyphBatch *batch = nullptr) const;
    // With its baseline's left end at baseline.
    void drawAt(QPainter &painter, const QPointF &baseline) const;
};

// Glyphs of several texts in the same pen, gathered into one run per font:
// a PDF writes each run with its own state and font set-up, so a card's
// captions go out as one run rather than twenty.
class GlyphBatch
{
public:
    void add(const QList<QGlyphRun> &runs, const QPointF &offset);
    // Draws what was gathered with the painter's pen, and empties the batch.
    void flush(QPainter &painter);

private:
    struct Run {
        QRawFont font;
        QList<quint32> indexes;
        QList<QPointF> positions;
    };
    std::vector<Run> runs_;
};

// Texts put together from glyphs of single characters, each shaped once: for
// the texts a sheet draws on every card that differ only in their digits
// (line numbers, a barcode's digits), where shaping each whole would cost
// more than all the drawing. A text with a character that is not one glyph
// of its own is shaped as a whole instead.
class GlyphComposer
{
public:
    // fontId names font: the same id must always come with the same font.
    ShapedText compose(const QString &text, const QFont &font, int fontId, const QPaintDevice *device);

private:
    struct Glyph {
        QRawFont font;
        quint32 index = 0;
        double advance = 0;
        bool single = false;
    };
    const Glyph &glyphOf(QChar character, const QFont &font, int fontId, const QPaintDevice *device);

    QHash<quint64, Glyph> glyphs_;
};
