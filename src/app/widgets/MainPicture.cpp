#include "app/widgets/MainPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

void drawCard(QPainter &painter, const QRectF &card)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 28));
    painter.drawRoundedRect(card.translated(3, 4), 8, 8);
    painter.setPen(QPen(QColor(150, 165, 185), 1));
    painter.setBrush(QColor(255, 255, 252));
    painter.drawRoundedRect(card, 8, 8);
}

// A product label: bars of varied widths over their digits, with a hole for the tag string.
void drawBarcodeLabel(QPainter &painter, const QRectF &card)
{
    drawCard(painter, card);
    painter.setPen(QPen(QColor(150, 165, 185), 1.5));
    painter.setBrush(Qt::NoBrush);
    const QPointF hole(card.center().x(), card.top() + 16);
    painter.drawEllipse(hole, 5, 5);
    painter.drawLine(hole - QPointF(0, 5), QPointF(hole.x() - 18, card.top() - 26));

    static const int widths[] = {2, 1, 1, 3, 1, 2, 1, 1, 2, 3, 1, 1, 2, 1, 3, 1, 2, 1, 1, 2, 1, 3, 1, 1, 2, 1, 2};
    // Each bar is followed by a gap of one and a half units; the bars fill four fifths of the card.
    qreal units = 0;
    for (int w : widths) {
        units += w + 1.5;
    }
    const qreal unit = card.width() * 0.8 / units;
    qreal x = card.left() + card.width() * 0.1;
    const qreal top = card.top() + 40;
    const qreal height = card.height() * 0.42;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 48, 64));
    for (int w : widths) {
        painter.drawRect(QRectF(x, top, w * unit, height));
        x += w * unit + unit * 1.5;
    }
    painter.setPen(QColor(70, 80, 100));
    QFont digits = painter.font();
    digits.setPixelSize(11);
    digits.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    painter.setFont(digits);
    painter.drawText(QRectF(card.left(), top + height + 4, card.width(), 16), Qt::AlignHCenter,
                     QStringLiteral("4 710000 123456"));

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(196, 82, 62));
    painter.drawRoundedRect(QRectF(card.left() + 18, card.bottom() - 34, card.width() - 36, 16), 4, 4);
}

// An envelope with an address label and a stamp.
void drawEnvelope(QPainter &painter, const QRectF &card)
{
    drawCard(painter, card);
    painter.setPen(QPen(QColor(170, 180, 200), 1.2));
    painter.setBrush(Qt::NoBrush);
    QPainterPath flap;
    flap.moveTo(card.topLeft() + QPointF(6, 6));
    flap.lineTo(card.center().x(), card.top() + card.height() * 0.45);
    flap.lineTo(card.topRight() + QPointF(-6, 6));
    painter.drawPath(flap);

    const QRectF stamp(card.right() - 34, card.top() + 10, 22, 26);
    painter.setPen(QPen(QColor(60, 120, 90), 1, Qt::DashLine));
    painter.setBrush(QColor(214, 236, 222));
    painter.drawRect(stamp);

    const QRectF label(card.left() + 22, card.top() + card.height() * 0.55, card.width() - 44, card.height() * 0.32);
    painter.setPen(QPen(QColor(150, 165, 185), 1));
    painter.setBrush(QColor(250, 246, 226));
    painter.drawRoundedRect(label, 3, 3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(120, 130, 150));
    const qreal line = label.height() / 4;
    for (int i = 0; i < 3; ++i) {
        const qreal width = label.width() * (i == 0 ? 0.5 : 0.8 - 0.15 * i);
        painter.drawRoundedRect(QRectF(label.left() + 8, label.top() + line * (i + 0.6), width, line * 0.45), 2, 2);
    }
}

} // namespace

MainPicture::MainPicture(QWidget *parent)
    : QWidget(parent)
{}

void MainPicture::setPicture(const QImage &picture)
{
    picture_ = picture;
    update();
}

void MainPicture::drawTag(QPainter &painter, const QRectF &card)
{
    drawBarcodeLabel(painter, card);
}

void MainPicture::drawBuiltIn(QPainter &painter, const QRect &area)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0, QColor(214, 230, 244));
    sky.setColorAt(1, QColor(246, 243, 232));
    painter.fillRect(area, sky);

    // Soft hills behind the cards.
    QPainterPath hills;
    hills.moveTo(area.left(), area.bottom() - area.height() * 0.22);
    hills.cubicTo(area.left() + area.width() * 0.3, area.bottom() - area.height() * 0.38,
                  area.left() + area.width() * 0.6, area.bottom() - area.height() * 0.08, area.right() + 1,
                  area.bottom() - area.height() * 0.28);
    hills.lineTo(area.right() + 1, area.bottom() + 1);
    hills.lineTo(area.left(), area.bottom() + 1);
    hills.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 222, 206, 150));
    painter.drawPath(hills);

    // The buttons stand in the middle third; the label and the envelope flank them.
    const qreal cardWidth = area.width() * 0.24;
    drawBarcodeLabel(painter, QRectF(area.left() + area.width() * 0.045, area.top() + area.height() * 0.2, cardWidth,
                                     area.height() * 0.52));
    drawEnvelope(painter, QRectF(area.right() - area.width() * 0.045 - cardWidth * 1.05,
                                 area.top() + area.height() * 0.32, cardWidth * 1.05, area.height() * 0.36));
    painter.restore();
}

void MainPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (picture_.isNull()) {
        drawBuiltIn(painter, rect());
        return;
    }
    painter.drawImage(0, 0, picture_);
}
