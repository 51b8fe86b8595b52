#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/ProductCommandFiles.h"
#include "components/Clock.h"
#include "labelqueue/LabelQueue.h"
#include "productlabels/ProductExport.h"
#include "productlabels/ProductQueueAccess.h"
#include "productlabels/ProductQueueTable.h"

namespace {
int exportProducts(CommandContext &context, const QStringList &arguments)
{
    bool launch = true;
    LabelProgramParameter parameter = LabelProgramParameter::None;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--no-launch")) {
            launch = false;
        } else if (argument == QLatin1String("--parameter") && i + 1 < arguments.size() &&
                   (arguments[i + 1] == QLatin1String("1") || arguments[i + 1] == QLatin1String("2"))) {
            parameter = arguments[++i] == QLatin1String("1") ? LabelProgramParameter::One : LabelProgramParameter::Two;
        } else {
            Console::err(QStringLiteral("export products: \"%1\" is not understood; the options are --no-launch "
                                        "and --parameter 1|2")
                             .arg(argument));
            return ExitCode::usage;
        }
    }
    const ProductOutputSettings settings = loadProductSettings(context.programDir);
    LabelQueue queue(ProductQueueTable::fields());
    if (!openProductQueueOrTell(queue, DbfTable::Access::ReadOnly)) {
        return ExitCode::failed;
    }
    ProductQueueReader reader(queue);
    const ProductExportResult result = exportProductLabels(reader, settings, context.programDir, Clock::system());
    if (result.kind != ProductExportResult::Kind::Written) {
        Console::err(result.message);
        return ExitCode::failed;
    }
    Console::out(result.message);
    Console::out(QStringLiteral("%1 lines").arg(result.lines));
    if (launch) {
        const LabelProgramLaunch started =
            launchProductLabelProgram(context.programDir, parameter, ProgramLauncher::system());
        if (started.outcome == LabelProgramLaunch::Outcome::StartFailed) {
            Console::err(describe(started));
        } else {
            Console::out(describe(started));
        }
    }
    return ExitCode::ok;
}
} // namespace

Command exportProductsCommand()
{
    return {{QStringLiteral("export"), QStringLiteral("products")},
            QStringLiteral("[--no-launch] [--parameter 1|2]"),
            QStringLiteral("write ProgramDir/Bars.txt from bar1.dbf, then start the label program of BARPRINT.INI"),
            0,
            3,
            exportProducts};
}
