#include "exchange/ExchangeFailureText.h"

#include "components/Big5.h"
#include "exchange/ServerExchange.h"

QString exchangeFailureReason(const ServerExchange &exchange)
{
    return exchangeFailureReason(exchange.lastResult(), exchange.reply(), Big5::decode(exchange.settings().server));
}

QString exchangeFailureReason(const ServerExchange::Result &result, const ServerReply &reply, const QString &server)
{
    using ExchangeEnvelope::Outcome;
    switch (result.outcome) {
    case Outcome::Complete:
        return QString();
    case Outcome::Incomplete: {
        const QByteArray first = reply.line(0);
        if (reply.count() == 0 || (reply.count() == 1 && first.isEmpty())) {
            return QStringLiteral("主機 %1 沒有回應任何資料").arg(server);
        }
        if (first == "DataOk") {
            return QStringLiteral("主機回應的資料不完整（最後一行不是 EOT）");
        }
        return QStringLiteral("主機回應：") + Big5::decode(first);
    }
    case Outcome::TransportFailed:
        break;
    }
    using Failure = HttpPost::Failure;
    switch (result.failure) {
    case Failure::NoServer:
        return ExchangeEnvelope::serverProblemNotice(result.serverProblem);
    case Failure::Refused:
        return QStringLiteral("主機 %1 拒絕連線").arg(server);
    case Failure::TimedOut:
        return QStringLiteral("主機 %1 連線逾時").arg(server);
    case Failure::NameNotFound:
        return QStringLiteral("找不到主機 %1").arg(server);
    case Failure::HttpStatus:
        return result.httpStatus > 0 ? QStringLiteral("主機回應 HTTP 狀態 %1").arg(result.httpStatus)
                                     : QStringLiteral("主機回應錯誤：") + result.reason;
    case Failure::BodyTooLarge:
        return QStringLiteral("主機回應的資料過大：") + result.reason;
    case Failure::Cancelled:
        return QStringLiteral("通訊已取消");
    case Failure::Compressed:
        return QStringLiteral(
                   "主機送回壓縮過的資料（Content-Encoding: %1），本程式無法讀取：請主機或代理伺服器關閉壓縮")
            .arg(result.contentEncoding);
    case Failure::Spool:
        return QStringLiteral("主機回應無法暫存（請清出暫存目錄所在磁碟的空間）：") + result.reason;
    case Failure::None:
    case Failure::Network:
        break;
    }
    return QStringLiteral("網路錯誤：") + (result.reason.isEmpty() ? QStringLiteral("沒有回應") : result.reason);
}

QString exchangeFailureMessage(const ServerExchange &exchange)
{
    return exchange.statusLine() + QLatin1Char('\n') + exchangeFailureReason(exchange);
}
