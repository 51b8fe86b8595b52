#include "components/widgets/Label3D.h"

#include "components/widgets/Fonts.h"

#include <QEvent>
#include <QPainter>

Label3D::Label3D(QWidget *parent)
    : QLabel(parent)
{
    QFont font = this->font();
    font.setPixelSize(Fonts::pointsToPixels(16));
    setFont(font);
    setFontColor(QColor(0, 255, 0));
    resizeToCaption();
}

void Label3D::setLayer2Color(const QColor &color)
{
    layer2Color_ = color;
    update();
}

void Label3D::setLayer3Color(const QColor &color)
{
    layer3Color_ = color;
    update();
}

void Label3D::setLayer2Depth(int depth)
{
    layer2Depth_ = depth;
    update();
}

void Label3D::setLayer3Depth(int depth)
{
    layer3Depth_ = depth;
    update();
}

void Label3D::setDrawLayer2(bool draw)
{
    drawLayer2_ = draw;
    update();
}

void Label3D::setDrawLayer3(bool draw)
{
    drawLayer3_ = draw;
    update();
}

QColor Label3D::fontColor() const
{
    return palette().color(QPalette::Active, QPalette::WindowText);
}

void Label3D::setFontColor(const QColor &color)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, color);
    setPalette(palette);
    update();
}

void Label3D::setAutoSize(bool on)
{
    autoSize_ = on;
    resizeToCaption();
}

void Label3D::setText(const QString &text)
{
    QLabel::setText(text);
    resizeToCaption();
}

int Label3D::textFlags() const
{
    int flags = Qt::TextExpandTabs | Qt::TextShowMnemonic | Qt::AlignTop | int(alignment() & Qt::AlignHorizontal_Mask);
    // Word wrap needs a place to break; a caption without spaces stays whole.
    if (wordWrap() && text().contains(QLatin1Char(' '))) {
        flags |= Qt::TextWordWrap;
    }
    return flags;
}

QSize Label3D::sizeHint() const
{
    // An empty caption is measured as one blank so the label keeps a line's height.
    const QString caption = text().isEmpty() ? QStringLiteral(" ") : text();
    const int flags = textFlags();
    const int width = (flags & Qt::TextWordWrap) ? this->width() : QWIDGETSIZE_MAX;
    return fontMetrics().boundingRect(QRect(0, 0, width, QWIDGETSIZE_MAX), flags, caption).size();
}

QSize Label3D::minimumSizeHint() const
{
    return sizeHint();
}

void Label3D::resizeToCaption()
{
    if (autoSize_) {
        resize(sizeHint());
    }
}

void Label3D::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        resizeToCaption();
    }
}

void Label3D::paintEvent(QPaintEvent *)
{
    // The background (when autoFillBackground is on) is filled by QWidget
    // before this runs; a label that does not fill it is transparent.
    QPainter painter(this);
    painter.setFont(font());
    const int flags = textFlags();
    const QRect area = rect();
    const QString caption = text();
    if (drawLayer3_) {
        painter.setPen(layer3Color_);
        painter.drawText(area.translated(layer3Depth_, layer3Depth_), flags, caption);
    }
    if (drawLayer2_) {
        painter.setPen(layer2Color_);
        painter.drawText(area.translated(layer2Depth_, layer2Depth_), flags, caption);
    }
    // A disabled label looks the same, so the colour comes from the active group.
    painter.setPen(fontColor());
    painter.drawText(area, flags, caption);
}
