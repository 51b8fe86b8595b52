#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

// One finished record of an import reply, ready to become a queue row. Its
// values are in reply order (see QueueSide::replyFields); the texts point
// into the reply, which outlives the record.
struct ReplyRecord {
    int number = 0;     // 1 for the reply's first record
    int valueCount = 0; // values received; the fields after them stay empty
    // Position 0 holds the quantity's text as received; text fields their text, uncut.
    std::vector<QByteArrayView> texts;
    // The quantity (the count override when one was given) and the numeric
    // fields; empty where the value was empty or not received.
    std::vector<std::optional<double>> numbers;

    // Starts the record numbered recordNumber with room for values values.
    void clear(int recordNumber, int values);
};

// Where fillQueueFromReply puts finished records: a label queue in the
// program, a list in tests.
class ReplyRecordSink
{
public:
    virtual ~ReplyRecordSink() = default;
    // Commits one row built from record: text fields cut to their width in
    // the table, numeric fields as numbers, the fields no reply value fills
    // empty. Returns an empty text, or why the row was not stored (it is then
    // not in the table at all).
    virtual QString append(const ReplyRecord &record) = 0;
    // Around a whole import, before anything is sent: the queue's table is
    // held for this import alone (another writer is refused at once) and put
    // on the disk once at the end. Each returns an empty text, or why not.
    virtual QString beginImport() { return QString(); }
    virtual QString endImport() { return QString(); }
};
