#include "app/widgets/MainButtonGlyphs.h"

#include "components/widgets/ButtonGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <functional>

namespace MainButtonGlyphs {
namespace {

constexpr int side = ButtonGlyphs::size;

QPixmap strip(const std::function<void(QPainter &)> &draw)
{
    QPixmap glyph(side, side);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return ButtonGlyphs::twoStateStrip(glyph);
}

} // namespace

QPixmap exit()
{
    return strip([](QPainter &painter) {
        painter.setPen(QPen(QColor(128, 0, 0), 1.6));
        painter.setBrush(QColor(222, 190, 150));
        painter.drawRect(QRectF(2.5, 1.5, 8, 15));
        painter.setBrush(QColor(128, 0, 0));
        painter.drawEllipse(QPointF(8.5, 9.5), 0.8, 0.8);
        painter.setPen(QPen(QColor(0, 112, 0), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawLine(QPointF(9, 9), QPointF(16.5, 9));
        painter.drawPolyline(QPolygonF({QPointF(13.5, 6), QPointF(16.5, 9), QPointF(13.5, 12)}));
    });
}

QPixmap barcode()
{
    return strip([](QPainter &painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 128));
        static const qreal bars[][2] = {{2, 1.5}, {4.5, 1}, {6.5, 2}, {9.5, 1}, {11.5, 1}, {13.5, 2}, {16, 1}};
        for (const auto &bar : bars) {
            painter.drawRect(QRectF(bar[0], 2, bar[1], 11));
        }
        painter.setBrush(QColor(0, 0, 128, 150));
        painter.drawRect(QRectF(2, 14.5, 15, 1.5));
    });
}

QPixmap envelope()
{
    return strip([](QPainter &painter) {
        painter.setPen(QPen(QColor(0, 0, 128), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(QColor(255, 248, 220));
        painter.drawRect(QRectF(1.5, 4.5, 15, 10));
        painter.drawPolyline(QPolygonF({QPointF(1.5, 4.5), QPointF(9, 10.5), QPointF(16.5, 4.5)}));
    });
}

QPixmap settings()
{
    return strip([](QPainter &painter) {
        const QPointF centre(9, 9);
        QPainterPath cog;
        const int teeth = 8;
        for (int i = 0; i < teeth * 2; ++i) {
            const qreal angle = M_PI * i / teeth;
            const qreal radius = i % 2 == 0 ? 8.0 : 6.0;
            const QPointF point = centre + QPointF(qCos(angle) * radius, qSin(angle) * radius);
            if (i == 0) {
                cog.moveTo(point);
            } else {
                cog.lineTo(point);
            }
        }
        cog.closeSubpath();
        cog.addEllipse(centre, 2.5, 2.5);
        painter.setPen(QPen(QColor(128, 0, 0), 1));
        painter.setBrush(QColor(190, 120, 100));
        painter.drawPath(cog);
    });
}

} // namespace MainButtonGlyphs
