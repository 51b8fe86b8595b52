#pragma once

#include "productlabels/FillQueueFromReply.h"
#include "productlabels/ProductConditions.h"

#include <QByteArray>
#include <QString>

#include <optional>

class ServerExchange;

inline constexpr char productImportScript[] = "qelvoitemseek.php";
inline constexpr char noMatchingDataText[] = "沒有符合條件的資料!!";
inline constexpr char productImportName[] = "產品資料引入";
inline constexpr char productImportDoneText[] = "產品資料引入完成";

// How an accepted import into the product queue ended. The window shows
// message through showMessageWindow when it is not empty; the command line prints it.
struct ProductImportOutcome {
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

// One import into the product queue, as every import button runs it.
struct QueueImport {
    QByteArray script;
    QByteArray request;
    QString name;        // "產品資料引入": names a break-off
    QString doneMessage; // shown when the whole reply is stored
    // Replaces every row's quantity (the product import's count); otherwise
    // each row keeps the reply's quantity.
    std::optional<double> countOverride;
    // The reply's record; the product record when null.
    const ReplyShape *shape = nullptr;
};

// Posts the request and appends one row per reply record to sink, after the
// rows already in the queue. The sink holds its table from before the request
// (a table in use is told at once, not after the download) until the last row
// is on the disk.
ProductImportOutcome runQueueImport(ServerExchange &exchange, const QueueImport &import, ProductQueueSink &sink,
                                    const std::function<void(int rowsAdded)> &progress = {});

// The product import: the request built from conditions and the exchange's
// current link settings, to "qelvoitemseek.php"; the count of the conditions
// replaces each quantity unless isquan is ticked.
ProductImportOutcome runProductImport(ServerExchange &exchange, const ProductConditions &conditions,
                                      const ExpansionValues &expansion, ProductQueueSink &sink,
                                      const std::function<void(int rowsAdded)> &progress = {});
