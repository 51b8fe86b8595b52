#include "labelqueue/widgets/QueueGridHeaders.h"

#include "labelqueue/LabelQueueModel.h"

#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <algorithm>

namespace {

// Blank space either side of a title, inside its section.
constexpr int titleMargin = 3;

QColor printedColor()
{
    return QColor(0xcc, 0xee, 0xcc);
}

QColor printedTickColor()
{
    return QColor(0x00, 0x66, 0x00);
}

void drawCellFrame(QPainter *painter, const QRect &rect, const QColor &line)
{
    painter->setPen(line);
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
}

} // namespace

QueueTitleHeader::QueueTitleHeader(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(false);
    setHighlightSections(false);
}

int QueueTitleHeader::widthFor(const QString &title) const
{
    return fontMetrics().horizontalAdvance(title) + 2 * titleMargin;
}

void QueueTitleHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    if (!rect.isValid() || !model()) {
        return;
    }
    const bool highlighted =
        model()->headerData(logicalIndex, orientation(), LabelQueueModel::TitleHighlightRole).toBool();
    painter->save();
    painter->fillRect(rect, highlighted ? highlightColor() : palette().color(QPalette::Button));
    drawCellFrame(painter, rect, palette().color(QPalette::Dark));
    const QVariant alignment = model()->headerData(logicalIndex, orientation(), Qt::TextAlignmentRole);
    const int flags = alignment.isValid() ? alignment.toInt() : int(Qt::AlignCenter);
    const QRect textRect = rect.adjusted(titleMargin, 0, -titleMargin, 0);
    const QString title = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->setFont(font());
    painter->drawText(textRect, flags, fontMetrics().elidedText(title, Qt::ElideRight, textRect.width()));
    painter->restore();
}

RowIndicatorHeader::RowIndicatorHeader(QWidget *parent)
    : QHeaderView(Qt::Vertical, parent)
{
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Fixed);
}

void RowIndicatorHeader::setIndicatorWidth(int width)
{
    indicatorWidth_ = width;
    updateGeometry();
}

void RowIndicatorHeader::setCurrentRow(int row)
{
    if (row == currentRow_) {
        return;
    }
    const int previous = currentRow_;
    currentRow_ = row;
    for (const int changed : {previous, row}) {
        if (changed >= 0) {
            updateSection(changed);
        }
    }
}

QSize RowIndicatorHeader::sizeHint() const
{
    return QSize(indicatorWidth_, defaultSectionSize());
}

void RowIndicatorHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    if (!rect.isValid()) {
        return;
    }
    const auto *queue = qobject_cast<const LabelQueueModel *>(model());
    const bool printed = queue && queue->isPrinted(logicalIndex);
    painter->save();
    painter->fillRect(rect, printed ? printedColor() : palette().color(QPalette::Button));
    drawCellFrame(painter, rect, palette().color(QPalette::Dark));
    if (printed && logicalIndex != currentRow_) {
        // A tick: the row's labels went out as it stands.
        const QRect mark = rect.adjusted(2, 0, -2, 0);
        const int size = std::min(mark.width(), mark.height());
        const QPoint centre = mark.center();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(printedTickColor(), 1.5));
        painter->drawPolyline(
            QPolygon({QPoint(centre.x() - size / 2, centre.y()), QPoint(centre.x() - size / 6, centre.y() + size / 3),
                      QPoint(centre.x() + size / 2, centre.y() - size / 3)}));
    }
    if (logicalIndex == currentRow_) {
        const bool newRow = queue && queue->hasBlankRow() && logicalIndex == queue->rowCount() - 1;
        painter->setPen(palette().color(QPalette::ButtonText));
        painter->setBrush(palette().color(QPalette::ButtonText));
        painter->setRenderHint(QPainter::Antialiasing);
        const QRect mark = rect.adjusted(2, 0, -2, 0);
        if (newRow) {
            painter->setFont(font());
            painter->drawText(mark, Qt::AlignCenter, QStringLiteral("*"));
        } else {
            const int half = std::min(mark.width(), mark.height()) / 2;
            const QPoint centre = mark.center();
            const QPolygon arrow({QPoint(centre.x() - half / 2, centre.y() - half),
                                  QPoint(centre.x() - half / 2, centre.y() + half),
                                  QPoint(centre.x() + half / 2 + 1, centre.y())});
            painter->drawPolygon(arrow);
        }
    }
    painter->restore();
}
