#include "labelqueue/QueueRowSubset.h"

#include "labelqueue/LabelQueue.h"

#include <cmath>

QueueRowSubset::QueueRowSubset(QueueRowSource &allRows, const LabelQueue &queue, std::vector<int> recordNumbers)
    : allRows_(allRows)
    , queue_(queue)
    , recordNumbers_(std::move(recordNumbers))
{
    findRows();
}

void QueueRowSubset::findRows()
{
    rows_.clear();
    for (const int recordNumber : recordNumbers_) {
        const int row = queue_.rowOfRecord(recordNumber);
        if (row >= 0) {
            rows_.push_back(row);
        }
    }
}

QString QueueRowSubset::beginReading()
{
    const QString refused = allRows_.beginReading();
    // Holding the table brought its rows up to date: their numbers may have moved.
    findRows();
    return refused;
}

void QueueRowSubset::endReading()
{
    allRows_.endReading();
}

QString QueueRowSubset::read(int row)
{
    if (row < 0 || row >= rowCount()) {
        return QStringLiteral("沒有第 %1 筆資料。").arg(row + 1);
    }
    return allRows_.read(rows_[size_t(row)]);
}

int QueueRowSubset::queueRow(int row) const
{
    return row >= 0 && row < rowCount() ? rows_[size_t(row)] : -1;
}

QString countLabels(QueueRowSource &rows, int quantityField, qint64 &labels)
{
    labels = 0;
    const QString refused = rows.beginReading();
    if (!refused.isEmpty()) {
        return refused;
    }
    QString failed;
    for (int row = 0; row < rows.rowCount() && failed.isEmpty(); ++row) {
        failed = rows.read(row);
        if (failed.isEmpty()) {
            const std::optional<double> quantity = rows.number(quantityField);
            labels += quantity && *quantity > 0 ? std::llround(*quantity) : 0;
        }
    }
    rows.endReading();
    return failed;
}
