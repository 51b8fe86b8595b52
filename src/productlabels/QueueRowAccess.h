#pragma once

#include "labelqueue/DbfRecord.h"
#include "productlabels/LabelRowSource.h"
#include "productlabels/ReplyRecord.h"

#include <vector>

class LabelQueue;

// Stores reply records of one shape as rows of a label queue, each committed
// to the file before append returns.
class QueueRecordWriter : public ReplyRecordSink
{
public:
    QueueRecordWriter(LabelQueue &queue, const ReplyRecordShape &shape);
    // Texts are cut to the table's field widths (never inside a Big5
    // character); a number too wide for its field refuses the row.
    QString append(const ReplyRecord &record) override;

private:
    LabelQueue &queue_;
    const ReplyRecordShape &shape_;
    std::vector<int> fieldOf_; // the queue field of each reply position
};

// Reads the rows of a label queue for the export, fields addressed by the
// positions of a reply shape.
class QueueRowReader : public LabelRowSource
{
public:
    QueueRowReader(const LabelQueue &queue, const ReplyRecordShape &shape);
    int rowCount() const override;
    QString read(int row) override;
    QByteArrayView text(int position) const override;
    std::optional<double> number(int position) const override;

private:
    // Where each reply position's field lies in the current record; width 0
    // for a field the table lacks.
    struct Slot {
        int offset = 0;
        int width = 0;
    };
    QByteArrayView field(int position) const;

    const LabelQueue &queue_;
    std::vector<int> fieldOf_;
    DbfRecord current_;
    const DbfLayout *layout_ = nullptr;
    std::vector<Slot> slots_;
};
