#include "cli/CheckReport.h"
#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/MatchingRows.h"
#include "cli/ProductCommandFiles.h"
#include "customerlabels/CustomerLabelCheck.h"
#include "customerlabels/CustomerQueueTable.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueAccess.h"

namespace {
int checkCustomers(CommandContext &context, const QStringList &arguments)
{
    QStringList options = arguments;
    MatchingRows matching;
    if (!matching.takeOptions(QStringLiteral("check customers"), options, CustomerQueueTable::fields(),
                              CustomerQueueTable::columns())) {
        return ExitCode::usage;
    }
    if (!options.isEmpty()) {
        Console::err(QStringLiteral("check customers: \"%1\" is not understood; the option is --matching TEXT "
                                    "[--column NAME]")
                         .arg(options.first()));
        return ExitCode::usage;
    }
    const CustomerOutputSettings settings = loadCustomerSettings(context.programDir);
    LabelQueue queue(CustomerQueueTable::fields());
    if (!openCustomerQueueOrTell(queue, DbfTable::Access::ReadOnly)) {
        return ExitCode::failed;
    }
    QueueReader allRows(queue, CustomerQueueTable::side());
    std::optional<QueueRowSubset> subset;
    QString error;
    QueueRowSource *reader = matching.rows(queue, allRows, subset, error);
    if (!reader) {
        Console::err(QStringLiteral("check customers: ") + error);
        return ExitCode::failed;
    }
    return printCheckReport(checkCustomerQueue(*reader, settings));
}
} // namespace

Command checkCustomersCommand()
{
    return {{QStringLiteral("check"), QStringLiteral("customers")},
            QStringLiteral("[--matching TEXT [--column NAME]]"),
            QStringLiteral("check bar2.DBF against the output settings of bar2/CustBar.ini before printing; exit 1 "
                           "on an error"),
            0,
            4,
            checkCustomers};
}
