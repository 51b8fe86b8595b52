#include "exchange/BranchList.h"

#include "components/Big5.h"
#include "exchange/ExchangeFailureText.h"
#include "exchange/RequestText.h"
#include "exchange/ServerExchange.h"

namespace {
const QByteArray separator = QByteArrayLiteral("---------------------");
} // namespace

namespace BranchList {

Choices fromReply(const ServerReply &reply, const QByteArray &ownCode, Style style)
{
    Choices choices;
    // The customer dialog always opens on "any branch".
    const bool emptyFirst = style == Style::LeadingEmptyEntry;
    if (emptyFirst) {
        choices.entries.append(QByteArray());
        choices.selected = 0;
    }
    if (reply.lineView(0) != "DataOk") {
        return choices;
    }
    const bool mayChooseAny = ownCode == "A";
    for (qsizetype i = 1; i < reply.count(); ++i) {
        const QByteArray code = reply.line(i);
        if (code == "EOT") {
            break;
        }
        if (code == separator || (!mayChooseAny && code != ownCode)) {
            continue;
        }
        choices.entries.append(code);
        if (code == ownCode && !emptyFirst) {
            choices.selected = choices.entries.size() - 1;
        }
    }
    return choices;
}

namespace {

Choices withProblem(Choices choices, const QString &reason)
{
    choices.problem = QStringLiteral("無法取得分店清單：") + reason;
    return choices;
}

} // namespace

Choices fetch(ServerExchange &exchange, Style style)
{
    const LinkSettings link = exchange.settings();
    if (exchange.isBusy()) {
        return withProblem(fromReply(ServerReply(), link.branch, style), QStringLiteral("與主機通訊中"));
    }
    exchange.setRequestBody(RequestText::linkStart(link));
    if (!exchange.post(QString::fromLatin1(script))) {
        return withProblem(fromReply(ServerReply(), link.branch, style), exchangeFailureReason(exchange));
    }
    const ServerReply &reply = exchange.reply();
    Choices choices = fromReply(reply, link.branch, style);
    if (reply.lineView(0) != "DataOk") {
        return withProblem(std::move(choices), QStringLiteral("主機回應：") + Big5::decode(reply.line(0)));
    }
    const qsizetype codes = choices.entries.size() - (style == Style::LeadingEmptyEntry ? 1 : 0);
    if (codes == 0) {
        return withProblem(std::move(choices),
                           QStringLiteral("主機的分店清單沒有本店代號 %1").arg(Big5::decode(link.branch)));
    }
    return choices;
}

} // namespace BranchList
