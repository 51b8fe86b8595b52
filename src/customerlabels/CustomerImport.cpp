#include "customerlabels/CustomerImport.h"

#include "customerlabels/CustomerQueueTable.h"
#include "exchange/ServerExchange.h"

ImportOutcome runCustomerImport(ServerExchange &exchange, const CustomerConditions &conditions, const QDate &today,
                                ReplyRecordSink &sink, const std::function<void(int rowsAdded)> &progress)
{
    QueueImport import;
    import.script = customerImportScript;
    import.request = customerImportRequest(conditions, exchange.settings(), today);
    import.name = QString::fromUtf8(customerImportName);
    import.doneMessage = QString::fromUtf8(customerImportDoneText);
    import.countOverride = customerCountOverride(conditions);
    ImportOutcome outcome = runQueueImport(exchange, import, CustomerQueueTable::side(), sink, progress);
    if (outcome.kind == ImportOutcome::Kind::NoData) {
        outcome.message.clear();
    }
    return outcome;
}
