#include "app/ExchangeEnvelope.h"

#include "components/DateFormats.h"

namespace ExchangeEnvelope {

QByteArray address(const QByteArray &server, const QByteArray &script)
{
    QByteArray url = QByteArrayLiteral("http://") + server;
    if (!url.endsWith('/')) {
        url += '/';
    }
    return url + script;
}

WireBody wireBody(const QByteArray &requestBody)
{
    WireBody wire;
    wire.bytes.reserve(requestBody.size() + 2);
    for (qsizetype i = 0; i < requestBody.size(); ++i) {
        const char c = requestBody.at(i);
        if (c == '\r' || c == '\n') {
            wire.bytes += "\r\n";
            if (c == '\r' && i + 1 < requestBody.size() && requestBody.at(i + 1) == '\n') {
                ++i;
            }
        } else {
            wire.bytes += c;
        }
    }
    if (wire.bytes.isEmpty()) {
        return wire;
    }
    // A break at the very end closes the last line rather than starting a new one.
    if (!wire.bytes.endsWith("\r\n")) {
        wire.bytes += "\r\n";
    }
    wire.contentLength = wire.bytes.size() - 2;
    return wire;
}

bool isComplete(const ServerReply &reply)
{
    const QByteArrayView first = reply.lineView(0);
    if (first == "NoData") {
        return true;
    }
    return first == "DataOk" && reply.lineView(reply.count() - 1) == "EOT";
}

quint32 elapsedTicks(quint32 start, quint32 end)
{
    return end - start;
}

QString statusLine(const QDateTime &at, Outcome outcome, quint32 elapsedMs)
{
    QString text = QStringLiteral("最近通訊時間 : ") + DateFormats::dateTime(at);
    switch (outcome) {
    case Outcome::Complete:
        return text + QStringLiteral(" 成功      耗資時間(ms) :") + QString::number(elapsedMs);
    case Outcome::Incomplete:
        return text + QStringLiteral(" 資料不完整");
    case Outcome::TransportFailed:
        break;
    }
    return text + QStringLiteral(" 失敗");
}

} // namespace ExchangeEnvelope
