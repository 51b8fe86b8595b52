#pragma once

#include <QTableView>

#include <vector>

class LabelQueueModel;
class QueueCellDelegate;
class QueueTitleHeader;
class RowIndicatorHeader;

// The editable grid of a label window over its LabelQueueModel, keeping the
// queue's cursor and the grid's current row together. Enter moves to the next
// cell (committing an edit); moving down or tabbing past the last row shows a
// new empty row, dropped again when the grid is left without a change to it;
// Ctrl+Delete deletes the current row without a question; Shift and Ctrl
// select several rows. Rows all have one height, so only the rows on screen
// are ever read.
class LabelQueueGrid : public QTableView
{
    Q_OBJECT

public:
    explicit LabelQueueGrid(QWidget *parent = nullptr);

    void setQueueModel(LabelQueueModel *model);
    LabelQueueModel *queueModel() const { return model_; }

    // Column widths, row height and row indicator for a window scaled by
    // factor, measured with the grid's font (set it first). A column without a
    // width of its own is as wide as its field's display size or its title.
    void applyLayout(double factor);

    // Stores the cell being edited, as moving to another cell would.
    void commitEdit();
    // The rows with a selected cell, ascending.
    std::vector<int> selectedRows() const;

    QueueTitleHeader *titleHeader() const { return titles_; }
    RowIndicatorHeader *rowIndicator() const { return indicator_; }

Q_SIGNALS:
    // An edit the queue refused; sent once the edit is over, when the cell
    // shows the stored value again.
    void editRefused(const QString &message);
    // Ctrl+Delete with several rows selected: they are deleted after a question.
    void deleteSelectedAsked();
    // A deletion the table refused.
    void deleteFailed(const QString &message);

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end) override;

private:
    void followModelRow(int row);
    void deleteCurrentRow();
    QWidget *openEditor() const;
    bool leavesPastTheEnd(CursorAction cursorAction, const QModelIndex &current) const;
    void dropNewRowIfLeft();
    void watchEditor(QWidget *editor);

    LabelQueueModel *model_ = nullptr;
    QueueTitleHeader *titles_;
    RowIndicatorHeader *indicator_;
    QueueCellDelegate *delegate_;
    bool syncing_ = false;
};
