#pragma once

#include "productlabels/ProductReplyRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

class ServerReply;

// A record of another queue's reply, filled into the same ProductReplyRecord
// positions: its first value is the quantity, like the product record's.
struct ReplyShape {
    QList<QByteArray> names; // by position, for messages
    QList<int> numeric;      // positions after the quantity that hold numbers
    QString recordNoun;      // how messages name a record: "客戶資料"
};

struct FillOptions {
    // The product import's label count: when set, every row's QUAN becomes it
    // (the reply's quantity must still be a number).
    std::optional<double> countOverride;
    // Called with the rows stored so far, every progressInterval rows and once at the end.
    std::function<void(int rowsAdded)> progress;
    int progressInterval = 1000;
    // The record of the reply; the product record of ProductReplyFields when null.
    const ReplyShape *shape = nullptr;
};

struct FillResult {
    int rowsAdded = 0;
    QString error; // empty when the whole reply was stored
    bool ok() const { return error.isEmpty(); }
};

// Turns the records of a "DataOk" reply (from line 1 to "EOT") into queue
// rows, committing each at its separator line, so every finished record is
// in the table before the next begins. A malformed reply stops the filling
// with a message naming the record (counted from 1) and the value; the rows
// committed before it stay and the record being read is dropped:
// - a quantity that is no number (DecimalText::parse), empty included;
// - a numeric field value that is no number (an empty one is no value);
// - more values before a separator than the record holds (37 for products);
// - values after the last separator when "EOT" (or the reply's end) comes.
// A separator with no values before it is skipped. The sink's refusal (a
// number too wide for its field, a full disk) stops the filling the same way.
// The sink's table is held for the whole filling and synced once at its end.
FillResult FillQueueFromReply(const ServerReply &reply, ProductQueueSink &sink, const FillOptions &options = {});
