#pragma once

#include "labelqueue/QueueSide.h"
#include "labelqueue/ReplyRecord.h"

#include <QString>

#include <functional>
#include <optional>

class ServerReply;

struct FillOptions {
    // The product import's label count: when set, every row's QUAN becomes it
    // (the reply's quantity must still be a number).
    std::optional<double> countOverride;
    // Called with the rows stored so far, every progressInterval rows and once at the end.
    std::function<void(int rowsAdded)> progress;
    int progressInterval = 1000;
};

struct FillResult {
    int rowsAdded = 0;
    QString error; // empty when the whole reply was stored
    bool ok() const { return error.isEmpty(); }
};

// Turns the records of a "DataOk" reply (from line 1 to "EOT"), each shaped
// as side says, into queue rows, committing each at its separator line, so every finished record is
// in the table before the next begins. A malformed reply stops the filling
// with a message naming the record (counted from 1) and the value; the rows
// committed before it stay and the record being read is dropped:
// - a quantity that is no number (DecimalText::parse), empty included;
// - a numeric field value that is no number (an empty one is no value);
// - more values before a separator than the side's record holds;
// - values after the last separator when "EOT" (or the reply's end) comes.
// A separator with no values before it is skipped. The sink's refusal (a
// number too wide for its field, a full disk) stops the filling the same way.
// The sink's table is held for the whole filling and synced once at its end.
FillResult fillQueueFromReply(const ServerReply &reply, ReplyRecordSink &sink, const QueueSide &side,
                              const FillOptions &options = {});
