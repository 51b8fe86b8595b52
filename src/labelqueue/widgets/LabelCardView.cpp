#include "labelqueue/widgets/LabelCardView.h"

#include "labelqueue/LabelCards.h"
#include "labelqueue/proof/LabelCardPainter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {
constexpr int gap = 10;
} // namespace

LabelCardView::LabelCardView(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setBackgroundRole(QPalette::Mid);
    viewport()->setAutoFillBackground(true);
}

void LabelCardView::setSource(LabelCardSource *cards)
{
    cards_ = cards;
    current_ = 0;
    measureCards();
    verticalScrollBar()->setValue(0);
    updateScrollRange();
    viewport()->update();
    Q_EMIT currentLineChanged(current_);
}

void LabelCardView::setScale(double scale)
{
    scale_ = scale;
    measureCards();
    updateScrollRange();
    viewport()->update();
}

void LabelCardView::measureCards()
{
    const int columns = lineCount() > 0 ? int(cards_->card(0).columns.size()) : 0;
    cardSize_ = (labelCardSize(columns) * scale_).toSize();
}

// The rows of cards stand in the middle of the view.
int LabelCardView::leftEdge() const
{
    const int perRow = cardsPerRow();
    return std::max(gap, (viewport()->width() - perRow * cardSize_.width() - (perRow - 1) * gap) / 2);
}

qint64 LabelCardView::lineCount() const
{
    return cards_ ? cards_->report().totals.lines : 0;
}

int LabelCardView::cardsPerRow() const
{
    return std::max(1, (viewport()->width() - gap) / std::max(1, cardSize_.width() + gap));
}

int LabelCardView::rowsInSight() const
{
    return std::max(1, (viewport()->height() - gap) / std::max(1, cardSize_.height() + gap));
}

void LabelCardView::updateScrollRange()
{
    // The bar counts rows of cards, not pixels, so its range stays small on any queue.
    const qint64 rows = (lineCount() + cardsPerRow() - 1) / cardsPerRow();
    QScrollBar *bar = verticalScrollBar();
    bar->setRange(0, int(std::max<qint64>(0, rows - rowsInSight())));
    bar->setPageStep(rowsInSight());
    bar->setSingleStep(1);
}

void LabelCardView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
    // The current card was chosen before the view had its size (a finding
    // chosen as the preview opens): it stays in sight however the view grows.
    scrollToCurrent();
}

bool LabelCardView::lineInSight(qint64 line) const
{
    const qint64 row = line / cardsPerRow();
    const int first = verticalScrollBar()->value();
    return row >= first && row < first + rowsInSight();
}

void LabelCardView::scrollToCurrent()
{
    if (lineCount() == 0) {
        return;
    }
    const int row = int(current_ / cardsPerRow());
    QScrollBar *bar = verticalScrollBar();
    if (row < bar->value()) {
        bar->setValue(row);
    } else if (row >= bar->value() + rowsInSight()) {
        bar->setValue(row - rowsInSight() + 1);
    }
}

void LabelCardView::setCurrentLine(qint64 line)
{
    if (lineCount() == 0) {
        return;
    }
    line = std::clamp<qint64>(line, 0, lineCount() - 1);
    const bool moved = line != current_;
    current_ = line;
    scrollToCurrent();
    if (moved) {
        Q_EMIT currentLineChanged(current_);
    }
    viewport()->update();
}

void LabelCardView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    cardsPainted_ = 0;
    if (lineCount() == 0) {
        painter.drawText(viewport()->rect(), Qt::AlignCenter, QStringLiteral("沒有要印的標籤"));
        return;
    }
    const int perRow = cardsPerRow();
    const int left = leftEdge();
    const int firstRow = verticalScrollBar()->value();
    // One more row than fits whole: the part of it in sight is drawn too.
    const qint64 first = qint64(firstRow) * perRow;
    const qint64 last = std::min(lineCount(), first + qint64(rowsInSight() + 1) * perRow);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (qint64 line = first; line < last; ++line) {
        const qint64 at = line - first;
        const QRect rect(left + int(at % perRow) * (cardSize_.width() + gap),
                         gap + int(at / perRow) * (cardSize_.height() + gap), cardSize_.width(), cardSize_.height());
        const LabelCard card = cards_->card(line);
        cardPainter_.paint(painter, rect, card, line, cards_->report().findingsOf(card.row));
        if (line == current_) {
            painter.save();
            painter.setPen(QPen(palette().color(QPalette::Highlight), 3));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect.adjusted(-3, -3, 3, 3));
            painter.restore();
        }
        ++cardsPainted_;
    }
}

void LabelCardView::keyPressEvent(QKeyEvent *event)
{
    const qint64 perRow = cardsPerRow();
    const qint64 page = perRow * rowsInSight();
    const bool toEnds = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        setCurrentLine(current_ - 1);
        break;
    case Qt::Key_Right:
        setCurrentLine(current_ + 1);
        break;
    case Qt::Key_Up:
        setCurrentLine(current_ - perRow);
        break;
    case Qt::Key_Down:
        setCurrentLine(current_ + perRow);
        break;
    case Qt::Key_PageUp:
        setCurrentLine(current_ - page);
        break;
    case Qt::Key_PageDown:
        setCurrentLine(current_ + page);
        break;
    case Qt::Key_Home:
        setCurrentLine(toEnds ? 0 : current_ - current_ % perRow);
        break;
    case Qt::Key_End:
        setCurrentLine(toEnds ? lineCount() - 1 : current_ - current_ % perRow + perRow - 1);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

qint64 LabelCardView::lineAt(QPoint point) const
{
    const int column = (point.x() - leftEdge()) / (cardSize_.width() + gap);
    const int row = (point.y() - gap) / (cardSize_.height() + gap);
    if (point.x() < leftEdge() || point.y() < gap || column >= cardsPerRow()) {
        return -1;
    }
    const qint64 line = (qint64(verticalScrollBar()->value()) + row) * cardsPerRow() + column;
    return line < lineCount() ? line : -1;
}

void LabelCardView::mousePressEvent(QMouseEvent *event)
{
    if (const qint64 line = lineAt(event->position().toPoint()); line >= 0) {
        setCurrentLine(line);
    }
    QAbstractScrollArea::mousePressEvent(event);
}
