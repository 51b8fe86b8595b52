#pragma once

#include "labelqueue/DbfRecord.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueRowSource.h"
#include "labelqueue/QueueSide.h"
#include "labelqueue/ReplyRecord.h"

#include <memory>
#include <vector>

// Stores reply records as rows of a side's label queue, each value in the
// field its side names for it (the queue's field of that name), each row
// committed to the file before append returns.
class QueueWriter : public ReplyRecordSink
{
public:
    QueueWriter(LabelQueue &queue, const QueueSide &side);
    // Texts are cut to the table's field widths (never inside a Big5
    // character); a number too wide for its field refuses the row.
    QString append(const ReplyRecord &record) override;
    QString beginImport() override;
    QString endImport() override;

private:
    LabelQueue &queue_;
    // By reply position: the queue's field, -1 for none, and whether it holds a number.
    QList<int> fieldOf_;
    std::vector<bool> numeric_;
};

// Reads the rows of a side's label queue for the export and the check, by
// the side's field indexes. Between beginReading and endReading, with the
// table held, the rows are read from the file a run at a time; otherwise
// each row as it is now.
class QueueReader : public QueueRowSource
{
public:
    QueueReader(LabelQueue &queue, const QueueSide &side);
    QString beginReading() override;
    void endReading() override;
    int rowCount() const override;
    QString read(int row) override;
    QByteArrayView text(int field) const override;
    std::optional<double> number(int field) const override;
    QString recordExport(QueueRowSource &rows, const QString &labelFile, qint64 lines,
                         const QByteArray &settings) override;

private:
    // Where each of the side's fields lies in the current record; width 0
    // for a field the table lacks.
    struct Slot {
        int offset = 0;
        int width = 0;
    };
    QByteArrayView field(int index) const;
    QString readFromRun(int row);
    void useLayout(const std::shared_ptr<const DbfLayout> &layout);

    LabelQueue &queue_;
    QList<int> fieldOf_;
    QList<QByteArray> fieldNames_;
    std::vector<bool> numericFields_;
    int quantityField_; // the side's field that holds a row's label count
    int nameField_;
    int readingDepth_ = 0;
    LabelQueueRun run_;                       // between beginReading and endReading
    DbfRecord current_;                       // otherwise
    QByteArrayView record_;                   // the current row's bytes in one of them
    int recordNumber_ = -1;                   // the current row's
    std::shared_ptr<const DbfLayout> layout_; // the one slots_ were found in
    std::vector<Slot> slots_;
};
