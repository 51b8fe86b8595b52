#pragma once

#include "productlabels/FillQueueFromReply.h"
#include "productlabels/ProductConditions.h"

#include <QString>

class ServerExchange;

inline constexpr char productImportScript[] = "qelvoitemseek.php";
inline constexpr char noMatchingDataText[] = "沒有符合條件的資料!!";
inline constexpr char productImportDoneText[] = "產品資料引入完成";

// How an accepted product import ended. The window shows message through
// Msg3dShow when it is not empty; the command line prints it.
struct ProductImportOutcome {
    enum class Kind {
        ExchangeFailed, // nothing stored; exchangeFailureMessage() says why
        NoData,         // the reply's first line and "沒有符合條件的資料!!"
        Completed,      // "產品資料引入完成"
        FillFailed,     // a malformed reply or a refused row; rows before it stay
    };
    Kind kind = Kind::ExchangeFailed;
    int rowsAdded = 0;
    QString message;
};

// Posts the request built from conditions and the exchange's current link
// settings to "qelvoitemseek.php" and appends one row per reply record to
// sink; the count of the conditions replaces each quantity unless isquan is
// ticked. Rows are appended after those already in the queue.
ProductImportOutcome runProductImport(ServerExchange &exchange, const ProductConditions &conditions,
                                      const ExpansionValues &expansion, ProductQueueSink &sink,
                                      const std::function<void(int rowsAdded)> &progress = {});
