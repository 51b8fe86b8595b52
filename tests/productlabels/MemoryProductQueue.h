#pragma once

#include "labelqueue/QueueRowSource.h"
#include "labelqueue/ReplyRecord.h"
#include "productlabels/ProductQueueTable.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// A product queue in memory: rows by ProductQueueTable field, filled by
// fillQueueFromReply or by hand, read back by the export.
struct MemoryRow {
    std::array<QByteArray, ProductQueueTable::FieldCount> texts;
    std::array<std::optional<double>, ProductQueueTable::FieldCount> numbers;

    MemoryRow &text(int field, const QByteArray &value)
    {
        texts[field] = value;
        return *this;
    }
    MemoryRow &number(int field, std::optional<double> value)
    {
        numbers[field] = value;
        return *this;
    }
};

class MemoryProductQueue : public ReplyRecordSink, public QueueRowSource
{
public:
    QString append(const ReplyRecord &record) override
    {
        if (!refusal.isEmpty() && rows.size() == refuseAt) {
            return refusal;
        }
        const QueueSide &side = ProductQueueTable::side();
        MemoryRow row;
        for (int position = 0; position < record.valueCount; ++position) {
            const int field = side.replyFields[position];
            if (side.isNumeric(field)) {
                row.numbers[field] = record.numbers[position];
            } else {
                row.texts[field] = record.texts[position].toByteArray();
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
    QByteArrayView text(int field) const override { return rows.at(current_).texts[field]; }
    std::optional<double> number(int field) const override { return rows.at(current_).numbers[field]; }

    QList<MemoryRow> rows;
    // The sink refuses its row number refuseAt with this text, when set.
    QString refusal;
    qsizetype refuseAt = -1;
    int unreadableRow = -1;

private:
    int current_ = -1;
};
