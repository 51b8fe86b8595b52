#include "cli/CheckReport.h"
#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/ProductCommandFiles.h"
#include "components/Clock.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueAccess.h"
#include "productlabels/ProductLabelCheck.h"
#include "productlabels/ProductQueueTable.h"

namespace {
int checkProducts(CommandContext &context, const QStringList &)
{
    const ProductOutputSettings settings = loadProductSettings(context.programDir);
    LabelQueue queue(ProductQueueTable::fields());
    if (!openProductQueueOrTell(queue, DbfTable::Access::ReadOnly)) {
        return ExitCode::failed;
    }
    QueueReader reader(queue, ProductQueueTable::side());
    return printCheckReport(checkProductQueue(reader, settings, Clock::system().today()));
}
} // namespace

Command checkProductsCommand()
{
    return {{QStringLiteral("check"), QStringLiteral("products")},
            QString(),
            QStringLiteral("check bar1.dbf against the output settings of BarSet.ini before printing; exit 1 on an "
                           "error"),
            0,
            0,
            checkProducts};
}
