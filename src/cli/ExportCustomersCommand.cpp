#include "cli/Command.h"
#include "cli/ExportRun.h"
#include "cli/ProductCommandFiles.h"
#include "customerlabels/CustomerExport.h"
#include "customerlabels/CustomerQueueTable.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueAccess.h"
#include "settings/CustomerOutputSettings.h"

namespace {
int exportCustomers(CommandContext &context, const QStringList &arguments)
{
    LabelQueue queue(CustomerQueueTable::fields());
    return runExportCommand(
        QStringLiteral("export customers"), arguments,
        [&] {
            const DbfStatus opened = openCustomerQueue(queue, DbfTable::Access::ReadOnly);
            if (!opened.ok()) {
                return ExportResult{ExportResult::Kind::Failed, opened.error(), {}, 0};
            }
            QueueReader reader(queue, CustomerQueueTable::side());
            return exportCustomerLabels(reader, loadCustomerSettings(context.programDir), context.programDir);
        },
        [&](LabelProgramParameter parameter) {
            return launchCustomerLabelProgram(context.programDir, parameter, ProgramLauncher::system());
        });
}
} // namespace

Command exportCustomersCommand()
{
    return {{QStringLiteral("export"), QStringLiteral("customers")},
            QStringLiteral("[--no-launch] [--parameter 1|2]"),
            QStringLiteral("write ProgramDir/bar2/Bars.txt from bar2.DBF, then start the label program of "
                           "CustBar.INI"),
            0,
            3,
            exportCustomers};
}
