#pragma once

#include "customerlabels/CustomerQueueTable.h"
#include "labelqueue/QueueRowSource.h"

#include <QByteArray>
#include <QList>

#include <array>
#include <optional>

// Customer queue rows in memory, by CustomerQueueTable field, for the export.
struct CustomerRow {
    std::array<QByteArray, CustomerQueueTable::FieldCount> texts;
    std::optional<double> quantity;

    CustomerRow &text(int field, const QByteArray &value)
    {
        texts[field] = value;
        return *this;
    }
    CustomerRow &quan(std::optional<double> value)
    {
        quantity = value;
        return *this;
    }
};

class MemoryCustomerRows : public QueueRowSource
{
public:
    int rowCount() const override { return int(rows.size()); }
    QString read(int row) override
    {
        current_ = row;
        return QString();
    }
    QByteArrayView text(int field) const override { return rows.at(current_).texts[field]; }
    std::optional<double> number(int field) const override
    {
        return field == CustomerQueueTable::QUAN ? rows.at(current_).quantity : std::nullopt;
    }

    QList<CustomerRow> rows;

private:
    int current_ = -1;
};
