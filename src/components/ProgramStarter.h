#pragma once

#include "components/ProgramLauncher.h"

#include <QString>

// How the started program's window is first shown; each value stands for one
// show command of the window manager (see showCommandOf).
enum ShowCommand {
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
int showCommandOf(ShowCommand showCmd);

// Starts a program (or opens a document) and keeps the shell's result code.
class ProgramStarter
{
public:
    explicit ProgramStarter(ProgramLauncher &launcher = ProgramLauncher::system());

    const QString &FileName() const { return fileName_; }
    void setFileName(const QString &fileName) { fileName_ = fileName; }
    const QString &Parameter() const { return parameter_; }
    void setParameter(const QString &parameter) { parameter_ = parameter; }
    const QString &Directory() const { return directory_; }
    void setDirectory(const QString &directory) { directory_ = directory; }
    ShowCommand ShowCmd() const { return showCmd_; }
    void setShowCmd(ShowCommand showCmd) { showCmd_ = showCmd; }

    void setLauncher(ProgramLauncher &launcher) { launcher_ = &launcher; }

    // True when the program was started; otherwise ResultCode() is at most 32
    // and errorString() says why.
    bool Execute();
    int ResultCode() const { return result_.code; }
    QString errorString() const { return result_.errorText; }

private:
    ProgramLauncher *launcher_;
    QString fileName_;
    QString parameter_;
    QString directory_;
    ShowCommand showCmd_ = ShowNormal;
    LaunchResult result_;
};
