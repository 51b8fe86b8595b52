#include "productlabels/ProductImport.h"

#include "app/ServerExchange.h"
#include "components/Big5.h"

ProductImportOutcome runProductImport(ServerExchange &exchange, const ProductConditions &conditions,
                                      const ExpansionValues &expansion, ProductQueueSink &sink,
                                      const std::function<void(int rowsAdded)> &progress)
{
    ProductImportOutcome outcome;
    exchange.setRequestBody(productImportRequest(conditions, exchange.settings(), expansion));
    if (!exchange.Post(QString::fromLatin1(productImportScript))) {
        outcome.kind = ProductImportOutcome::Kind::ExchangeFailed;
        outcome.message = ExchangeEnvelope::serverProblemNotice(exchange.lastResult().serverProblem);
        return outcome;
    }
    const ServerReply &reply = exchange.reply();
    const QByteArray first = reply.line(0);
    if (first != "DataOk") {
        outcome.kind = ProductImportOutcome::Kind::NoData;
        outcome.message = Big5::decode(first) + QString::fromUtf8(noMatchingDataText);
        return outcome;
    }
    FillOptions options;
    if (!conditions.isquan) {
        options.countOverride = conditions.count;
    }
    options.progress = progress;
    const FillResult filled = FillQueueFromReply(reply, sink, options);
    outcome.rowsAdded = filled.rowsAdded;
    if (!filled.ok()) {
        outcome.kind = ProductImportOutcome::Kind::FillFailed;
        outcome.message = QStringLiteral("產品資料引入中斷: ") + filled.error +
                          QStringLiteral("\n之前的 %1 筆已存入").arg(filled.rowsAdded);
        return outcome;
    }
    outcome.kind = ProductImportOutcome::Kind::Completed;
    outcome.message = QString::fromUtf8(productImportDoneText);
    return outcome;
}
