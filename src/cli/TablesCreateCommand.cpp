#include "app/QueueTables.h"
#include "cli/Command.h"
#include "cli/Console.h"

#include <QDir>

namespace {
int tablesCreate(CommandContext &, const QStringList &)
{
    int exitCode = ExitCode::ok;
    for (const QueueTableCreation &table : createQueueTables(QDir::currentPath())) {
        switch (table.outcome) {
        case QueueTableCreation::Outcome::Created:
            Console::out(QStringLiteral("created %1").arg(table.fileName));
            break;
        case QueueTableCreation::Outcome::AlreadyExisted:
            Console::out(QStringLiteral("%1 already exists; left as it is").arg(table.fileName));
            break;
        case QueueTableCreation::Outcome::Failed:
            Console::err(QStringLiteral("%1 could not be created: %2").arg(table.fileName, table.error));
            exitCode = ExitCode::failed;
            break;
        }
    }
    return exitCode;
}
} // namespace

Command tablesCreateCommand()
{
    return {{QStringLiteral("tables"), QStringLiteral("create")},
            {},
            QStringLiteral("create empty bar1.dbf and bar2.DBF in the working directory (never over a table)"),
            0,
            0,
            tablesCreate};
}
