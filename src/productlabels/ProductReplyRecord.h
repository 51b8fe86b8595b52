#pragma once

#include "productlabels/ProductReplyFields.h"

#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>

// One finished record of a product import reply, ready to become a queue row.
// The texts point into the reply, which outlives the record.
struct ProductReplyRecord {
    int number = 0;     // 1 for the reply's first record
    int valueCount = 0; // values received; the fields after them stay empty
    // Position 0 holds QUAN's text as received; text fields their text, uncut.
    std::array<QByteArrayView, ProductReplyFields::count> texts;
    // QUAN (the count override when one was given) and the numeric fields;
    // empty where the value was empty or not received.
    std::array<std::optional<double>, ProductReplyFields::count> numbers;

    void clear(int recordNumber);
};

// Where FillQueueFromReply puts finished records: the product label queue
// in the program, a list in tests.
class ProductQueueSink
{
public:
    virtual ~ProductQueueSink() = default;
    // Commits one row built from record: text fields cut to their width in
    // the table, numeric fields as numbers, NOTE2 and SYSDAT empty. Returns
    // an empty text, or why the row was not stored (it is then not in the
    // table at all).
    virtual QString append(const ProductReplyRecord &record) = 0;
    // Around a whole import, before anything is sent: the queue's table is
    // held for this import alone (another writer is refused at once) and put
    // on the disk once at the end. Each returns an empty text, or why not.
    virtual QString beginImport() { return QString(); }
    virtual QString endImport() { return QString(); }
};
