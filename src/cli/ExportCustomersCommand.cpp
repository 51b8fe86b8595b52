#include "cli/Command.h"
#include "cli/ExportRun.h"
#include "cli/MatchingRows.h"
#include "cli/ProductCommandFiles.h"
#include "customerlabels/CustomerExport.h"
#include "customerlabels/CustomerQueueTable.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueAccess.h"
#include "settings/CustomerOutputSettings.h"

namespace {
int exportCustomers(CommandContext &context, const QStringList &arguments)
{
    QStringList options = arguments;
    MatchingRows matching;
    if (!matching.takeOptions(QStringLiteral("export customers"), options, CustomerQueueTable::fields(),
                              CustomerQueueTable::columns())) {
        return ExitCode::usage;
    }
    LabelQueue queue(CustomerQueueTable::fields());
    return runExportCommand(
        QStringLiteral("export customers"), options,
        [&] {
            const DbfStatus opened = openCustomerQueue(queue, DbfTable::Access::ReadOnly);
            if (!opened.ok()) {
                return ExportResult{ExportResult::Kind::Failed, opened.error(), {}, 0};
            }
            QueueReader allRows(queue, CustomerQueueTable::side());
            std::optional<QueueRowSubset> subset;
            QString error;
            QueueRowSource *reader = matching.rows(queue, allRows, subset, error);
            if (!reader) {
                return ExportResult{ExportResult::Kind::Failed, error, {}, 0};
            }
            return exportCustomerLabels(*reader, loadCustomerSettings(context.programDir), context.programDir);
        },
        [&](LabelProgramParameter parameter) {
            return launchCustomerLabelProgram(context.programDir, parameter, ProgramLauncher::system());
        });
}
} // namespace

Command exportCustomersCommand()
{
    return {{QStringLiteral("export"), QStringLiteral("customers")},
            QStringLiteral("[--no-launch] [--parameter 1|2] [--matching TEXT [--column NAME]]"),
            QStringLiteral("write ProgramDir/bar2/Bars.txt from bar2.DBF, then start the label program of "
                           "CustBar.INI"),
            0,
            7,
            exportCustomers};
}
