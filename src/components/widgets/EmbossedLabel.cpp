#include "components/widgets/EmbossedLabel.h"

#include "components/widgets/Fonts.h"

#include <QEvent>
#include <QPainter>

EmbossedLabel::EmbossedLabel(QWidget *parent)
    : QLabel(parent)
{
    QFont font = this->font();
    font.setPixelSize(Fonts::pointsToPixels(16));
    setFont(font);
    setFontColor(QColor(0, 255, 0));
    resizeToCaption();
}

void EmbossedLabel::setLayer2Color(const QColor &color)
{
    layer2Color_ = color;
    update();
}

void EmbossedLabel::setLayer3Color(const QColor &color)
{
    layer3Color_ = color;
    update();
}

void EmbossedLabel::setLayer2Depth(int depth)
{
    layer2Depth_ = depth;
    update();
}

void EmbossedLabel::setLayer3Depth(int depth)
{
    layer3Depth_ = depth;
    update();
}

void EmbossedLabel::setDrawLayer2(bool draw)
{
    drawLayer2_ = draw;
    update();
}

void EmbossedLabel::setDrawLayer3(bool draw)
{
    drawLayer3_ = draw;
    update();
}

QColor EmbossedLabel::fontColor() const
{
    return palette().color(QPalette::Active, QPalette::WindowText);
}

void EmbossedLabel::setFontColor(const QColor &color)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, color);
    setPalette(palette);
    update();
}

void EmbossedLabel::setAutoSize(bool on)
{
    autoSize_ = on;
    resizeToCaption();
}

void EmbossedLabel::setText(const QString &text)
{
    QLabel::setText(text);
    resizeToCaption();
}

int EmbossedLabel::textFlags() const
{
    int flags = Qt::TextExpandTabs | Qt::TextShowMnemonic | Qt::AlignTop | int(alignment() & Qt::AlignHorizontal_Mask);
    // Word wrap needs a place to break; a caption without spaces stays whole.
    if (wordWrap() && text().contains(QLatin1Char(' '))) {
        flags |= Qt::TextWordWrap;
    }
    return flags;
}

QSize EmbossedLabel::sizeHint() const
{
    // An empty caption is measured as one blank so the label keeps a line's height.
    const QString caption = text().isEmpty() ? QStringLiteral(" ") : text();
    const int flags = textFlags();
    const int width = (flags & Qt::TextWordWrap) ? this->width() : QWIDGETSIZE_MAX;
    return fontMetrics().boundingRect(QRect(0, 0, width, QWIDGETSIZE_MAX), flags, caption).size();
}

QSize EmbossedLabel::minimumSizeHint() const
{
    return sizeHint();
}

void EmbossedLabel::resizeToCaption()
{
    if (autoSize_) {
        resize(sizeHint());
    }
}

void EmbossedLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        resizeToCaption();
    }
}

void EmbossedLabel::paintEvent(QPaintEvent *)
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
