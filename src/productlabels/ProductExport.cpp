#include "productlabels/ProductExport.h"

#include "components/Clock.h"
#include "labelqueue/QueueRowSource.h"
#include "productlabels/ProductLabelLines.h"

QString productLabelTextPath(const QString &programDir)
{
    return programDir + QStringLiteral("/Bars.txt");
}

ExportResult exportProductLabels(QueueRowSource &rows, const ProductOutputSettings &settings, const QString &programDir,
                                 const Clock &clock)
{
    const QString path = productLabelTextPath(programDir);
    return exportLabelFile(rows, path, productSettingsText(settings),
                           [&] { return writeProductLabelTextFile(rows, settings, path, clock.today()); });
}

const LabelProgramIni &productLabelProgramIni()
{
    static const LabelProgramIni ini{QStringLiteral("BARPRINT.INI"), QByteArrayLiteral("barprint"),
                                     QStringLiteral("勾選「更改」後填入路徑")};
    return ini;
}

LabelProgramLaunch launchProductLabelProgram(const QString &programDir, LabelProgramParameter parameter,
                                             ProgramLauncher &launcher)
{
    return launchLabelProgram(programDir, productLabelProgramIni(), parameter, launcher);
}

ExportRun runProductExport(QueueRowSource &rows, const ProductOutputSettings &settings, const QString &programDir,
                           const Clock &clock, LabelProgramParameter parameter, Prompts &prompts,
                           ProgramLauncher &launcher, const ExportReview &review)
{
    return runLabelExport(
        rows, prompts, [&] { return exportProductLabels(rows, settings, programDir, clock); },
        LabelProgramCall{programDir, productLabelProgramIni(), parameter, launcher}, review);
}
