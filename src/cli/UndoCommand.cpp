#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/ImportOptions.h"
#include "cli/ProductCommandFiles.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueSide.h"

namespace {

int undo(CommandContext &, const QStringList &arguments)
{
    const QString command = QStringLiteral("undo");
    const std::optional<NamedQueue> named = namedQueue(command, arguments.value(0));
    if (!named) {
        return ExitCode::usage;
    }
    const ImportOptionValues values = parseImportOptions(arguments.mid(1), {{"list", 0}, {"redo", 0}});
    if (!values.error.isEmpty()) {
        Console::err(command + QStringLiteral(": ") + values.error);
        return ExitCode::usage;
    }
    LabelQueue queue(named->side().fields);
    if (!named->openOrTell(queue)) {
        return ExitCode::failed;
    }
    if (values.isOn("list")) {
        const DbfResult<std::vector<JournalStep>> steps = queue.journalSteps();
        if (!steps.ok()) {
            Console::err(command + QStringLiteral(": ") + steps.error());
            return ExitCode::failed;
        }
        for (const JournalStep &step : steps.value()) {
            Console::outFields({QString::number(step.id), step.made.toString(Qt::ISODate),
                                step.undone ? QStringLiteral("undone") : QStringLiteral("done"), step.description()});
        }
        return ExitCode::ok;
    }
    const bool redoing = values.isOn("redo");
    const DbfResult<JournalStep> stepped = redoing ? queue.redo() : queue.undo();
    if (!stepped.ok()) {
        Console::err(command + QStringLiteral(": ") + stepped.error());
        return ExitCode::failed;
    }
    Console::out((redoing ? QStringLiteral("已重做：") : QStringLiteral("已復原：")) + stepped.value().description());
    return ExitCode::ok;
}

} // namespace

Command undoCommand()
{
    return {{QStringLiteral("undo")},
            QStringLiteral("products|customers [--list] [--redo]"),
            QStringLiteral("undo the latest change to bar1.dbf or bar2.DBF (--redo: make the latest undone one "
                           "again); --list prints the changes that may be undone, newest first, then those that may "
                           "be redone; exit 1 when refused"),
            1,
            2,
            undo};
}
