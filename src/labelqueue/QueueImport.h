#pragma once

#include "labelqueue/FillQueueFromReply.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class ServerExchange;

inline constexpr char noMatchingDataText[] = "沒有符合條件的資料!!";

// How an accepted import into a label queue ended. The window shows message
// through showMessageWindow when it is not empty; the command line prints it.
struct ImportOutcome {
    enum class Kind {
        QueueInUse,     // another writer holds the table (or it cannot be held): nothing sent
        ExchangeFailed, // nothing stored; exchangeFailureMessage() says why, the message when no server is set
        NoData,         // the reply's first line and "沒有符合條件的資料!!"
        Completed,      // the import's completion message
        FillFailed,     // a malformed reply, a refused row or a failed sync; rows before it stay
    };
    Kind kind = Kind::ExchangeFailed;
    int rowsAdded = 0;
    QString message;
};

// One import into a side's queue, as every import button runs it.
struct QueueImport {
    QByteArray script;
    QByteArray request;
    QString name;        // "產品資料引入": names a break-off
    QString doneMessage; // shown when the whole reply is stored
    // Replaces every row's quantity (the product import's count); otherwise
    // each row keeps the reply's quantity.
    std::optional<double> countOverride;
};

// Posts the request and appends one row per reply record, shaped as side
// says, to sink, after the rows already in the queue. The sink holds its
// table from before the request (a table in use is told at once, not after
// the download) until the last row is on the disk.
ImportOutcome runQueueImport(ServerExchange &exchange, const QueueImport &import, const QueueSide &side,
                             ReplyRecordSink &sink, const std::function<void(int rowsAdded)> &progress = {});
