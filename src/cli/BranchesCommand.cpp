#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/ExchangeReport.h"
#include "components/Big5.h"
#include "exchange/BranchList.h"
#include "exchange/ServerExchange.h"

namespace {
int branches(CommandContext &context, const QStringList &)
{
    ServerExchange &exchange = context.exchange;
    const BranchList::Choices choices = BranchList::fetch(exchange, BranchList::Style::CodesOnly);
    // The import dialogs open on an empty list after a failed exchange; here
    // that would look like a branch with no rights, so it is an error.
    if (exchange.lastResult().outcome != ExchangeEnvelope::Outcome::Complete) {
        Console::err(QStringLiteral("branch list failed: ") + exchangeFailure(exchange));
        return ExitCode::failed;
    }
    for (const QByteArray &code : choices.entries) {
        Console::outBig5(code);
    }
    if (choices.entries.isEmpty()) {
        Console::err(QStringLiteral("the server lists no branch that %1 may choose")
                         .arg(Big5::decode(exchange.settings().branch)));
    }
    return ExitCode::ok;
}
} // namespace

Command branchesCommand()
{
    return {{QStringLiteral("branches")},
            {},
            QStringLiteral("list the branch codes this branch may choose"),
            0,
            0,
            branches};
}
