#pragma once

#include "exchange/LinkSettings.h"

#include <QByteArray>

// How each product-side import puts the branch choice into the start of its
// request, after the link start every request has.
namespace RequestStart {

// bran_no is the typed or chosen branch only for the own code "A", and only
// when that text is neither empty nor "A".
QByteArray productImport(const LinkSettings &link, const QByteArray &priceBranchText);
// mbran and cbran are always sent, possibly empty.
QByteArray purchaseImport(const LinkSettings &link, const QByteArray &mbran, const QByteArray &cbran);
QByteArray transferOutImport(const LinkSettings &link, const QByteArray &mbran, const QByteArray &cbran);
// mbran only when chosen.
QByteArray stockTakeImport(const LinkSettings &link, const QByteArray &mbran);
// kindKey is the document kind's whole key, such as "&kind=A".
QByteArray documentImport(const LinkSettings &link, const QByteArray &kindKey, const QByteArray &mbran,
                          const QByteArray &cbran);

} // namespace RequestStart
