#pragma once

#include "components/ProgramLauncher.h"

#include <QString>

// How the started program's window is first shown; each value stands for one
// show command of the window manager (see showCommandOf).
enum class ShowCommand {
    Hide,
    Maximize,
    Minimize,
    Restore,
    Show,
    ShowDefault,
    ShowMaximized,
    ShowMinimized,
    ShowMinNoActive,
    ShowNa,
    ShowNoActivate,
    ShowNormal,
};

// The SW_... number of a ShowCommand.
int showCommandOf(ShowCommand command);

// What to start: a program, or a document to open with the program for it.
struct StartRequest {
    explicit StartRequest(QString fileName, QString parameter = QString(), QString directory = QString(),
                          ShowCommand show = ShowCommand::ShowNormal)
        : fileName(std::move(fileName))
        , parameter(std::move(parameter))
        , directory(std::move(directory))
        , show(show)
    {}

    QString fileName;
    QString parameter;
    QString directory; // the working directory; empty for the caller's
    ShowCommand show;
};

// Starts a program (or opens a document) and keeps the shell's result code.
class ProgramStarter
{
public:
    explicit ProgramStarter(ProgramLauncher &launcher = ProgramLauncher::system());

    // True when the program was started; otherwise resultCode() is at most 32
    // and errorString() says why.
    bool start(const StartRequest &request);
    int resultCode() const { return result_.code; }
    QString errorString() const { return result_.errorText; }

private:
    ProgramLauncher *launcher_;
    LaunchResult result_;
};
