#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class ServerExchange;

namespace ExitCode {
constexpr int ok = 0;
constexpr int failed = 1;
constexpr int usage = 2;
} // namespace ExitCode

// What every command may use: the exchange (with the resolved link settings)
// and the directory of the program, where the settings files live.
struct CommandContext {
    ServerExchange &exchange;
    QString programDir;
};

// One command of barlabel-cli. Each lives in a file of its own and is listed
// once in CommandTable.cpp.
struct Command {
    QStringList name;  // one or more words: "linktest", "tables create"
    QString arguments; // shown in the usage: "SCRIPT BODY"
    QString summary;
    qsizetype minArguments = 0;
    qsizetype maxArguments = 0;
    // Returns an ExitCode; reports its own failures on stderr.
    std::function<int(CommandContext &, const QStringList &arguments)> run;
};

const std::vector<Command> &allCommands();
