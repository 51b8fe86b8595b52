#pragma once

#include "productlabels/ProductReplyRecord.h"
#include "productlabels/ProductRowSource.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// A product queue in memory: rows by ProductReplyFields position, filled by
// FillQueueFromReply or by hand, read back by the export.
struct MemoryRow {
    std::array<QByteArray, ProductReplyFields::count> texts;
    std::array<std::optional<double>, ProductReplyFields::count> numbers;

    MemoryRow &text(int position, const QByteArray &value)
    {
        texts[position] = value;
        return *this;
    }
    MemoryRow &number(int position, std::optional<double> value)
    {
        numbers[position] = value;
        return *this;
    }
};

class MemoryProductQueue : public ProductQueueSink, public ProductRowSource
{
public:
    QString append(const ProductReplyRecord &record) override
    {
        if (!refusal.isEmpty() && rows.size() == refuseAt) {
            return refusal;
        }
        MemoryRow row;
        for (int position = 0; position < ProductReplyFields::count; ++position) {
            if (ProductReplyFields::isNumeric(position)) {
                row.numbers[position] = record.numbers[position];
            } else {
                row.texts[position] = record.texts[position].toByteArray();
            }
        }
        rows.append(row);
        return QString();
    }

    int rowCount() const override { return int(rows.size()); }
    QString read(int row) override
    {
        if (row == unreadableRow) {
            return QStringLiteral("bad row");
        }
        current_ = row;
        return QString();
    }
    QByteArrayView text(int position) const override { return rows.at(current_).texts[position]; }
    std::optional<double> number(int position) const override { return rows.at(current_).numbers[position]; }

    QList<MemoryRow> rows;
    // The sink refuses its row number refuseAt with this text, when set.
    QString refusal;
    qsizetype refuseAt = -1;
    int unreadableRow = -1;

private:
    int current_ = -1;
};
