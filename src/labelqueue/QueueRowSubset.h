#pragma once

#include "labelqueue/QueueRowSource.h"

#include <vector>

class LabelQueue;

// Some rows of a queue as the export, the check and the preview read them:
// the rows holding the records given, in file order, read through the
// source of all the rows. Rows deleted meanwhile are left out.
class QueueRowSubset : public QueueRowSource
{
public:
    QueueRowSubset(QueueRowSource &allRows, const LabelQueue &queue, std::vector<int> recordNumbers);

    QString beginReading() override;
    void endReading() override;
    int rowCount() const override { return int(rows_.size()); }
    QString read(int row) override;
    QByteArrayView text(int field) const override { return allRows_.text(field); }
    std::optional<double> number(int field) const override { return allRows_.number(field); }
    QString exported(const QString &labelFile, qint64 lines, const QByteArray &settings) override
    {
        return allRows_.recordExport(*this, labelFile, lines, settings);
    }

    // The queue's row that row of the subset is.
    int queueRow(int row) const;

private:
    void findRows();

    QueueRowSource &allRows_;
    const LabelQueue &queue_;
    std::vector<int> recordNumbers_;
    std::vector<int> rows_; // the queue's rows, as the queue numbers them now
};

// The labels the rows ask for: the sum of their quantities, a row without
// one counting none. An empty text, or why the rows could not be read.
QString countLabels(QueueRowSource &rows, int quantityField, qint64 &labels);
