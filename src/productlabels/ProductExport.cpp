#include "productlabels/ProductExport.h"

#include "components/Clock.h"
#include "components/Prompts.h"
#include "productlabels/ProductRowSource.h"

#include <QDir>

QString productLabelTextPath(const QString &programDir)
{
    return programDir + QStringLiteral("/Bars.txt");
}

ProductExportResult exportLabelFile(ProductRowSource &rows, const QString &path,
                                    const std::function<LabelTextFileResult()> &write)
{
    ProductExportResult result;
    const QString refused = rows.beginReading();
    if (!refused.isEmpty()) {
        result.kind = ProductExportResult::Kind::Failed;
        result.message = refused;
        return result;
    }
    if (rows.rowCount() == 0) {
        rows.endReading();
        result.kind = ProductExportResult::Kind::EmptyQueue;
        result.message = QString::fromUtf8(nothingToExportText);
        return result;
    }
    result.path = path;
    const LabelTextFileResult written = write();
    rows.endReading();
    if (!written.ok()) {
        result.kind = written.outcome == LabelTextFileResult::Outcome::NoLines ? ProductExportResult::Kind::NoLines
                                                                               : ProductExportResult::Kind::Failed;
        result.message = written.error;
        return result;
    }
    result.kind = ProductExportResult::Kind::Written;
    result.lines = written.lines;
    result.message = QString::fromUtf8(exportDoneText) + QDir::toNativeSeparators(result.path);
    return result;
}

ProductExportResult exportProductLabels(ProductRowSource &rows, const ProductOutputSettings &settings,
                                        const QString &programDir, const Clock &clock)
{
    const QString path = productLabelTextPath(programDir);
    return exportLabelFile(rows, path, [&] { return writeProductLabelTextFile(rows, settings, path, clock.today()); });
}

LabelProgramLaunch launchProductLabelProgram(const QString &programDir, LabelProgramParameter parameter,
                                             ProgramLauncher &launcher)
{
    return launchLabelProgram(programDir + QStringLiteral("/BARPRINT.INI"), QByteArrayLiteral("barprint"), parameter,
                              launcher);
}

ProductExportRun runLabelExport(ProductRowSource &rows, Prompts &prompts,
                                const std::function<ProductExportResult()> &exportFile,
                                const std::function<LabelProgramLaunch()> &launch, const ExportReview &review)
{
    ProductExportRun run;
    if (rows.rowCount() == 0) {
        run.result.message = QString::fromUtf8(nothingToExportText);
        prompts.embossedMessage(run.result.message);
        return run;
    }
    if (review && !review()) {
        return run;
    }
    if (!prompts.confirm(QString::fromUtf8(confirmExportQuestion))) {
        return run;
    }
    run.confirmed = true;
    run.result = exportFile();
    prompts.embossedMessage(run.result.message);
    if (run.result.kind == ProductExportResult::Kind::Written) {
        run.launch = launch();
    }
    return run;
}

ProductExportRun runProductExport(ProductRowSource &rows, const ProductOutputSettings &settings,
                                  const QString &programDir, const Clock &clock, LabelProgramParameter parameter,
                                  Prompts &prompts, ProgramLauncher &launcher, const ExportReview &review)
{
    return runLabelExport(
        rows, prompts, [&] { return exportProductLabels(rows, settings, programDir, clock); },
        [&] { return launchProductLabelProgram(programDir, parameter, launcher); }, review);
}
