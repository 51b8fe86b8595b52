#include "app/ProgramDir.h"
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "cli/Dispatch.h"
#include "cli/LinkSettingsSource.h"
#include "components/DateFormats.h"
#include "exchange/ServerExchange.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cmath>
#include <memory>

namespace {
int usageError(const QString &message)
{
    Console::err(QStringLiteral("barlabel-cli: ") + message);
    Console::err(QStringLiteral("Try barlabel-cli --help."));
    return ExitCode::usage;
}

int run(const ParsedCommandLine &parsed)
{
    const std::vector<Command> &commands = allCommands();
    if (!parsed.ok()) {
        return usageError(parsed.error);
    }
    if (parsed.line.help) {
        Console::out(usageText(commands));
        return ExitCode::ok;
    }
    if (parsed.line.words.isEmpty()) {
        Console::err(usageText(commands));
        return ExitCode::usage;
    }
    const CommandMatch match = findCommand(commands, parsed.line.words);
    if (!match.error.isEmpty()) {
        return usageError(match.error);
    }

    const ProgramDir::Choice programDir = ProgramDir::ofThisProcess();
    if (!programDir.ok()) {
        Console::err(QStringLiteral("barlabel-cli: ") + programDir.error);
        return ExitCode::failed;
    }
    const ResolvedLinkSettings settings = resolveLinkSettings(programDir.dir, parsed.line);
    if (!settings.ok()) {
        return usageError(settings.error);
    }
    DateFormats::useLabelWindowFormats();
    ServerExchange exchange([link = settings.link] { return link; });
    // Run unattended, nobody is there to cancel a server that stops answering.
    const CommandLine &line = parsed.line;
    const auto milliseconds = [](double seconds) { return qint64(std::ceil(seconds * 1000)); };
    exchange.setLimits({milliseconds(line.stallSeconds), milliseconds(line.timeoutSeconds.value_or(0))});
    CommandContext context{exchange, programDir.dir};
    return match.command->run(context, match.arguments);
}

// Proof sheets are drawn, with fonts: that takes a GUI application, which
// needs no screen on the offscreen platform.
std::unique_ptr<QCoreApplication> makeApplication(const ParsedCommandLine &parsed, int &argc, char **argv)
{
    if (!parsed.ok() || parsed.line.words.value(0) != QLatin1String("preview")) {
        return std::make_unique<QCoreApplication>(argc, argv);
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    return std::make_unique<QGuiApplication>(argc, argv);
}
} // namespace

int main(int argc, char **argv)
{
    const ParsedCommandLine parsed = parseCommandLine(argc, argv);
    const std::unique_ptr<QCoreApplication> app = makeApplication(parsed, argc, argv);
    const int exitCode = run(parsed);
    // Output that never arrived is a failure, whatever the command thought.
    return Console::finish() || exitCode != ExitCode::ok ? exitCode : ExitCode::failed;
}
