#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <array>
#include <bitset>
#include <optional>

// What one record of an import reply holds: the value at position n goes to
// the queue field named at n (names match the table's field names without
// regard to case); numeric positions are stored as numbers. Position 0 is
// always the quantity QUAN.
struct ReplyRecordShape {
    static constexpr int maxValues = 37;

    QList<QByteArray> names;
    std::bitset<maxValues> numeric;
    QString recordNoun; // how messages name a record: "產品資料", "客戶資料"

    int count() const { return int(names.size()); }
    bool isNumeric(int position) const { return numeric.test(std::size_t(position)); }
};

// One finished record of an import reply, ready to become a queue row. The
// texts point into the reply, which outlives the record.
struct ReplyRecord {
    int number = 0;     // 1 for the reply's first record
    int valueCount = 0; // values received; the fields after them stay empty
    // Position 0 holds QUAN's text as received; text fields their text, uncut.
    std::array<QByteArrayView, ReplyRecordShape::maxValues> texts;
    // QUAN (the count override when one was given) and the numeric fields;
    // empty where the value was empty or not received.
    std::array<std::optional<double>, ReplyRecordShape::maxValues> numbers;

    void clear(int recordNumber);
};

// Where FillQueueFromReply puts finished records: a label queue in the
// program, a list in tests.
class ReplyRecordSink
{
public:
    virtual ~ReplyRecordSink() = default;
    // Commits one row built from record: text fields cut to their width in
    // the table, numeric fields as numbers, fields the record lacks empty.
    // Returns an empty text, or why the row was not stored (it is then not in
    // the table at all).
    virtual QString append(const ReplyRecord &record) = 0;
};
