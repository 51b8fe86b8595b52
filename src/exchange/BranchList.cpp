#include "exchange/BranchList.h"

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

Choices fetch(ServerExchange &exchange, Style style)
{
    const LinkSettings link = exchange.settings();
    if (exchange.isBusy()) {
        return fromReply(ServerReply(), link.branch, style);
    }
    exchange.setRequestBody(RequestText::linkStart(link));
    if (!exchange.post(QString::fromLatin1(script))) {
        return fromReply(ServerReply(), link.branch, style);
    }
    return fromReply(exchange.reply(), link.branch, style);
}

} // namespace BranchList
