#include "cli/ExchangeReport.h"

#include "components/Big5.h"
#include "exchange/ServerExchange.h"

QString exchangeFailure(const ServerExchange &exchange)
{
    const ServerExchange::Result &result = exchange.lastResult();
    if (result.outcome == ExchangeEnvelope::Outcome::TransportFailed) {
        return result.reason.isEmpty() ? QStringLiteral("no reply from the server") : result.reason;
    }
    const QByteArray first = exchange.reply().line(0);
    if (first == "DataOk") {
        return QStringLiteral("the reply was cut short (its last line is not EOT)");
    }
    if (exchange.reply().count() == 0) {
        return QStringLiteral("the server sent an empty reply");
    }
    return QStringLiteral("the server answered: %1").arg(Big5::decode(first));
}
