#include "customerlabels/CustomerExport.h"

#include "customerlabels/CustomerLabelLines.h"
#include "productlabels/LabelRowSource.h"

QString customerLabelTextPath(const QString &programDir)
{
    return programDir + QStringLiteral("/bar2/Bars.txt");
}

LabelExportResult exportCustomerLabels(LabelRowSource &rows, const CustomerOutputSettings &settings,
                                       const QString &programDir)
{
    if (rows.rowCount() > 0) {
        const QString directoryProblem = makeCustomerLabelDirectory(programDir);
        if (!directoryProblem.isEmpty()) {
            LabelExportResult failed;
            failed.kind = LabelExportResult::Kind::Failed;
            failed.message = directoryProblem;
            return failed;
        }
    }
    return exportLabelFile(rows, CustomerLabelLines(settings), customerLabelTextPath(programDir));
}

QString customerLabelProgramIniPath(const QString &programDir)
{
    return programDir + QStringLiteral("/CustBar.INI");
}

LabelProgramLaunch launchCustomerLabelProgram(const QString &programDir, LabelProgramParameter parameter,
                                              ProgramLauncher &launcher)
{
    return launchLabelProgram(customerLabelProgramIniPath(programDir), QByteArrayLiteral("CustBar"), parameter,
                              launcher);
}

LabelExportRun runCustomerExport(LabelRowSource &rows, const CustomerOutputSettings &settings,
                                 const QString &programDir, LabelProgramParameter parameter, Prompts &prompts,
                                 ProgramLauncher &launcher)
{
    return runLabelExport(
        rows, prompts, [&] { return exportCustomerLabels(rows, settings, programDir); },
        [&] { return launchCustomerLabelProgram(programDir, parameter, launcher); });
}
