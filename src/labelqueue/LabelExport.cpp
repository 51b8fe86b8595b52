#include "labelqueue/LabelExport.h"

#include "components/Prompts.h"
#include "labelqueue/QueueRowSource.h"

#include <QDir>

ExportResult exportLabelFile(QueueRowSource &rows, const QString &path, const QByteArray &settings,
                             const std::function<LabelTextFileResult()> &write)
{
    ExportResult result;
    const QString refused = rows.beginReading();
    if (!refused.isEmpty()) {
        result.kind = ExportResult::Kind::Failed;
        result.message = refused;
        return result;
    }
    if (rows.rowCount() == 0) {
        rows.endReading();
        result.kind = ExportResult::Kind::EmptyQueue;
        result.message = QString::fromUtf8(nothingToExportText);
        return result;
    }
    result.path = path;
    const LabelTextFileResult written = write();
    const QString kept = written.ok() ? rows.exported(path, written.lines, settings) : QString();
    rows.endReading();
    if (!written.ok()) {
        result.kind = written.outcome == LabelTextFileResult::Outcome::NoLines ? ExportResult::Kind::NoLines
                                                                               : ExportResult::Kind::Failed;
        result.message = written.error;
        return result;
    }
    result.kind = ExportResult::Kind::Written;
    result.lines = written.lines;
    result.message = QString::fromUtf8(exportDoneText) + QDir::toNativeSeparators(result.path);
    if (!kept.isEmpty()) {
        result.message += QLatin1Char('\n') + kept;
    }
    return result;
}

ExportRun runLabelExport(QueueRowSource &rows, Prompts &prompts, const std::function<ExportResult()> &exportFile,
                         const LabelProgramCall &program, const ExportReview &review)
{
    ExportRun run;
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
    const bool written = run.result.kind == ExportResult::Kind::Written;
    // A new store's first export would otherwise end in silence.
    if (written && storedLabelProgram(program.programDir, program.ini).isEmpty()) {
        run.result.message += QLatin1Char('\n') + QString::fromUtf8(noLabelProgramText) + program.ini.whereToSet;
    }
    prompts.embossedMessage(run.result.message);
    if (written) {
        run.launch = launchLabelProgram(program.programDir, program.ini, program.parameter, program.launcher);
    }
    return run;
}
