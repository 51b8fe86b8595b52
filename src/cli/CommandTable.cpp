#include "cli/Command.h"

Command linkTestCommand();
Command branchesCommand();
Command postCommand();

const std::vector<Command> &allCommands()
{
    static const std::vector<Command> commands = {
        linkTestCommand(),
        branchesCommand(),
        postCommand(),
    };
    return commands;
}
