#include "cli/CheckReport.h"
#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/MatchingRows.h"
#include "cli/ProductCommandFiles.h"
#include "components/Clock.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueAccess.h"
#include "productlabels/ProductLabelCheck.h"
#include "productlabels/ProductQueueTable.h"

namespace {
int checkProducts(CommandContext &context, const QStringList &arguments)
{
    QStringList options = arguments;
    MatchingRows matching;
    if (!matching.takeOptions(QStringLiteral("check products"), options, ProductQueueTable::fields(),
                              ProductQueueTable::columns())) {
        return ExitCode::usage;
    }
    if (!options.isEmpty()) {
        Console::err(QStringLiteral("check products: \"%1\" is not understood; the option is --matching TEXT "
                                    "[--column NAME]")
                         .arg(options.first()));
        return ExitCode::usage;
    }
    const ProductOutputSettings settings = loadProductSettings(context.programDir);
    LabelQueue queue(ProductQueueTable::fields());
    if (!openProductQueueOrTell(queue, DbfTable::Access::ReadOnly)) {
        return ExitCode::failed;
    }
    QueueReader allRows(queue, ProductQueueTable::side());
    std::optional<QueueRowSubset> subset;
    QString error;
    QueueRowSource *reader = matching.rows(queue, allRows, subset, error);
    if (!reader) {
        Console::err(QStringLiteral("check products: ") + error);
        return ExitCode::failed;
    }
    return printCheckReport(checkProductQueue(*reader, settings, Clock::system().today()));
}
} // namespace

Command checkProductsCommand()
{
    return {{QStringLiteral("check"), QStringLiteral("products")},
            QStringLiteral("[--matching TEXT [--column NAME]]"),
            QStringLiteral("check bar1.dbf against the output settings of BarSet.ini before printing; exit 1 on an "
                           "error"),
            0,
            4,
            checkProducts};
}
