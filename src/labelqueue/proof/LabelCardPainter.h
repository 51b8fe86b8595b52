#pragma once

#include "labelqueue/LabelCards.h"
#include "labelqueue/proof/ShapedText.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QRectF>
#include <QSizeF>

#include <vector>

class QPainter;

// Errors red, warnings amber, wherever a finding is shown.
QColor findingColour(LabelFinding::Kind kind);

// The size one card is drawn at, in points (1/72 inch), for a card with
// columnCount columns.
QSizeF labelCardSize(int columnCount);

// Draws cards. Texts that cards repeat (the entries' captions, values) are
// shaped once and kept, the line numbers and barcode digits are put together
// from glyphs shaped once, and no text is shaped once to measure and again to
// draw: a sheet draws a hundred thousand cards.
class LabelCardPainter
{
public:
    LabelCardPainter();
    ~LabelCardPainter();
    LabelCardPainter(const LabelCardPainter &) = delete;
    LabelCardPainter &operator=(const LabelCardPainter &) = delete;

    // Draws card, the label of export line `line` (0-based), scaled into rect:
    // its column values as the label program gets them, each beside its entry,
    // its barcode drawn with libzint, the count, and the findings of its row
    // marked (errors red, warnings amber) with their messages.
    void paint(QPainter &painter, const QRectF &rect, const LabelCard &card, qint64 line,
               const std::vector<const LabelFinding *> &findings);

private:
    const ShapedText &kept(const QByteArray &key, const QString &text, const QFont &font, QPainter &painter);

    QFont headerFont_;
    QFont captionFont_;
    QFont valueFont_;
    QFont noteFont_;
    QFont findingFont_;
    QHash<QByteArray, ShapedText> kept_;
    GlyphComposer composer_;
    GlyphBatch batch_;
};
