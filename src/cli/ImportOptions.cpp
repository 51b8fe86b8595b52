#include "cli/ImportOptions.h"

#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/ExchangeReport.h"
#include "cli/ImportCountRule.h"
#include "cli/ProductCommandFiles.h"
#include "components/Big5.h"
#include "exchange/ServerExchange.h"
#include "labelqueue/CountRuleAfterImport.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueAccess.h"
#include "productlabels/ProductImport.h"
#include "productlabels/ProductQueueTable.h"
#include "settings/ProductOutputSettings.h"

#include <optional>

namespace {

const ImportOption *findOption(const QList<ImportOption> &options, const QString &name)
{
    for (const ImportOption &option : options) {
        if (name == QLatin1String("--") + QLatin1String(option.name)) {
            return &option;
        }
    }
    return nullptr;
}

} // namespace

ImportOptionValues parseImportOptions(const QStringList &arguments, const QList<ImportOption> &options)
{
    ImportOptionValues parsed;
    for (qsizetype i = 0; i < arguments.size() && parsed.error.isEmpty(); ++i) {
        QString name = arguments[i];
        std::optional<QString> value;
        const qsizetype equals = name.indexOf(u'=');
        if (name.startsWith(QStringLiteral("--")) && equals > 0) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        }
        const ImportOption *option = findOption(options, name);
        if (!option || (option->maxBytes == 0 && value)) {
            parsed.error = QStringLiteral("unknown option \"%1\"").arg(arguments[i]);
            continue;
        }
        const QString optionName = QLatin1String(option->name);
        if (option->maxBytes == 0) {
            parsed.switches.insert(optionName);
            continue;
        }
        if (!value) {
            if (i + 1 >= arguments.size()) {
                parsed.error = QStringLiteral("%1 needs a value").arg(name);
                continue;
            }
            value = arguments[++i];
        }
        const Big5::Encoding bytes = Big5::encode(*value);
        if (option->isDate && (!bytes.ok() || bytes.bytes.size() > option->maxBytes)) {
            parsed.malformedDate = true;
        } else if (!bytes.ok()) {
            parsed.error = name + QStringLiteral(": ") + bytes.errorText();
        } else if (bytes.bytes.size() > option->maxBytes) {
            parsed.error = QStringLiteral("%1 takes at most %2 bytes of Big5; \"%3\" has %4")
                               .arg(name)
                               .arg(option->maxBytes)
                               .arg(*value)
                               .arg(bytes.bytes.size());
        } else {
            parsed.texts.insert(optionName, bytes.bytes);
        }
    }
    return parsed;
}

int importIntoQueue(CommandContext &context, const QString &command, const ImportCountRule &countRule,
                    const std::function<ImportOutcome(const ExpansionValues &, ReplyRecordSink &)> &run)
{
    const ProductOutputSettings settings = loadProductSettings(context.programDir);
    LabelQueue queue(ProductQueueTable::fields());
    if (!openProductQueueOrTell(queue)) {
        return ExitCode::failed;
    }
    QueueWriter writer(queue, ProductQueueTable::side());
    AddedRowsSink added(writer, queue);
    ImportOutcome outcome = run(expansionValues(settings), added);
    applyImportCountRule(countRule, queue, ProductQueueTable::side(), added, outcome);
    return reportImport(context, command, outcome, ProductQueueTable::fileName());
}

int reportImport(CommandContext &context, const QString &command, const ImportOutcome &outcome,
                 const QString &tableFileName)
{
    const QString added = QStringLiteral("%1 rows added to %2").arg(outcome.rowsAdded).arg(tableFileName);
    switch (outcome.kind) {
    case ImportOutcome::Kind::QueueInUse:
        Console::err(outcome.message);
        return ExitCode::failed;
    case ImportOutcome::Kind::ExchangeFailed:
        Console::err(context.exchange.statusLine());
        Console::err(command + QStringLiteral(" failed: ") + exchangeFailure(context.exchange));
        return ExitCode::failed;
    case ImportOutcome::Kind::NoData:
    case ImportOutcome::Kind::Completed:
        if (!outcome.message.isEmpty()) {
            Console::out(outcome.message);
        }
        Console::out(added);
        return ExitCode::ok;
    case ImportOutcome::Kind::FillFailed:
        Console::err(outcome.message);
        Console::out(added);
        return ExitCode::failed;
    }
    return ExitCode::failed;
}
