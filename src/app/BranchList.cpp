#include "app/BranchList.h"

#include "app/ServerExchange.h"

namespace {
const QByteArray separator = QByteArrayLiteral("---------------------");

QByteArray linkStart(const QByteArray &branch, const QByteArray &password)
{
    return QByteArrayLiteral("bran_no=") + branch + QByteArrayLiteral("&link_pass=") + password;
}
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
    exchange.setRequestBody(linkStart(link.branch, link.password));
    if (!exchange.Post(QString::fromLatin1(script))) {
        return fromReply(ServerReply(), link.branch, style);
    }
    return fromReply(exchange.reply(), link.branch, style);
}

} // namespace BranchList

namespace BranchRequest {

QByteArray productImport(const LinkSettings &link, const QByteArray &priceBranchText)
{
    const bool otherBranch = link.branch == "A" && !priceBranchText.isEmpty() && priceBranchText != "A";
    return linkStart(otherBranch ? priceBranchText : link.branch, link.password);
}

QByteArray purchaseImport(const LinkSettings &link, const QByteArray &mbran, const QByteArray &cbran)
{
    return linkStart(link.branch, link.password) + QByteArrayLiteral("&mbran=") + mbran + QByteArrayLiteral("&cbran=") +
           cbran;
}

QByteArray transferOutImport(const LinkSettings &link, const QByteArray &mbran, const QByteArray &cbran)
{
    return purchaseImport(link, mbran, cbran);
}

QByteArray stockTakeImport(const LinkSettings &link, const QByteArray &mbran)
{
    QByteArray start = linkStart(link.branch, link.password);
    if (!mbran.isEmpty()) {
        start += QByteArrayLiteral("&mbran=") + mbran;
    }
    return start;
}

QByteArray documentImport(const LinkSettings &link, const QByteArray &kindKey, const QByteArray &mbran,
                          const QByteArray &cbran)
{
    return linkStart(link.branch, link.password) + kindKey + QByteArrayLiteral("&mbran=") + mbran +
           QByteArrayLiteral("&cbran=") + cbran;
}

QByteArray customerImport(const LinkSettings &link)
{
    return linkStart(link.branch, link.password);
}

QByteArray customerBranchCondition(const QByteArray &branchText)
{
    const QByteArray branch = branchText.trimmed();
    return branch.isEmpty() ? QByteArray() : QByteArrayLiteral("&tbran=") + branch;
}

} // namespace BranchRequest
