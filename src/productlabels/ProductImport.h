#pragma once

#include "productlabels/ProductConditions.h"
#include "productlabels/QueueImport.h"

#include <QString>

#include <functional>

class ServerExchange;

inline constexpr char productImportScript[] = "qelvoitemseek.php";
inline constexpr char noMatchingDataText[] = "沒有符合條件的資料!!";
inline constexpr char productImportDoneText[] = "產品資料引入完成";

// Posts the request built from conditions and the exchange's current link
// settings to "qelvoitemseek.php" and appends one row per reply record to
// sink; the count of the conditions replaces each quantity unless isquan is
// ticked. NoData carries the reply's first line and "沒有符合條件的資料!!";
// Completed "產品資料引入完成".
ImportOutcome runProductImport(ServerExchange &exchange, const ProductConditions &conditions,
                               const ExpansionValues &expansion, ReplyRecordSink &sink,
                               const std::function<void(int rowsAdded)> &progress = {});
