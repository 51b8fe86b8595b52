#pragma once

#include "labelqueue/LabelCards.h"

#include <QColor>
#include <QRectF>
#include <QSizeF>

#include <vector>

class QPainter;

// Errors red, warnings amber, wherever a finding is shown.
QColor findingColour(LabelFinding::Kind kind);

// The size one card is drawn at, in points (1/72 inch), for a card with
// columnCount columns.
QSizeF labelCardSize(int columnCount);

// Draws card, the label of export line `line` (0-based), scaled into rect:
// its column values as the label program gets them, each beside its entry,
// its barcode drawn with libzint, the count, and the findings of its row
// marked (errors red, warnings amber) with their messages.
void paintLabelCard(QPainter &painter, const QRectF &rect, const LabelCard &card, qint64 line,
                    const std::vector<const LabelFinding *> &findings);
