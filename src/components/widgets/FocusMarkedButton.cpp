#include "components/widgets/FocusMarkedButton.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>
#include <QStylePainter>

FocusMarkedButton::FocusMarkedButton(QWidget *parent)
    : FocusMarkedButton(QString(), parent)
{}

FocusMarkedButton::FocusMarkedButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    // Enter presses a focused button in every window, not only in dialogs.
    setAutoDefault(true);
}

void FocusMarkedButton::setFocusColor(const QColor &color)
{
    focusColor_ = color;
    update();
}

void FocusMarkedButton::setFocusSize(int size)
{
    focusSize_ = size;
    update();
}

void FocusMarkedButton::setFocusType(FocusShape type)
{
    focusType_ = type;
    update();
}

void FocusMarkedButton::setGlyph(const QPixmap &strip, int numGlyphs)
{
    QIcon icon;
    if (strip.isNull() || numGlyphs < 1) {
        setIcon(icon);
        return;
    }
    const int glyphWidth = strip.width() / numGlyphs;
    const QPixmap normal = strip.copy(0, 0, glyphWidth, strip.height());
    icon.addPixmap(normal, QIcon::Normal);
    if (numGlyphs >= 2) {
        icon.addPixmap(strip.copy(glyphWidth, 0, glyphWidth, strip.height()), QIcon::Disabled);
    }
    setIconSize(normal.size() / normal.devicePixelRatio());
    setIcon(icon);
}

void FocusMarkedButton::focusInEvent(QFocusEvent *event)
{
    QPushButton::focusInEvent(event);
    focused_ = true;
    update();
}

void FocusMarkedButton::focusOutEvent(QFocusEvent *event)
{
    QPushButton::focusOutEvent(event);
    focused_ = false;
    update();
}

void FocusMarkedButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // The mark replaces the style's own focus frame.
    if (focused_) {
        option.state &= ~QStyle::State_HasFocus;
    }
    painter.drawControl(QStyle::CE_PushButton, option);
    if (focused_) {
        drawFocusMark(painter);
    }
}

void FocusMarkedButton::drawFocusMark(QPainter &painter)
{
    const int w = width();
    const int h = height();
    if (focusSize_ > h || focusSize_ > w) {
        focusSize_ = 1;
    }
    const int s = focusSize_;
    // Outline boxes use exclusive right and bottom edges; the half-pixel
    // shift puts a one-pixel pen on the pixels just inside them.
    QPainterPath outline;
    if (focusType_ == FocusShape::Ellipse) {
        outline.addEllipse(QRectF(s + 0.5, s + 0.5, w - 2 * s - 1, h - 2 * s - 1));
    } else {
        outline.addRoundedRect(QRectF(s + 1.5, s + 1.5, w - 2 * s - 2, h - 2 * s - 2), s / 2.0, s / 2.0);
    }
    // What a border fill from (1, 1) reaches: everything inside the outer
    // frame line and outside the outline, whatever the style drew there.
    QPainterPath ring;
    ring.addRect(QRectF(1, 1, w - 2, h - 2));
    ring = ring.subtracted(outline);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(ring, focusColor_);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);
    painter.restore();
}
