#include "labelqueue/proof/LabelBarcode.h"

#include "labelqueue/LabelCheck.h"

#include <QPainter>
#include <QRectF>

#include <algorithm>
#include <memory>
#include <vector>
#include <zint.h>

namespace {

struct SymbolDeleter {
    void operator()(zint_symbol *symbol) const { ZBarcode_Delete(symbol); }
};

} // namespace

LabelSymbology labelSymbologyOf(const QByteArray &barcode)
{
    if (barcode.isEmpty()) {
        return LabelSymbology::None;
    }
    if (!hasRightCheckDigit(barcode)) {
        return LabelSymbology::Code128;
    }
    switch (barcode.size()) {
    case 8:
        return LabelSymbology::Ean8;
    case 12:
        return LabelSymbology::UpcA;
    default:
        return LabelSymbology::Ean13;
    }
}

QString labelSymbologyName(LabelSymbology symbology)
{
    static const char *const names[] = {"", "EAN-13", "EAN-8", "UPC-A", "Code 128"};
    return QString::fromLatin1(names[int(symbology)]);
}

QString drawLabelBarcode(QPainter &painter, const QRectF &area, const QByteArray &barcode,
                         const BarcodeTextShaper &shapeText)
{
    const LabelSymbology symbology = labelSymbologyOf(barcode);
    if (symbology == LabelSymbology::None) {
        return {};
    }
    std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    // The margins a scanner needs beside the bars are part of what is drawn.
    symbol->output_options |= BARCODE_QUIET_ZONES;
    QByteArray data = barcode;
    switch (symbology) {
    case LabelSymbology::Code128:
        symbol->symbology = BARCODE_CODE128;
        // The label program gets the bytes as they are, Big5 included.
        symbol->input_mode = DATA_MODE;
        break;
    case LabelSymbology::UpcA:
        symbol->symbology = BARCODE_UPCA;
        data.chop(1);
        break;
    default:
        // Given all its digits, libzint takes an 8-digit number for an EAN-13
        // body; without the check digit it computes the same, right one.
        symbol->symbology = BARCODE_EANX;
        data.chop(1);
        break;
    }
    const int encoded =
        ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char *>(data.constData()), int(data.size()));
    if (encoded >= ZINT_ERROR || ZBarcode_Buffer_Vector(symbol.get(), 0) >= ZINT_ERROR || !symbol->vector) {
        const QString failure = QStringLiteral("條碼畫不出來: %1").arg(QString::fromLatin1(symbol->errtxt));
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, failure);
        return failure;
    }
    const zint_vector &vector = *symbol->vector;
    // Bars may grow taller or shorter than drawn by libzint without changing
    // what they say; the width decides how well a scanner reads them.
    const double scaleY = area.height() / vector.height;
    const double scaleX = std::min(area.width() / vector.width, 4 * scaleY);
    const double scale = std::min(scaleX, scaleY);
    const QPointF origin(area.center().x() - vector.width * scaleX / 2, area.top());
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    // All bars in one call: one filled path in a PDF rather than one each.
    std::vector<QRectF> bars;
    for (const zint_vector_rect *rect = vector.rectangles; rect; rect = rect->next) {
        bars.emplace_back(origin.x() + rect->x * scaleX, origin.y() + rect->y * scaleY, rect->width * scaleX,
                          rect->height * scaleY);
    }
    painter.drawRects(bars.data(), int(bars.size()));
    // Text at its own size rather than scaled, so it stays sharp on screen and paper alike.
    painter.setPen(Qt::black);
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    for (const zint_vector_string *text = vector.strings; text; text = text->next) {
        font.setPixelSize(std::max(1, int(text->fsize * scale)));
        const ShapedText shaped =
            shapeText(QString::fromUtf8(reinterpret_cast<const char *>(text->text), text->length), font);
        const double x = origin.x() + text->x * scaleX;
        const double left = text->halign == 1 ? x : text->halign == 2 ? x - shaped.width : x - shaped.width / 2;
        shaped.drawAt(painter, QPointF(left, origin.y() + text->y * scaleY));
    }
    painter.restore();
    return {};
}
