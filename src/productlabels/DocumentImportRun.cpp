#include "productlabels/DocumentImportRun.h"

#include "exchange/ServerExchange.h"
#include "productlabels/DocumentRequest.h"
#include "productlabels/ProductQueueTable.h"

ImportOutcome runDocumentImport(ServerExchange &exchange, DocumentImport import, const DocumentConditions &conditions,
                                const ExpansionValues &expansion, ReplyRecordSink &sink,
                                const std::function<void(int rowsAdded)> &progress)
{
    const DocumentImportTraits &traits = documentImportTraits(import);
    QueueImport run;
    run.script = traits.script;
    run.request = documentImportRequest(import, conditions, exchange.settings(), expansion);
    run.name = QString::fromUtf8(traits.importName);
    run.doneMessage = documentImportDoneMessage(import, conditions.kind);
    return runQueueImport(exchange, run, ProductQueueTable::side(), sink, progress);
}
