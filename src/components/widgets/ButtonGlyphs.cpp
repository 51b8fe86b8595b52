#include "components/widgets/ButtonGlyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace ButtonGlyphs {
namespace {

QPixmap drawGlyph(const QColor &color, const QPainterPath &path)
{
    QPixmap glyph(size, size);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    return glyph;
}

} // namespace

QPixmap twoStateStrip(const QPixmap &normal)
{
    const int w = normal.width();
    const int h = normal.height();
    // The disabled picture: the shape in grey over a white copy one pixel
    // down and right, the etched look of disabled glyphs.
    QImage shape = normal.toImage().convertToFormat(QImage::Format_ARGB32);
    QImage grey = shape;
    QImage white = shape;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int alpha = qAlpha(shape.pixel(x, y));
            grey.setPixel(x, y, qRgba(128, 128, 128, alpha));
            white.setPixel(x, y, qRgba(255, 255, 255, alpha));
        }
    }
    QPixmap strip(w * 2, h);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    painter.drawPixmap(0, 0, normal);
    painter.drawImage(w + 1, 1, white);
    painter.drawImage(w, 0, grey);
    return strip;
}

QPixmap checkMark()
{
    QPainterPath path;
    path.moveTo(3, 9.5);
    path.lineTo(7, 13.5);
    path.lineTo(15, 4.5);
    return twoStateStrip(drawGlyph(QColor(0, 128, 0), path));
}

QPixmap cross()
{
    QPainterPath path;
    path.moveTo(4, 4);
    path.lineTo(14, 14);
    path.moveTo(14, 4);
    path.lineTo(4, 14);
    return twoStateStrip(drawGlyph(QColor(192, 0, 0), path));
}

} // namespace ButtonGlyphs
