#include "cli/CheckReport.h"
#include "cli/Command.h"
#include "cli/ProductCommandFiles.h"
#include "customerlabels/CustomerLabelCheck.h"
#include "customerlabels/CustomerQueueTable.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueAccess.h"

namespace {
int checkCustomers(CommandContext &context, const QStringList &)
{
    const CustomerOutputSettings settings = loadCustomerSettings(context.programDir);
    LabelQueue queue(CustomerQueueTable::fields());
    if (!openCustomerQueueOrTell(queue, DbfTable::Access::ReadOnly)) {
        return ExitCode::failed;
    }
    QueueReader reader(queue, CustomerQueueTable::side());
    return printCheckReport(checkCustomerQueue(reader, settings));
}
} // namespace

Command checkCustomersCommand()
{
    return {{QStringLiteral("check"), QStringLiteral("customers")},
            QString(),
            QStringLiteral("check bar2.DBF against the output settings of bar2/CustBar.ini before printing; exit 1 "
                           "on an error"),
            0,
            0,
            checkCustomers};
}
