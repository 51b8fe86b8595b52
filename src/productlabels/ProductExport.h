#pragma once

#include "productlabels/LabelExport.h"

#include <QString>

class Clock;

// ProgramDir + "/Bars.txt".
QString productLabelTextPath(const QString &programDir);

// Writes the queue's rows to ProgramDir/Bars.txt in the layout and column
// order of settings, with the clock's date for "系統日期".
LabelExportResult exportProductLabels(LabelRowSource &rows, const ProductOutputSettings &settings,
                                      const QString &programDir, const Clock &clock);

// Starts the program stored under "FN1" in ProgramDir/BARPRINT.INI, section
// "barprint", with the chosen parameter; a missing key starts nothing.
LabelProgramLaunch launchProductLabelProgram(const QString &programDir, LabelProgramParameter parameter,
                                             ProgramLauncher &launcher);

// The product export button's whole run (see runLabelExport).
LabelExportRun runProductExport(LabelRowSource &rows, const ProductOutputSettings &settings, const QString &programDir,
                                const Clock &clock, LabelProgramParameter parameter, Prompts &prompts,
                                ProgramLauncher &launcher);
