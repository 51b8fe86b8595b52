#pragma once

#include "labelqueue/DbfRecord.h"
#include "labelqueue/DbfResult.h"
#include "labelqueue/PrintedMarks.h"
#include "labelqueue/QueueColumn.h"

#include <QAbstractTableModel>
#include <QCache>
#include <QList>

#include <optional>
#include <vector>

class LabelQueue;

// The editable grid of a label queue. Rows are read from the table only when
// shown (a few hundred are kept), so a queue of 100,000 rows opens at once.
// An edit is stored in the file as soon as it is committed; an edit or a
// deletion of a row that another program changed since it was shown is
// refused and the rows are shown as the table holds them. Moving down past
// the last row shows a new empty row, which is stored by its first edit and
// dropped again when it is left untouched.
class LabelQueueModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // headerData role: whether the column title is shown light cyan (bool).
    static constexpr int TitleHighlightRole = Qt::UserRole + 1;

    LabelQueueModel(LabelQueue &queue, QList<QueueColumn> columns, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;

    LabelQueue &queue() { return queue_; }
    const LabelQueue &queue() const { return queue_; }
    const QueueColumn &column(int column) const { return columns_.at(column); }
    // Width of the column's field in characters, for columns without a pixel width.
    int displayChars(int column) const;
    bool isNumeric(int column) const;
    void setColumnReadOnly(int column, bool readOnly, bool titleHighlighted);

    // The queue's cursor, seen from the grid. Every move drops an untouched new row first.
    int currentRow() const;
    void setCurrentRow(int row);
    void moveFirst();
    bool movePrior();
    bool moveNext();

    // Shows only the rows of these records (ascending record numbers), or
    // every row again when not given. The current row stays where it is
    // when it is shown, otherwise the next shown row (or the last) becomes
    // current. Rows stored through the grid or appended by an import while
    // rows are chosen are shown too.
    void showOnlyRecords(std::optional<std::vector<int>> recordNumbers);
    bool showsChosenRows() const { return chosen_.has_value(); }
    // The record numbers shown when rows are chosen.
    const std::vector<int> &chosenRecords() const;
    // The queue's row shown at row of the grid (the same without chosen rows), -1 for none.
    int queueRow(int row) const;
    // The grid's row showing the queue's row, -1 when it is not shown.
    int shownRow(int queueRow) const { return shownRowOfQueueRow(queueRow); }
    // The position flags of the walk over the rows shown, as LabelQueue keeps them.
    bool atStart() const;
    bool atEnd() const;

    bool hasBlankRow() const { return blankRow_; }
    // Adds the new empty row (or returns the one shown); -1 when the table is closed.
    int appendBlankRow();
    void dropBlankRow();

    DbfStatus deleteCurrentRow();
    // Deletes the rows of the grid given, as one change (see deleteQueueRecords).
    DbfStatus deleteRows(const std::vector<int> &rows);
    DbfStatus emptyQueue();

    // After the queue was opened or closed behind the model.
    void reload();
    // After rows were appended to the queue behind the model (an import).
    void rowsAppendedToQueue();
    // After the queue read its table again because another program changed
    // it (the queue's revision moved): shows the rows afresh. True when it did.
    bool catchUpWithQueue();
    // After rows were written again behind the model (a count rule): shows
    // what they hold now, keeping the rows, the selection and the cursor.
    void rowsRewritten();

    // Whether the grid's row holds the values and count an export wrote, unchanged since.
    bool isPrinted(int row) const;
    // The queue's rows that are printed, whether shown or not.
    int printedRows() const { return int(printed_.size()); }
    // After an export: reads the queue's printed marks again and marks the rows.
    void refreshPrinted();

    // Why the last edit or read failed.
    QString lastError() const { return lastError_; }
    // Rows read from the table so far; a view shows a large queue by reading only what it draws.
    qint64 rowsRead() const { return rowsRead_; }

Q_SIGNALS:
    void currentRowChanged(int row);
    void printedRowsChanged();
    void errorOccurred(const QString &message);

private:
    bool holds(const QModelIndex &index) const;
    const DbfRecord *record(int row) const;
    bool refuse(const QString &message);
    DbfStatus deleteRow(int row);
    void announceCurrentRow();
    int shownRowOfQueueRow(int queueRow) const;
    int committedRows() const;
    void setWalkFlags(bool atStart, bool atEnd);
    void findPrinted(int fromRow);
    void notePrinted(int recordNumber, const DbfRecord *record);

    LabelQueue &queue_;
    QList<QueueColumn> columns_;
    int rows_ = 0;     // committed rows the views were told about
    int revision_ = 0; // the queue's revision the rows were shown at
    bool blankRow_ = false;
    DbfRecord blankRecord_;
    mutable QCache<int, DbfRecord> cache_; // by record number, which deletions do not change
    mutable QString lastError_;
    mutable qint64 rowsRead_ = 0;
    std::optional<std::vector<int>> chosen_; // record numbers shown, when not every row is
    int lastKnownRecord_ = -1;               // rows after it were added since the rows were chosen
    bool chosenAtStart_ = false;
    bool chosenAtEnd_ = false;
    PrintedMarks marks_;
    std::vector<int> printed_; // ascending record numbers of the rows printed
};
