#pragma once

#include <QColor>
#include <QHeaderView>

// Column titles painted on their own background, whatever the style: light
// cyan over the columns the user may edit (LabelQueueModel::TitleHighlightRole),
// the button face over the others.
class QueueTitleHeader : public QHeaderView
{
    Q_OBJECT

public:
    static QColor highlightColor() { return QColor(128, 255, 255); }

    explicit QueueTitleHeader(QWidget *parent = nullptr);

    // The narrowest section that shows title whole in the header's font.
    int widthFor(const QString &title) const;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
};

// The grid's row indicator: an arrow at the current row, "*" when that row is
// the new row not stored yet. Rows carry no numbers.
class RowIndicatorHeader : public QHeaderView
{
    Q_OBJECT

public:
    explicit RowIndicatorHeader(QWidget *parent = nullptr);

    void setIndicatorWidth(int width);
    void setCurrentRow(int row);
    int currentRow() const { return currentRow_; }

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    int indicatorWidth_ = 12;
    int currentRow_ = -1;
};
