#pragma once

#include "labelqueue/proof/LabelCardPainter.h"

#include <QAbstractScrollArea>
#include <QSize>

class LabelCardSource;

// The labels of a queue as cards, several in a row, drawn as they scroll
// into sight so a queue of any length opens at once. One card is current:
// the arrows, Page Up/Down and Ctrl+Home/End move it, a click chooses it.
class LabelCardView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit LabelCardView(QWidget *parent = nullptr);

    // The source stays the caller's; nullptr shows nothing.
    void setSource(LabelCardSource *cards);
    // Cards are drawn this many pixels to a point of their layout.
    void setScale(double scale);
    qint64 currentLine() const { return current_; }
    void setCurrentLine(qint64 line);
    // True when the card of line stands whole in the view.
    bool lineInSight(qint64 line) const;
    // Cards drawn by the last paint, for measuring what a paint costs.
    int cardsPainted() const { return cardsPainted_; }

Q_SIGNALS:
    void currentLineChanged(qint64 line);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    qint64 lineCount() const;
    int cardsPerRow() const;
    int rowsInSight() const;
    void updateScrollRange();
    void scrollToCurrent();
    qint64 lineAt(QPoint point) const;
    int leftEdge() const;
    void measureCards();

    LabelCardSource *cards_ = nullptr;
    LabelCardPainter cardPainter_;
    QSize cardSize_;
    double scale_ = 1;
    qint64 current_ = 0;
    int cardsPainted_ = 0;
};
