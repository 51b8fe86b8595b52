#include "components/ProgramStarter.h"

int showCommandOf(ShowCommand command)
{
    static const int commands[] = {0, 3, 6, 9, 5, 10, 3, 2, 7, 8, 4, 1};
    return commands[int(command)];
}

ProgramStarter::ProgramStarter(ProgramLauncher &launcher)
    : launcher_(&launcher)
{}

bool ProgramStarter::start(const StartRequest &request)
{
    result_ = LaunchResult();
    result_ = launcher_->start(
        LaunchRequest{request.fileName, request.parameter, request.directory, showCommandOf(request.show)});
    return result_.started();
}
