#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

// The options of the import commands, named after the request keys they
// fill: "--name value" or "--name=value" for a text, "--name" alone for a
// switch. A text is what the user would type into the dialog's field: Big5,
// and within the field's byte limit.
struct ImportOption {
    const char *name;
    int maxBytes; // 0: a switch that takes no value
    // A date: a value no date field could hold is a malformed date, as the
    // dialog says of anything typed there that is no date.
    bool isDate = false;
};

struct ImportOptionValues {
    QHash<QString, QByteArray> texts; // Big5 bytes, by option name
    QSet<QString> switches;
    QString error;              // a whole message for the user; empty when the arguments are good
    bool malformedDate = false; // a date option's value is not Big5 or longer than the field

    bool has(const char *name) const { return texts.contains(QLatin1String(name)); }
    QByteArray text(const char *name) const { return texts.value(QLatin1String(name)); }
    bool isOn(const char *name) const { return switches.contains(QLatin1String(name)); }
};

ImportOptionValues parseImportOptions(const QStringList &arguments, const QList<ImportOption> &options);

struct CommandContext;
struct ExpansionValues;
struct ImportCountRule;
struct ImportOutcome;
class ReplyRecordSink;

// Opens "bar1.dbf", runs the import into it with the expansion values of the
// output settings, applies the count rule to the rows it added, prints how it
// ended (the completion or no-data message with the rule's totals and the
// rows added, or why it failed) and returns the exit code.
int importIntoQueue(CommandContext &context, const QString &command, const ImportCountRule &countRule,
                    const std::function<ImportOutcome(const ExpansionValues &, ReplyRecordSink &)> &run);

// Prints how an import into tableFileName ended (the completion or no-data
// message and the rows added, or why it failed) and returns the exit code.
int reportImport(CommandContext &context, const QString &command, const ImportOutcome &outcome,
                 const QString &tableFileName);
