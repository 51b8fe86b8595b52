#include "app/ServerExchange.h"
#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "cli/Dispatch.h"
#include "cli/LinkSettingsSource.h"
#include "components/DateFormats.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    // The terminal hands over UTF-8 whatever the locale says.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        const QByteArray bytes(argv[i]);
        arguments.append(QString::fromUtf8(bytes));
        if (arguments.last().toUtf8() != bytes) {
            Console::err(QStringLiteral("barlabel-cli: argument %1 is not UTF-8 text").arg(i));
            return ExitCode::usage;
        }
    }
    QCoreApplication app(argc, argv);
    const std::vector<Command> &commands = allCommands();

    const ParsedCommandLine parsed = parseCommandLine(arguments);
    if (parsed.ok() && parsed.line.help) {
        Console::out(usageText(commands));
        return ExitCode::ok;
    }
    if (parsed.ok() && parsed.line.words.isEmpty()) {
        Console::err(usageText(commands));
        return ExitCode::usage;
    }
    const CommandMatch match = parsed.ok() ? findCommand(commands, parsed.line.words) : CommandMatch{};
    const QString usageError = parsed.ok() ? match.error : parsed.error;
    if (!usageError.isEmpty()) {
        Console::err(QStringLiteral("barlabel-cli: ") + usageError);
        Console::err(QStringLiteral("Try barlabel-cli --help."));
        return ExitCode::usage;
    }

    const QString programDir = QCoreApplication::applicationDirPath();
    const ResolvedLinkSettings settings = resolveLinkSettings(programDir, parsed.line);
    if (!settings.ok()) {
        Console::err(QStringLiteral("barlabel-cli: ") + settings.error);
        return ExitCode::usage;
    }
    DateFormats::useLabelWindowFormats();
    ServerExchange exchange([link = settings.link] { return link; });
    CommandContext context{exchange, programDir};
    return match.command->run(context, match.arguments);
}
