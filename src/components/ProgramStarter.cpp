#include "components/ProgramStarter.h"

int showCommandOf(ShowCommand showCmd)
{
    static const int commands[] = {0, 3, 6, 9, 5, 10, 3, 2, 7, 8, 4, 1};
    return commands[showCmd];
}

ProgramStarter::ProgramStarter(ProgramLauncher &launcher)
    : launcher_(&launcher)
{}

bool ProgramStarter::Execute()
{
    result_ = LaunchResult();
    result_ = launcher_->start(LaunchRequest{fileName_, parameter_, directory_, showCommandOf(showCmd_)});
    return result_.started();
}
