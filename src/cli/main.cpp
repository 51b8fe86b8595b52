#include "app/ProgramDir.h"
#include "app/ServerExchange.h"
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "cli/Dispatch.h"
#include "cli/LinkSettingsSource.h"
#include "components/DateFormats.h"

#include <QCoreApplication>

namespace {
int usageError(const QString &message)
{
    Console::err(QStringLiteral("barlabel-cli: ") + message);
    Console::err(QStringLiteral("Try barlabel-cli --help."));
    return ExitCode::usage;
}
} // namespace

int main(int argc, char **argv)
{
    const ParsedCommandLine parsed = parseCommandLine(argc, argv);
    QCoreApplication app(argc, argv);
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
    CommandContext context{exchange, programDir.dir};
    return match.command->run(context, match.arguments);
}
