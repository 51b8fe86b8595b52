#pragma once

#include <QString>

struct CommandContext;
struct ImportOutcome;

// Prints how an import ended, then the rows added to the table; the exit code.
int reportImport(CommandContext &context, const QString &command, const ImportOutcome &outcome,
                 const QString &tableFileName);
