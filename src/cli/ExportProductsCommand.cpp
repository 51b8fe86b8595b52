#include "cli/Command.h"
#include "cli/ExportRun.h"
#include "cli/MatchingRows.h"
#include "cli/ProductCommandFiles.h"
#include "components/Clock.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueAccess.h"
#include "productlabels/ProductExport.h"
#include "productlabels/ProductQueueTable.h"

namespace {
int exportProducts(CommandContext &context, const QStringList &arguments)
{
    QStringList options = arguments;
    MatchingRows matching;
    if (!matching.takeOptions(QStringLiteral("export products"), options, ProductQueueTable::fields(),
                              ProductQueueTable::columns())) {
        return ExitCode::usage;
    }
    LabelQueue queue(ProductQueueTable::fields());
    return runExportCommand(
        QStringLiteral("export products"), options,
        [&] {
            const DbfStatus opened = openProductQueue(queue, DbfTable::Access::ReadOnly);
            if (!opened.ok()) {
                return ExportResult{ExportResult::Kind::Failed, opened.error(), {}, 0};
            }
            QueueReader allRows(queue, ProductQueueTable::side());
            std::optional<QueueRowSubset> subset;
            QString error;
            QueueRowSource *reader = matching.rows(queue, allRows, subset, error);
            if (!reader) {
                return ExportResult{ExportResult::Kind::Failed, error, {}, 0};
            }
            return exportProductLabels(*reader, loadProductSettings(context.programDir), context.programDir,
                                       Clock::system());
        },
        [&](LabelProgramParameter parameter) {
            return launchProductLabelProgram(context.programDir, parameter, ProgramLauncher::system());
        });
}
} // namespace

Command exportProductsCommand()
{
    return {{QStringLiteral("export"), QStringLiteral("products")},
            QStringLiteral("[--no-launch] [--parameter 1|2] [--matching TEXT [--column NAME]]"),
            QStringLiteral("write ProgramDir/Bars.txt from bar1.dbf, then start the label program of BARPRINT.INI"),
            0,
            7,
            exportProducts};
}
