#include "cli/ImportReport.h"

#include "app/ServerExchange.h"
#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/ExchangeReport.h"
#include "productlabels/QueueImport.h"

int reportImport(CommandContext &context, const QString &command, const ImportOutcome &outcome,
                 const QString &tableFileName)
{
    const QString added = QStringLiteral("%1 rows added to %2").arg(outcome.rowsAdded).arg(tableFileName);
    switch (outcome.kind) {
    case ImportOutcome::Kind::ExchangeFailed:
        Console::err(context.exchange.statusLine());
        Console::err(command + QStringLiteral(" failed: ") + exchangeFailure(context.exchange));
        return ExitCode::failed;
    case ImportOutcome::Kind::NoData:
    case ImportOutcome::Kind::Completed:
        if (!outcome.message.isEmpty()) {
            Console::out(outcome.message);
        }
        Console::out(added);
        return ExitCode::ok;
    case ImportOutcome::Kind::FillFailed:
        Console::err(outcome.message);
        Console::out(added);
        return ExitCode::failed;
    }
    return ExitCode::failed;
}
