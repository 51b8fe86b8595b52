#include "customerlabels/CustomerImport.h"

#include "app/ServerExchange.h"
#include "customerlabels/CustomerQueueTable.h"

ProductImportOutcome runCustomerImport(ServerExchange &exchange, const CustomerConditions &conditions,
                                       const QDate &today, ProductQueueSink &sink,
                                       const std::function<void(int rowsAdded)> &progress)
{
    QueueImport import;
    import.script = customerImportScript;
    import.request = customerImportRequest(conditions, exchange.settings(), today);
    import.name = QString::fromUtf8(customerImportName);
    import.doneMessage = QString::fromUtf8(customerImportDoneText);
    import.countOverride = customerCountOverride(conditions);
    import.shape = &CustomerQueueTable::replyShape();
    ProductImportOutcome outcome = runQueueImport(exchange, import, sink, progress);
    if (outcome.kind == ProductImportOutcome::Kind::NoData) {
        outcome.message.clear();
    }
    return outcome;
}
