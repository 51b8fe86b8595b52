#include "productlabels/ProductImport.h"

#include "app/ServerExchange.h"
#include "components/Big5.h"
#include "productlabels/ProductReplyFields.h"

ImportOutcome runProductImport(ServerExchange &exchange, const ProductConditions &conditions,
                               const ExpansionValues &expansion, ReplyRecordSink &sink,
                               const std::function<void(int rowsAdded)> &progress)
{
    FillOptions options;
    if (!conditions.isquan) {
        options.countOverride = conditions.count;
    }
    options.progress = progress;
    ImportOutcome outcome =
        runQueueImport(exchange, productImportScript, productImportRequest(conditions, exchange.settings(), expansion),
                       ProductReplyFields::shape(), sink, options, QString::fromUtf8(productImportDoneText));
    if (outcome.kind == ImportOutcome::Kind::NoData) {
        outcome.message = Big5::decode(outcome.firstLine) + QString::fromUtf8(noMatchingDataText);
    }
    return outcome;
}
