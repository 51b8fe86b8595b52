#include "productlabels/ProductImport.h"

#include "app/ServerExchange.h"
#include "components/Big5.h"

namespace {
ProductImportOutcome postAndFill(ServerExchange &exchange, const QueueImport &import, ProductQueueSink &sink,
                                 const std::function<void(int rowsAdded)> &progress)
{
    ProductImportOutcome outcome;
    exchange.setRequestBody(import.request);
    if (!exchange.Post(QString::fromLatin1(import.script))) {
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
    options.countOverride = import.countOverride;
    options.shape = import.shape;
    options.progress = progress;
    const FillResult filled = FillQueueFromReply(reply, sink, options);
    outcome.rowsAdded = filled.rowsAdded;
    if (!filled.ok()) {
        outcome.kind = ProductImportOutcome::Kind::FillFailed;
        outcome.message = import.name + QStringLiteral("中斷: ") + filled.error +
                          QStringLiteral("\n之前的 %1 筆已存入").arg(filled.rowsAdded);
        return outcome;
    }
    outcome.kind = ProductImportOutcome::Kind::Completed;
    outcome.message = import.doneMessage;
    return outcome;
}
} // namespace

ProductImportOutcome runQueueImport(ServerExchange &exchange, const QueueImport &import, ProductQueueSink &sink,
                                    const std::function<void(int rowsAdded)> &progress)
{
    const QString refused = sink.beginImport();
    if (!refused.isEmpty()) {
        ProductImportOutcome outcome;
        outcome.kind = ProductImportOutcome::Kind::QueueInUse;
        outcome.message = refused;
        return outcome;
    }
    ProductImportOutcome outcome = postAndFill(exchange, import, sink, progress);
    const QString unsynced = sink.endImport();
    if (!unsynced.isEmpty() && outcome.rowsAdded > 0) {
        outcome.kind = ProductImportOutcome::Kind::FillFailed;
        outcome.message = unsynced + QStringLiteral("\n已寫入 %1 筆").arg(outcome.rowsAdded);
    }
    return outcome;
}

ProductImportOutcome runProductImport(ServerExchange &exchange, const ProductConditions &conditions,
                                      const ExpansionValues &expansion, ProductQueueSink &sink,
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
    return runQueueImport(exchange, import, sink, progress);
}
