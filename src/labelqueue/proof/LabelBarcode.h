#pragma once

#include "labelqueue/proof/ShapedText.h"

#include <QByteArray>
#include <QString>

#include <functional>

class QPainter;
class QRectF;

// The symbol a label's barcode is drawn as: EAN-13, EAN-8 or UPC-A for such
// a number with a right check digit, Code 128 for anything else.
enum class LabelSymbology { None, Ean13, Ean8, UpcA, Code128 };

LabelSymbology labelSymbologyOf(const QByteArray &barcode);
QString labelSymbologyName(LabelSymbology symbology);

// Turns the digits beneath the bars into glyphs.
using BarcodeTextShaper = std::function<ShapedText(const QString &text, const QFont &font)>;

// Draws barcode with libzint as vectors, scaled to fit area and centred, its
// digits beneath. Returns what went wrong (drawn as such in area), or an
// empty text.
QString drawLabelBarcode(QPainter &painter, const QRectF &area, const QByteArray &barcode,
                         const BarcodeTextShaper &shapeText);
