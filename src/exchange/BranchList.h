#pragma once

#include "exchange/LinkSettings.h"
#include "exchange/ServerReply.h"

#include <QByteArray>
#include <QList>
#include <QString>

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
    // Why the server offered no branch code ("無法取得分店清單：…"), for the
    // dialog to say so; empty when it offered some.
    QString problem;
};

// Walks a complete "DataOk" reply; any other reply gives no codes.
Choices fromReply(const ServerReply &reply, const QByteArray &ownCode, Style style);

// Asks the server with the exchange's current settings. A failed exchange or a
// reply other than "DataOk" gives no codes and a problem, but no message box:
// the dialog opens anyway.
Choices fetch(ServerExchange &exchange, Style style);

} // namespace BranchList
