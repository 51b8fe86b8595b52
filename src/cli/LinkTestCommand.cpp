#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/ExchangeReport.h"
#include "exchange/ServerExchange.h"

namespace {
int linkTest(CommandContext &context, const QStringList &)
{
    ServerExchange &exchange = context.exchange;
    const bool ok = exchange.linkTest();
    Console::out(exchange.statusLine());
    Console::outBig5(exchange.reply().lineView(0));
    if (!ok) {
        Console::err(QStringLiteral("link test failed: ") + exchangeFailure(exchange));
        return ExitCode::failed;
    }
    return ExitCode::ok;
}
} // namespace

Command linkTestCommand()
{
    return {{QStringLiteral("linktest")}, {}, QStringLiteral("test the connection to the server"), 0, 0, linkTest};
}
