#include "productlabels/LabelExport.h"

#include "components/Prompts.h"
#include "productlabels/LabelRowSource.h"

#include <QDir>

LabelExportResult exportLabelFile(LabelRowSource &rows, const LabelLines &lines, const QString &path)
{
    LabelExportResult result;
    if (rows.rowCount() == 0) {
        result.kind = LabelExportResult::Kind::EmptyQueue;
        result.message = QString::fromUtf8(nothingToExportText);
        return result;
    }
    result.path = path;
    const LabelTextFileResult written = writeLabelTextFile(rows, lines, path);
    if (!written.ok()) {
        result.kind = LabelExportResult::Kind::Failed;
        result.message = written.error;
        return result;
    }
    result.kind = LabelExportResult::Kind::Written;
    result.lines = written.lines;
    result.message = QString::fromUtf8(exportDoneText) + QDir::toNativeSeparators(path);
    return result;
}

LabelExportRun runLabelExport(LabelRowSource &rows, Prompts &prompts, const std::function<LabelExportResult()> &write,
                              const std::function<LabelProgramLaunch()> &launch)
{
    LabelExportRun run;
    if (rows.rowCount() == 0) {
        run.result.message = QString::fromUtf8(nothingToExportText);
        prompts.msg3dShow(run.result.message);
        return run;
    }
    if (!prompts.confirm(QString::fromUtf8(confirmExportQuestion))) {
        return run;
    }
    run.confirmed = true;
    run.result = write();
    prompts.msg3dShow(run.result.message);
    if (run.result.kind == LabelExportResult::Kind::Written) {
        run.launch = launch();
    }
    return run;
}
