#include "customerlabels/CustomerExport.h"

#include "customerlabels/CustomerLabelLines.h"
#include "customerlabels/CustomerQueueTable.h"
#include "productlabels/ProductRowSource.h"

QString customerLabelTextPath(const QString &programDir)
{
    return programDir + QStringLiteral("/bar2/Bars.txt");
}

ProductExportResult exportCustomerLabels(ProductRowSource &rows, const CustomerOutputSettings &settings,
                                         const QString &programDir)
{
    const QString path = customerLabelTextPath(programDir);
    return exportLabelFile(rows, path, [&] {
        const QString directoryProblem = makeCustomerLabelDirectory(programDir);
        if (!directoryProblem.isEmpty()) {
            LabelTextFileResult failed;
            failed.error = directoryProblem;
            return failed;
        }
        return writeLabelTextFile(rows, CustomerLabelLines(settings), CustomerQueueTable::BAR_NO, path);
    });
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

ProductExportRun runCustomerExport(ProductRowSource &rows, const CustomerOutputSettings &settings,
                                   const QString &programDir, LabelProgramParameter parameter, Prompts &prompts,
                                   ProgramLauncher &launcher, const ExportReview &review)
{
    return runLabelExport(
        rows, prompts, [&] { return exportCustomerLabels(rows, settings, programDir); },
        [&] { return launchCustomerLabelProgram(programDir, parameter, launcher); }, review);
}
