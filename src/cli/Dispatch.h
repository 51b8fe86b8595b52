#pragma once

#include "cli/Command.h"

#include <QString>
#include <QStringList>

struct CommandMatch {
    const Command *command = nullptr;
    QStringList arguments;
    QString error; // unknown command or wrong number of arguments
};

// The command whose name is the longest run of leading words, with the words after it.
CommandMatch findCommand(const std::vector<Command> &commands, const QStringList &words);

QString usageText(const std::vector<Command> &commands);
QString commandUsage(const Command &command);
