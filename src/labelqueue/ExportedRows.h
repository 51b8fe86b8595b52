#pragma once

#include "labelqueue/Packing.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>
#include <vector>

// The rows of one export as they went out: each row's values (the stored
// Big5 text, numbers as the table holds them) under the queue's field names,
// with the output settings in force, so the rows can be shown and put back
// in a queue later. Read from what ExportedRowsPacker made.
class ExportedRows
{
public:
    const QList<QByteArray> &fieldNames() const { return fieldNames_; }
    // "key=value" lines in the settings file's own form.
    const QByteArray &settings() const { return settings_; }
    int rowCount() const { return int(rowStarts_.size()); }
    QByteArrayView value(int row, int field) const;

    // Empty when the bytes are not rows a packer made.
    static std::optional<ExportedRows> fromPacked(const QByteArray &packed);

private:
    QList<QByteArray> fieldNames_;
    QByteArray settings_;
    QByteArray rows_; // the unpacked form from the first row on
    std::vector<qsizetype> rowStarts_;
};

// Packs an export's rows as the export reads them: an export of 100,000
// rows is never held unpacked. Each value is its length (one byte below 255,
// else 255 and four bytes) and its bytes, after a head naming the fields.
class ExportedRowsPacker
{
public:
    ExportedRowsPacker(const QList<QByteArray> &fieldNames, const QByteArray &settings);

    // Adds a row from its values, one for each field name, in their order.
    template <typename ValueOf>
    void addRow(ValueOf valueOf)
    {
        for (int field = 0; field < fields_; ++field) {
            appendValue(valueOf(field));
        }
        ++rows_;
        if (used_ >= flushAt) {
            flush();
        }
    }
    int rowCount() const { return rows_; }
    // The packed rows; empty when packing failed.
    QByteArray finish();

private:
    static constexpr qsizetype flushAt = 1 << 20;
    void appendValue(QByteArrayView value);
    void flush();

    int fields_;
    int rows_ = 0;
    QByteArray staging_;
    qsizetype used_ = 0;
    Packing::Packer packer_;
};
