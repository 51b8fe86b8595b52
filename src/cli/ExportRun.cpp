#include "cli/ExportRun.h"

#include "cli/Command.h"
#include "cli/Console.h"
#include "productlabels/ProductExport.h"

int runExportCommand(const QString &command, const QStringList &arguments, const std::function<ExportResult()> &write,
                     const std::function<LabelProgramLaunch(LabelProgramParameter)> &launch)
{
    bool launching = true;
    LabelProgramParameter parameter = LabelProgramParameter::None;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--no-launch")) {
            launching = false;
        } else if (argument == QLatin1String("--parameter") && i + 1 < arguments.size() &&
                   (arguments[i + 1] == QLatin1String("1") || arguments[i + 1] == QLatin1String("2"))) {
            parameter = arguments[++i] == QLatin1String("1") ? LabelProgramParameter::One : LabelProgramParameter::Two;
        } else {
            Console::err(QStringLiteral("%1: \"%2\" is not understood; the options are --no-launch "
                                        "and --parameter 1|2")
                             .arg(command, argument));
            return ExitCode::usage;
        }
    }
    const ExportResult result = write();
    if (result.kind != ExportResult::Kind::Written) {
        Console::err(result.message);
        return ExitCode::failed;
    }
    Console::out(result.message);
    Console::out(QStringLiteral("%1 lines").arg(result.lines));
    if (launching) {
        const LabelProgramLaunch started = launch(parameter);
        if (started.outcome == LabelProgramLaunch::Outcome::StartFailed) {
            Console::err(describe(started));
        } else {
            Console::out(describe(started));
        }
    }
    return ExitCode::ok;
}
