#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>
#include <vector>

// The rows of one export as they went out: each row's values (the stored
// Big5 text, numbers as the table holds them) under the queue's field names,
// with the output settings in force, so the rows can be shown and put back
// in a queue later. Kept packed: an export may hold 100,000 rows.
class ExportedRows
{
public:
    ExportedRows() = default;
    ExportedRows(QList<QByteArray> fieldNames, QByteArray settings);

    const QList<QByteArray> &fieldNames() const { return fieldNames_; }
    // "key=value" lines in the settings file's own form.
    const QByteArray &settings() const { return settings_; }

    // Adds a row from its values, one for each field name, in their order.
    template <typename ValueOf>
    void addRow(ValueOf valueOf)
    {
        rowStarts_.push_back(rows_.size());
        for (int field = 0; field < fieldNames_.size(); ++field) {
            appendValue(valueOf(field));
        }
    }
    int rowCount() const { return int(rowStarts_.size()); }
    QByteArrayView value(int row, int field) const;

    QByteArray packed() const;
    // Empty when the bytes are not rows this class packed.
    static std::optional<ExportedRows> fromPacked(const QByteArray &packed);

private:
    void appendValue(QByteArrayView value);

    QList<QByteArray> fieldNames_;
    QByteArray settings_;
    QByteArray rows_; // each value: its length (one byte below 255, else 255 and four bytes), then its bytes
    std::vector<qsizetype> rowStarts_;
};
