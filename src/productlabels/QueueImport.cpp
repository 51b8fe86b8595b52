#include "productlabels/QueueImport.h"

#include "app/ExchangeEnvelope.h"
#include "app/ServerExchange.h"

ImportOutcome runQueueImport(ServerExchange &exchange, const char *script, const QByteArray &request,
                             const ReplyRecordShape &shape, ReplyRecordSink &sink, const FillOptions &options,
                             const QString &doneText)
{
    ImportOutcome outcome;
    exchange.setRequestBody(request);
    if (!exchange.Post(QString::fromLatin1(script))) {
        outcome.kind = ImportOutcome::Kind::ExchangeFailed;
        outcome.message = ExchangeEnvelope::serverProblemNotice(exchange.lastResult().serverProblem);
        return outcome;
    }
    const ServerReply &reply = exchange.reply();
    outcome.firstLine = reply.line(0);
    if (outcome.firstLine != "DataOk") {
        outcome.kind = ImportOutcome::Kind::NoData;
        return outcome;
    }
    const FillResult filled = FillQueueFromReply(reply, shape, sink, options);
    outcome.rowsAdded = filled.rowsAdded;
    if (!filled.ok()) {
        outcome.kind = ImportOutcome::Kind::FillFailed;
        outcome.message = shape.recordNoun + QStringLiteral("引入中斷: ") + filled.error +
                          QStringLiteral("\n之前的 %1 筆已存入").arg(filled.rowsAdded);
        return outcome;
    }
    outcome.kind = ImportOutcome::Kind::Completed;
    outcome.message = doneText;
    return outcome;
}
