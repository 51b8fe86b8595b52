#include "productlabels/RequestStart.h"

#include "exchange/RequestText.h"

#include <QStringBuilder>

using RequestText::linkStart;

namespace RequestStart {

QByteArray productImport(const LinkSettings &link, const QByteArray &priceBranchText)
{
    const bool otherBranch = link.branch == "A" && !priceBranchText.isEmpty() && priceBranchText != "A";
    return linkStart(otherBranch ? priceBranchText : link.branch, link.password);
}

QByteArray purchaseImport(const LinkSettings &link, const QByteArray &mbran, const QByteArray &cbran)
{
    return linkStart(link) + QByteArrayLiteral("&mbran=") + mbran + QByteArrayLiteral("&cbran=") + cbran;
}

QByteArray transferOutImport(const LinkSettings &link, const QByteArray &mbran, const QByteArray &cbran)
{
    return purchaseImport(link, mbran, cbran);
}

QByteArray stockTakeImport(const LinkSettings &link, const QByteArray &mbran)
{
    QByteArray start = linkStart(link);
    if (!mbran.isEmpty()) {
        start += QByteArrayLiteral("&mbran=") + mbran;
    }
    return start;
}

QByteArray documentImport(const LinkSettings &link, const QByteArray &kindKey, const QByteArray &mbran,
                          const QByteArray &cbran)
{
    return linkStart(link) + kindKey + QByteArrayLiteral("&mbran=") + mbran + QByteArrayLiteral("&cbran=") + cbran;
}

} // namespace RequestStart
