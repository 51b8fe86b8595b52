#include "exchange/ExchangeEnvelope.h"

#include "components/DateFormats.h"

namespace ExchangeEnvelope {

ServerProblem serverProblem(const QByteArray &server)
{
    if (server.isEmpty() || server.startsWith('/')) {
        return ServerProblem::Missing;
    }
    for (const char c : server) {
        if (uchar(c) < 0x20 || c == 0x7F) {
            return ServerProblem::ControlCharacter;
        }
    }
    if (server.contains('#') || server.contains('?')) {
        return ServerProblem::QueryOrFragment;
    }
    return ServerProblem::None;
}

QString serverProblemNotice(ServerProblem problem)
{
    switch (problem) {
    case ServerProblem::None:
        break;
    case ServerProblem::Missing:
        return QStringLiteral("SysSet.ini 的 SERVER 沒有主機位址");
    case ServerProblem::ControlCharacter:
        return QStringLiteral("SysSet.ini 的 SERVER 含換行或 NUL 等控制字元");
    case ServerProblem::QueryOrFragment:
        return QStringLiteral("SysSet.ini 的 SERVER 含 # 或 ?，程式名稱會被截掉");
    }
    return {};
}

QString serverProblemReason(ServerProblem problem)
{
    switch (problem) {
    case ServerProblem::None:
        break;
    case ServerProblem::Missing:
        return QStringLiteral("no server to ask: SERVER in section [SETTING] of SysSet.ini is missing, empty or "
                              "unreadable (or give --server); nothing was sent");
    case ServerProblem::ControlCharacter:
        return QStringLiteral("SERVER in section [SETTING] of SysSet.ini (or --server) holds a control character "
                              "such as a NUL or a line break; nothing was sent");
    case ServerProblem::QueryOrFragment:
        return QStringLiteral("SERVER in section [SETTING] of SysSet.ini (or --server) holds a \"#\" or \"?\", "
                              "which would cut the script's name off the address; nothing was sent");
    }
    return {};
}

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
