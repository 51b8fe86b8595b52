#pragma once

#include "labelqueue/DbfRecord.h"
#include "labelqueue/LabelQueue.h"
#include "productlabels/FillQueueFromReply.h"
#include "productlabels/ProductReplyRecord.h"
#include "productlabels/ProductRowSource.h"

#include <array>
#include <memory>

// Stores reply records as rows of the product label queue ("bar1.dbf"), or
// of another queue whose reply has the shape given (its values go to the
// fields of the same names), each committed to the file before append returns.
class ProductQueueWriter : public ProductQueueSink
{
public:
    explicit ProductQueueWriter(LabelQueue &queue, const ReplyShape *shape = nullptr);
    // Texts are cut to the table's field widths (never inside a Big5
    // character); a number too wide for its field refuses the row.
    QString append(const ProductReplyRecord &record) override;
    QString beginImport() override;
    QString endImport() override;

private:
    LabelQueue &queue_;
    const ReplyShape *shape_;
    QList<int> fieldOf_;
};

// Reads the rows of the product label queue for the export, or of another
// queue by the positions of its reply's shape. Between beginReading and
// endReading, with the table held, the rows are read from the file a run at a
// time; otherwise each row as it is now.
class ProductQueueReader : public ProductRowSource
{
public:
    explicit ProductQueueReader(LabelQueue &queue, const ReplyShape *shape = nullptr);
    QString beginReading() override;
    void endReading() override;
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
    QString readFromRun(int row);
    void useLayout(const std::shared_ptr<const DbfLayout> &layout);

    LabelQueue &queue_;
    QList<int> fieldOf_;
    int readingDepth_ = 0;
    LabelQueueRun run_;                       // between beginReading and endReading
    DbfRecord current_;                       // otherwise
    QByteArrayView record_;                   // the current row's bytes in one of them
    std::shared_ptr<const DbfLayout> layout_; // the one slots_ were found in
    std::array<Slot, ProductReplyFields::count> slots_{};
};
