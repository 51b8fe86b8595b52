#include "labelqueue/QueueImport.h"

#include "components/Big5.h"
#include "exchange/ServerExchange.h"

namespace {
ImportOutcome postAndFill(ServerExchange &exchange, const QueueImport &import, const QueueSide &side,
                          ReplyRecordSink &sink, const std::function<void(int rowsAdded)> &progress)
{
    ImportOutcome outcome;
    exchange.setRequestBody(import.request);
    if (!exchange.post(QString::fromLatin1(import.script))) {
        outcome.kind = ImportOutcome::Kind::ExchangeFailed;
        outcome.message = ExchangeEnvelope::serverProblemNotice(exchange.lastResult().serverProblem);
        return outcome;
    }
    const ServerReply &reply = exchange.reply();
    const QByteArray first = reply.line(0);
    if (first != "DataOk") {
        outcome.kind = ImportOutcome::Kind::NoData;
        outcome.message = Big5::decode(first) + QString::fromUtf8(noMatchingDataText);
        return outcome;
    }
    FillOptions options;
    options.countOverride = import.countOverride;
    options.progress = progress;
    const FillResult filled = fillQueueFromReply(reply, sink, side, options);
    outcome.rowsAdded = filled.rowsAdded;
    if (!filled.ok()) {
        outcome.kind = ImportOutcome::Kind::FillFailed;
        outcome.message = import.name + QStringLiteral("中斷: ") + filled.error +
                          QStringLiteral("\n之前的 %1 筆已存入").arg(filled.rowsAdded);
        return outcome;
    }
    outcome.kind = ImportOutcome::Kind::Completed;
    outcome.message = import.doneMessage;
    return outcome;
}
} // namespace

ImportOutcome runQueueImport(ServerExchange &exchange, const QueueImport &import, const QueueSide &side,
                             ReplyRecordSink &sink, const std::function<void(int rowsAdded)> &progress)
{
    const QString refused = sink.beginImport();
    if (!refused.isEmpty()) {
        ImportOutcome outcome;
        outcome.kind = ImportOutcome::Kind::QueueInUse;
        outcome.message = refused;
        return outcome;
    }
    ImportOutcome outcome = postAndFill(exchange, import, side, sink, progress);
    const QString unsynced = sink.endImport();
    if (!unsynced.isEmpty() && outcome.rowsAdded > 0) {
        outcome.kind = ImportOutcome::Kind::FillFailed;
        outcome.message = unsynced + QStringLiteral("\n已寫入 %1 筆").arg(outcome.rowsAdded);
    }
    return outcome;
}
