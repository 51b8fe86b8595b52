#pragma once

#include "labelqueue/LabelExport.h"
#include "labelqueue/QueueRowSource.h"
#include "settings/CustomerOutputSettings.h"

class ProgramLauncher;
class Prompts;

// ProgramDir + "/bar2/Bars.txt".
QString customerLabelTextPath(const QString &programDir);

// Writes the customer queue's rows to ProgramDir/bar2/Bars.txt in the layout
// and column order of settings, making the "bar2" directory when it is missing.
// The outcome is told as every export tells it.
ExportResult exportCustomerLabels(QueueRowSource &rows, const CustomerOutputSettings &settings,
                                  const QString &programDir);

// "CustBar.INI", section "CustBar": the label program's path.
const LabelProgramIni &customerLabelProgramIni();

// Starts the program stored under "FN1" in ProgramDir/CustBar.INI, section
// "CustBar", with the chosen parameter; a missing key starts nothing.
LabelProgramLaunch launchCustomerLabelProgram(const QString &programDir, LabelProgramParameter parameter,
                                              ProgramLauncher &launcher);

// The customer export button's whole run (see runLabelExport).
ExportRun runCustomerExport(QueueRowSource &rows, const CustomerOutputSettings &settings, const QString &programDir,
                            LabelProgramParameter parameter, Prompts &prompts, ProgramLauncher &launcher,
                            const ExportReview &review = {});
