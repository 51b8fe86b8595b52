#pragma once

#include "productlabels/ProductExport.h"
#include "settings/CustomerOutputSettings.h"

// ProgramDir + "/bar2/Bars.txt".
QString customerLabelTextPath(const QString &programDir);

// Writes the customer queue's rows to ProgramDir/bar2/Bars.txt in the layout
// and column order of settings, making the "bar2" directory when it is missing.
// The outcome is told as the product export tells it.
ProductExportResult exportCustomerLabels(ProductRowSource &rows, const CustomerOutputSettings &settings,
                                         const QString &programDir);

// ProgramDir + "/CustBar.INI", which keeps the label program's path.
QString customerLabelProgramIniPath(const QString &programDir);

// Starts the program stored under "FN1" in ProgramDir/CustBar.INI, section
// "CustBar", with the chosen parameter; a missing key starts nothing.
LabelProgramLaunch launchCustomerLabelProgram(const QString &programDir, LabelProgramParameter parameter,
                                              ProgramLauncher &launcher);

// The customer export button's whole run (see runLabelExport).
ProductExportRun runCustomerExport(ProductRowSource &rows, const CustomerOutputSettings &settings,
                                   const QString &programDir, LabelProgramParameter parameter, Prompts &prompts,
                                   ProgramLauncher &launcher, const ExportReview &review = {});
