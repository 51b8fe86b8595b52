#pragma once

#include <QString>
#include <QStringList>

// What ProgramStarter asks the platform to start.
struct LaunchRequest {
    QString fileName;
    QString parameter;
    // Working directory of the started program; empty keeps the current one.
    QString directory;
    // The window manager's show command (SW_... number); informational on Linux.
    int showCommand = 1;
};

// The shell's answer: a code above 32 means started, 32 or below is the reason
// it was not (2 file not found, 3 directory not found, 5 access denied,
// 11 not a program that can run, 31 no program to open the document with).
struct LaunchResult {
    static constexpr int Started = 42;
    static constexpr int FileNotFound = 2;
    static constexpr int PathNotFound = 3;
    static constexpr int AccessDenied = 5;
    static constexpr int BadFormat = 11;
    static constexpr int NoAssociation = 31;

    int code = 0;
    QString errorText;
    bool started() const { return code > 32; }
};

// How a request becomes a process: a program with its arguments, or a document
// (or folder) opened by the desktop's default application through xdg-open.
// A relative file name is taken from the current directory; a bare name that
// is not there is looked up on PATH.
struct LaunchPlan {
    QString program;
    QStringList arguments;
    QString directory;
    bool document = false;
    // Set when the request cannot be started at all.
    LaunchResult refusal;
};

// The parameter text becomes arguments the way QProcess::splitCommand reads a
// command line: blanks separate, double quotes group, a tripled quote is a
// literal one, backslashes are kept as they are (so Windows-style paths pass).
LaunchPlan planLaunch(const LaunchRequest &request);

// The seam through which programs are started, so windows and exports can be
// tested without starting anything.
class ProgramLauncher
{
public:
    virtual ~ProgramLauncher() = default;
    virtual LaunchResult start(const LaunchRequest &request) = 0;

    // Starts detached processes following planLaunch().
    static ProgramLauncher &system();
};
