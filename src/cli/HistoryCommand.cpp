#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/ExportRun.h"
#include "cli/ProductCommandFiles.h"
#include "components/Big5.h"
#include "components/ProgramLauncher.h"
#include "customerlabels/CustomerExport.h"
#include "labelqueue/LabelExport.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/PrintHistory.h"
#include "labelqueue/QueueRequeue.h"
#include "labelqueue/QueueSide.h"
#include "productlabels/ProductExport.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The settings in force, the field names and then the rows, each a line of
// tab-separated fields led by "setting", "fields" or the row's number.
int showExport(const PrintHistory &printHistory, const QString &queue, qint64 id)
{
    const DbfResult<ExportedRows> exported = printHistory.rowsOf(queue, id);
    if (!exported.ok()) {
        Console::err(QStringLiteral("history --show: ") + exported.error());
        return ExitCode::failed;
    }
    const ExportedRows &rows = exported.value();
    for (const QByteArray &setting : rows.settings().split('\n')) {
        if (!setting.isEmpty()) {
            Console::outFields({QStringLiteral("setting"), Big5::decode(setting)});
        }
    }
    QStringList names{QStringLiteral("fields")};
    for (const QByteArray &name : rows.fieldNames()) {
        names.append(QString::fromLatin1(name));
    }
    Console::outFields(names);
    for (int row = 0; row < rows.rowCount(); ++row) {
        QStringList values{QString::number(row + 1)};
        for (int field = 0; field < rows.fieldNames().size(); ++field) {
            values.append(Big5::decode(rows.value(row, field).toByteArray()));
        }
        Console::outFields(values);
    }
    return ExitCode::ok;
}

int requeue(const NamedQueue &named, qint64 id)
{
    LabelQueue queue(named.side().fields);
    if (!named.openOrTell(queue)) {
        return ExitCode::failed;
    }
    const DbfResult<int> added = requeueExport(queue, id);
    if (!added.ok()) {
        Console::err(QStringLiteral("history --requeue: ") + added.error());
        return ExitCode::failed;
    }
    Console::out(QStringLiteral("已加回佇列：%1 筆").arg(added.value()));
    return ExitCode::ok;
}

int history(CommandContext &context, const QStringList &arguments)
{
    const QString command = QStringLiteral("history");
    const std::optional<NamedQueue> named = namedQueue(command, arguments.value(0));
    if (!named) {
        return ExitCode::usage;
    }
    // The history lies beside the queue table, whether or not the table is there now.
    const QString tablePath = QFileInfo(named->side().tableFileName).absoluteFilePath();
    PrintHistory printHistory(QueueJournal::pathBeside(tablePath));
    const QString queue = QFileInfo(tablePath).fileName();

    const QString action = arguments.value(1);
    if (action.isEmpty()) {
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
    if (action != QLatin1String("--reexport") && action != QLatin1String("--show") &&
        action != QLatin1String("--requeue")) {
        Console::err(command + QStringLiteral(": \"%1\" is not understood").arg(action));
        return ExitCode::usage;
    }
    bool isNumber = false;
    const qint64 id = arguments.value(2).toLongLong(&isNumber);
    if (!isNumber) {
        Console::err(command + QStringLiteral(": %1 takes the ID the list prints").arg(action));
        return ExitCode::usage;
    }
    if (action != QLatin1String("--reexport")) {
        if (arguments.size() > 3) {
            Console::err(command + QStringLiteral(": \"%1\" is not understood").arg(arguments.value(3)));
            return ExitCode::usage;
        }
        return action == QLatin1String("--show") ? showExport(printHistory, queue, id) : requeue(*named, id);
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
            return named->products
                       ? launchProductLabelProgram(context.programDir, parameter, ProgramLauncher::system())
                       : launchCustomerLabelProgram(context.programDir, parameter, ProgramLauncher::system());
        });
}

} // namespace

Command historyCommand()
{
    return {{QStringLiteral("history")},
            QStringLiteral("products|customers [--show ID] [--reexport ID [--no-launch] [--parameter 1|2]] "
                           "[--requeue ID]"),
            QStringLiteral("list the exports of bar1.dbf or bar2.DBF, newest first, one a line: "
                           "ID, TIME, ROWS, LINES, LABELS; --show prints the settings and the rows export ID was "
                           "written from; --reexport writes its bytes to its label file again and starts the label "
                           "program as the export does; --requeue appends its rows to the queue (undo takes them "
                           "back); exit 1 when refused"),
            1,
            6,
            history};
}
