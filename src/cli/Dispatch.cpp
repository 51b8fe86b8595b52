#include "cli/Dispatch.h"

namespace {
bool startsWith(const QStringList &words, const QStringList &name)
{
    return words.size() >= name.size() && words.mid(0, name.size()) == name;
}

// For "tables frobnicate" name both words, so the message shows what was not understood.
QString unknownWords(const std::vector<Command> &commands, const QStringList &words)
{
    for (const Command &command : commands) {
        if (command.name.size() > 1 && command.name.front() == words.front() && words.size() > 1) {
            return words.mid(0, 2).join(u' ');
        }
    }
    return words.front();
}

QString synopsis(const Command &command)
{
    QString text = command.name.join(u' ');
    if (!command.arguments.isEmpty()) {
        text += u' ' + command.arguments;
    }
    return text;
}
} // namespace

CommandMatch findCommand(const std::vector<Command> &commands, const QStringList &words)
{
    CommandMatch match;
    for (const Command &command : commands) {
        if (startsWith(words, command.name) && (!match.command || command.name.size() > match.command->name.size())) {
            match.command = &command;
        }
    }
    if (!match.command) {
        match.error = words.isEmpty() ? QStringLiteral("no command given")
                                      : QStringLiteral("unknown command \"%1\"").arg(unknownWords(commands, words));
        return match;
    }
    match.arguments = words.mid(match.command->name.size());
    const qsizetype count = match.arguments.size();
    if (count < match.command->minArguments || count > match.command->maxArguments) {
        match.error = QStringLiteral("usage: %1").arg(commandUsage(*match.command));
    }
    return match;
}

QString commandUsage(const Command &command)
{
    return QStringLiteral("barlabel-cli [OPTIONS] ") + synopsis(command);
}

QString usageText(const std::vector<Command> &commands)
{
    QString text = QStringLiteral("usage: barlabel-cli [--server S] [--branch B] [--password P] [--timeout SECONDS]\n"
                                  "                   [--stall SECONDS] COMMAND [ARGUMENTS]\n"
                                  "\n"
                                  "The server, branch code and link password come from SysSet.ini beside the\n"
                                  "program; each option replaces its value for this run.\n"
                                  "--timeout ends an exchange with the server that takes longer as a whole;\n"
                                  "--stall (120 unless given) ends one during which the server sends nothing\n"
                                  "for that long.\n"
                                  "\n"
                                  "Commands:\n");
    for (const Command &command : commands) {
        text += QStringLiteral("  %1  %2\n").arg(synopsis(command), -28).arg(command.summary);
    }
    text += QStringLiteral("\n"
                           "Exit status: 0 done, 1 failed, 2 bad command line.");
    return text;
}
