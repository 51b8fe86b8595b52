#include "productlabels/ProductImport.h"

#include "exchange/ServerExchange.h"
#include "productlabels/ProductQueueTable.h"

ImportOutcome runProductImport(ServerExchange &exchange, const ProductConditions &conditions,
                               const ExpansionValues &expansion, ReplyRecordSink &sink,
                               const std::function<void(int rowsAdded)> &progress)
{
    QueueImport import;
    import.script = productImportScript;
    import.request = productImportRequest(conditions, exchange.settings(), expansion);
    import.name = QString::fromUtf8(productImportName);
    import.doneMessage = QString::fromUtf8(productImportDoneText);
    if (!conditions.isquan) {
        import.countOverride = conditions.count;
    }
    return runQueueImport(exchange, import, ProductQueueTable::side(), sink, progress);
}
