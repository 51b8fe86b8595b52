#pragma once

#include "customerlabels/CustomerConditions.h"
#include "labelqueue/QueueImport.h"

#include <functional>

class ServerExchange;

inline constexpr char customerImportScript[] = "qelvocust2seek.php";
inline constexpr char customerImportName[] = "客戶資料引入";
inline constexpr char customerImportDoneText[] = "客戶資料引入完成";

// Posts the request built from conditions (the birthday window counted from
// today) to "qelvocust2seek.php" and appends one row per 12-line record to
// sink, the copies replacing each quantity only when above 1. A reply other
// than "DataOk" ends quietly (NoData without a message); Completed carries
// "客戶資料引入完成".
ImportOutcome runCustomerImport(ServerExchange &exchange, const CustomerConditions &conditions, const QDate &today,
                                ReplyRecordSink &sink, const std::function<void(int rowsAdded)> &progress = {});
