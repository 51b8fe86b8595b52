#include "customerlabels/CustomerExport.h"

#include "customerlabels/CustomerLabelLines.h"
#include "customerlabels/CustomerQueueTable.h"
#include "labelqueue/QueueRowSource.h"

QString customerLabelTextPath(const QString &programDir)
{
    return programDir + QStringLiteral("/bar2/Bars.txt");
}

ExportResult exportCustomerLabels(QueueRowSource &rows, const CustomerOutputSettings &settings,
                                  const QString &programDir)
{
    const QString path = customerLabelTextPath(programDir);
    return exportLabelFile(rows, path, customerSettingsText(settings), [&] {
        const QString directoryProblem = makeCustomerLabelDirectory(programDir);
        if (!directoryProblem.isEmpty()) {
            LabelTextFileResult failed;
            failed.error = directoryProblem;
            return failed;
        }
        return writeLabelTextFile(rows, CustomerLabelLines(settings), CustomerQueueTable::BAR_NO, path);
    });
}

const LabelProgramIni &customerLabelProgramIni()
{
    static const LabelProgramIni ini{QStringLiteral("CustBar.INI"), QByteArrayLiteral("CustBar"),
                                     QStringLiteral("在「呼叫外部條碼:」填入路徑")};
    return ini;
}

LabelProgramLaunch launchCustomerLabelProgram(const QString &programDir, LabelProgramParameter parameter,
                                              ProgramLauncher &launcher)
{
    return launchLabelProgram(programDir, customerLabelProgramIni(), parameter, launcher);
}

ExportRun runCustomerExport(QueueRowSource &rows, const CustomerOutputSettings &settings, const QString &programDir,
                            LabelProgramParameter parameter, Prompts &prompts, ProgramLauncher &launcher,
                            const ExportReview &review)
{
    return runLabelExport(
        rows, prompts, [&] { return exportCustomerLabels(rows, settings, programDir); },
        LabelProgramCall{programDir, customerLabelProgramIni(), parameter, launcher}, review);
}
