#pragma once

#include "app/LinkSettings.h"
#include "app/ServerReply.h"

#include <QByteArray>
#include <QList>

class ServerExchange;

// The branch codes every import offers before its conditions dialog opens.
// Only the own code "A" may choose among all branches; any other store is
// offered its own code alone.
namespace BranchList {

inline constexpr char script[] = "qelvobranseek.php";

enum class Style {
    // Branch codes only. The product dialog's editable list keeps its typed text itself.
    CodesOnly,
    // An empty first entry meaning any branch, always the selected one (customer import).
    LeadingEmptyEntry,
};

struct Choices {
    QList<QByteArray> entries;
    qsizetype selected = -1; // index into entries; -1 for no selection
};

// Walks a complete "DataOk" reply; any other reply gives no codes.
Choices fromReply(const ServerReply &reply, const QByteArray &ownCode, Style style);

// Asks the server with the exchange's current settings. A failed exchange or a
// reply other than "DataOk" gives no codes and no message: the dialog opens anyway.
Choices fetch(ServerExchange &exchange, Style style);

} // namespace BranchList

// How each import puts the branch choice into the start of its request.
namespace BranchRequest {

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
QByteArray customerImport(const LinkSettings &link);
// The customer import's "&tbran=" condition: the chosen text without blanks at
// either end, or nothing when no branch is chosen.
QByteArray customerBranchCondition(const QByteArray &branchText);

} // namespace BranchRequest
