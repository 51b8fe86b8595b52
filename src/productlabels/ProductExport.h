#pragma once

#include "labelqueue/LabelExport.h"
#include "settings/ProductOutputSettings.h"

#include <QString>

class Clock;
class ProgramLauncher;
class Prompts;
class QueueRowSource;

// ProgramDir + "/Bars.txt".
QString productLabelTextPath(const QString &programDir);

// Writes the queue's rows to ProgramDir/Bars.txt in the layout and column
// order of settings, with the clock's date for "系統日期", holding the queue
// for reading meanwhile (a writer in the way fails the export at once).
ExportResult exportProductLabels(QueueRowSource &rows, const ProductOutputSettings &settings, const QString &programDir,
                                 const Clock &clock);

// "BARPRINT.INI", section "barprint": the label program's path.
const LabelProgramIni &productLabelProgramIni();

// Starts the program stored under "FN1" in ProgramDir/BARPRINT.INI, section
// "barprint", with the chosen parameter; a missing key starts nothing.
LabelProgramLaunch launchProductLabelProgram(const QString &programDir, LabelProgramParameter parameter,
                                             ProgramLauncher &launcher);

// The product export button's whole run (see runLabelExport).
ExportRun runProductExport(QueueRowSource &rows, const ProductOutputSettings &settings, const QString &programDir,
                           const Clock &clock, LabelProgramParameter parameter, Prompts &prompts,
                           ProgramLauncher &launcher, const ExportReview &review = {});
