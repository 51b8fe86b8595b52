#pragma once

#include "components/ProgramLauncher.h"

#include <QByteArray>
#include <QString>

// The parameter chosen in a label window's "參數" group: "無", "1" or "2".
enum class LabelProgramParameter { None, One, Two };

// Where a label side keeps the path of its label program: an INI file in the
// program directory, a section of it, the key "FN1".
struct LabelProgramIni {
    QString fileName;   // "BARPRINT.INI"
    QByteArray section; // "barprint"
    QString whereToSet; // the side's window, in its own words, where the path is typed
};

// What starting the label program after an export came to.
struct LabelProgramLaunch {
    enum class Outcome {
        NotConfigured, // no program path stored: nothing started
        Started,
        StartFailed,
    };
    Outcome outcome = Outcome::NotConfigured;
    QString program;
    QString parameter;
    QString error; // why the start failed
};

// The label program stored under key "FN1" of the side's INI file in
// programDir, read at this moment so the last stored path counts; empty when
// none is set.
QString storedLabelProgram(const QString &programDir, const LabelProgramIni &programIni);

// The stored label program, started through ProgramStarter with the parameter text "", "1" or
// "2". A missing key or an empty path starts nothing. A relative program name
// is looked for in programDir first.
LabelProgramLaunch launchLabelProgram(const QString &programDir, const LabelProgramIni &programIni,
                                      LabelProgramParameter parameter, ProgramLauncher &launcher);

// What an export starts once its file is written.
struct LabelProgramCall {
    QString programDir;
    LabelProgramIni ini;
    LabelProgramParameter parameter;
    ProgramLauncher &launcher;
};

// A line for a terminal or a status text saying what happened.
QString describe(const LabelProgramLaunch &launch);
