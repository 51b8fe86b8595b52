#pragma once

#include "labelqueue/QueueImport.h"
#include "productlabels/ProductConditions.h"

#include <QByteArray>
#include <QString>

#include <optional>

class ServerExchange;

inline constexpr char productImportScript[] = "qelvoitemseek.php";
inline constexpr char productImportName[] = "產品資料引入";
inline constexpr char productImportDoneText[] = "產品資料引入完成";

// The product import: the request built from conditions and the exchange's
// current link settings, to "qelvoitemseek.php"; the count of the conditions
// replaces each quantity unless isquan is ticked.
ImportOutcome runProductImport(ServerExchange &exchange, const ProductConditions &conditions,
                               const ExpansionValues &expansion, ReplyRecordSink &sink,
                               const std::function<void(int rowsAdded)> &progress = {});
