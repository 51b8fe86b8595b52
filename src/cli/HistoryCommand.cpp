#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/ExportRun.h"
#include "cli/ProductCommandFiles.h"
#include "components/ProgramLauncher.h"
#include "customerlabels/CustomerExport.h"
#include "customerlabels/CustomerQueueTable.h"
#include "labelqueue/LabelExport.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/PrintHistory.h"
#include "productlabels/ProductExport.h"
#include "productlabels/ProductQueueTable.h"

#include <QDir>
#include <QFileInfo>

namespace {

int history(CommandContext &context, const QStringList &arguments)
{
    const QString command = QStringLiteral("history");
    const QString sideName = arguments.value(0);
    const bool products = sideName == QLatin1String("products");
    if (!products && sideName != QLatin1String("customers")) {
        Console::err(command + QStringLiteral(": say products or customers, not \"%1\"").arg(sideName));
        return ExitCode::usage;
    }
    const QString tableName = products ? ProductQueueTable::fileName() : CustomerQueueTable::fileName();
    // The history lies beside the queue table, whether or not the table is there now.
    const QString tablePath = QFileInfo(tableName).absoluteFilePath();
    PrintHistory printHistory(QueueJournal::pathBeside(tablePath));
    const QString queue = QFileInfo(tablePath).fileName();

    if (arguments.value(1) != QLatin1String("--reexport")) {
        if (arguments.size() > 1) {
            Console::err(command + QStringLiteral(": \"%1\" is not understood").arg(arguments.value(1)));
            return ExitCode::usage;
        }
        const DbfResult<std::vector<PrintedExport>> exports = printHistory.exports(queue);
        if (!exports.ok()) {
            Console::err(command + QStringLiteral(": ") + exports.error());
            return ExitCode::failed;
        }
        for (const PrintedExport &printed : exports.value()) {
            Console::outFields({QString::number(printed.id), printed.made.toString(Qt::ISODate),
                                QString::number(printed.rows), QString::number(printed.lines),
                                QString::number(printed.labels)});
        }
        return ExitCode::ok;
    }
    bool isNumber = false;
    const qint64 id = arguments.value(2).toLongLong(&isNumber);
    if (!isNumber) {
        Console::err(command + QStringLiteral(": --reexport takes the ID the list prints"));
        return ExitCode::usage;
    }
    return runExportCommand(
        command + QStringLiteral(" --reexport"), arguments.mid(3),
        [&] {
            const DbfResult<PrintedExport> written = printHistory.writeAgain(queue, id);
            if (!written.ok()) {
                return ExportResult{ExportResult::Kind::Failed, written.error(), {}, 0};
            }
            const QString path = written.value().labelFile;
            return ExportResult{ExportResult::Kind::Written,
                                QString::fromUtf8(exportDoneText) + QDir::toNativeSeparators(path), path,
                                written.value().lines};
        },
        [&](LabelProgramParameter parameter) {
            return products ? launchProductLabelProgram(context.programDir, parameter, ProgramLauncher::system())
                            : launchCustomerLabelProgram(context.programDir, parameter, ProgramLauncher::system());
        });
}

} // namespace

Command historyCommand()
{
    return {{QStringLiteral("history")},
            QStringLiteral("products|customers [--reexport ID [--no-launch] [--parameter 1|2]]"),
            QStringLiteral("list the exports of bar1.dbf or bar2.DBF, newest first, one a line: "
                           "ID, TIME, ROWS, LINES, LABELS; --reexport writes the bytes of export ID to its label "
                           "file again and starts the label program as the export does"),
            1,
            6,
            history};
}
