#include "customerlabels/CustomerImport.h"

#include "app/ServerExchange.h"
#include "customerlabels/CustomerQueueTable.h"

ImportOutcome runCustomerImport(ServerExchange &exchange, const CustomerConditions &conditions, const QDate &today,
                                ReplyRecordSink &sink, const std::function<void(int rowsAdded)> &progress)
{
    FillOptions options;
    options.countOverride = customerCountOverride(conditions);
    options.progress = progress;
    return runQueueImport(exchange, customerImportScript, customerImportRequest(conditions, exchange.settings(), today),
                          CustomerQueueTable::replyShape(), sink, options, QString::fromUtf8(customerImportDoneText));
}
