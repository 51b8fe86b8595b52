#include "productlabels/ProductExport.h"

#include "components/Clock.h"

QString productLabelTextPath(const QString &programDir)
{
    return programDir + QStringLiteral("/Bars.txt");
}

LabelExportResult exportProductLabels(LabelRowSource &rows, const ProductOutputSettings &settings,
                                      const QString &programDir, const Clock &clock)
{
    return exportLabelFile(rows, ProductLabelLines(settings, clock.today()), productLabelTextPath(programDir));
}

LabelProgramLaunch launchProductLabelProgram(const QString &programDir, LabelProgramParameter parameter,
                                             ProgramLauncher &launcher)
{
    return launchLabelProgram(programDir + QStringLiteral("/BARPRINT.INI"), QByteArrayLiteral("barprint"), parameter,
                              launcher);
}

LabelExportRun runProductExport(LabelRowSource &rows, const ProductOutputSettings &settings, const QString &programDir,
                                const Clock &clock, LabelProgramParameter parameter, Prompts &prompts,
                                ProgramLauncher &launcher)
{
    return runLabelExport(
        rows, prompts, [&] { return exportProductLabels(rows, settings, programDir, clock); },
        [&] { return launchProductLabelProgram(programDir, parameter, launcher); });
}
