#include "cli/Command.h"
#include "cli/Console.h"
#include "cli/ImportOptions.h"
#include "cli/ProductCommandFiles.h"
#include "components/NumberText.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueCounts.h"
#include "labelqueue/QueueSide.h"

#include <optional>

namespace {

using Field = CountRuleTexts::Field;

const struct {
    ImportOption option;
    QString CountRuleTexts::*text;
    Field field;
} ruleOptions[] = {
    {{"set", 32}, &CountRuleTexts::fixedCount, Field::Fixed},
    {{"times", 32}, &CountRuleTexts::factor, Field::Factor},
    {{"plus", 32}, &CountRuleTexts::sparesPerRow, Field::Spares},
    {{"plus-percent", 32}, &CountRuleTexts::percent, Field::Percent},
    {{"round", 32}, &CountRuleTexts::rounding, Field::Rounding},
    {{"min", 32}, &CountRuleTexts::minimum, Field::Minimum},
    {{"max", 32}, &CountRuleTexts::maximum, Field::Maximum},
};

QList<ImportOption> countOptions()
{
    QList<ImportOption> options = {{"zero-too", 0}, {"rows", 32}, {"dry-run", 0}};
    for (const auto &rule : ruleOptions) {
        options.append(rule.option);
    }
    return options;
}

// "FIRST-LAST" or one row, counted from 1, as record numbers of the queue.
std::optional<std::vector<int>> rowRange(const QString &text, const LabelQueue &queue, QString &error)
{
    const QStringList ends = text.split(u'-');
    bool firstOk = false;
    bool lastOk = false;
    const int first = ends.value(0).toInt(&firstOk);
    const int last = ends.size() == 2 ? ends[1].toInt(&lastOk) : first;
    if (ends.size() > 2 || !firstOk || (ends.size() == 2 && !lastOk) || first < 1 || last < first ||
        last > queue.rowCount()) {
        error =
            QStringLiteral("--rows takes FIRST-LAST within rows 1 to %1, not \"%2\"").arg(queue.rowCount()).arg(text);
        return std::nullopt;
    }
    std::vector<int> records;
    for (int row = first - 1; row < last; ++row) {
        records.push_back(queue.recordNumber(row));
    }
    return records;
}

void printPlan(const CountPlan &plan)
{
    Console::out(QStringLiteral("%1 rows, %2 -> %3 labels")
                     .arg(plan.rows)
                     .arg(QString::fromLatin1(generalNumberText(plan.labelsBefore)),
                          QString::fromLatin1(generalNumberText(plan.labelsAfter))));
    for (const CountPlan::LeftAlone &row : plan.leftAlone) {
        Console::outFields({QString::number(row.row + 1), leftAloneReason(row.result)});
    }
}

int counts(CommandContext &, const QStringList &arguments)
{
    const QString command = QStringLiteral("counts");
    const std::optional<NamedQueue> named = namedQueue(command, arguments.value(0));
    if (!named) {
        return ExitCode::usage;
    }
    const ImportOptionValues values = parseImportOptions(arguments.mid(1), countOptions());
    if (!values.error.isEmpty()) {
        Console::err(command + QStringLiteral(": ") + values.error);
        return ExitCode::usage;
    }
    CountRuleTexts texts;
    for (const auto &rule : ruleOptions) {
        texts.*(rule.text) = QString::fromLatin1(values.text(rule.option.name));
    }
    texts.zeroRowsToo = values.isOn("zero-too");
    const CountRuleParse parse = parseCountRule(texts);
    if (!parse.rule) {
        const auto wrong = std::find_if(std::begin(ruleOptions), std::end(ruleOptions),
                                        [&](const auto &rule) { return rule.field == parse.field; });
        Console::err(
            command +
            QStringLiteral(": --%1 %2; nothing written").arg(QLatin1String(wrong->option.name), parse.problem));
        return ExitCode::usage;
    }

    const QueueSide &side = named->side();
    LabelQueue queue(side.fields);
    const bool dryRun = values.isOn("dry-run");
    const DbfTable::Access access = dryRun ? DbfTable::Access::ReadOnly : DbfTable::Access::ReadWrite;
    if (!named->openOrTell(queue, access)) {
        return ExitCode::failed;
    }
    CountTarget target;
    if (values.has("rows")) {
        QString error;
        target.recordNumbers = rowRange(QString::fromLatin1(values.text("rows")), queue, error);
        if (!target.recordNumbers) {
            Console::err(command + QStringLiteral(": ") + error);
            return ExitCode::usage;
        }
    }
    CountOutcome outcome;
    if (dryRun) {
        const QueueCountRows rows = readQueueCounts(queue, side, target);
        outcome.plan = planCounts(rows, *parse.rule);
        outcome.status = !rows.error.isEmpty()             ? DbfStatus::failure(rows.error)
                         : !outcome.plan.tooWide.isEmpty() ? DbfStatus::failure(outcome.plan.tooWide)
                                                           : DbfStatus::success();
    } else {
        outcome = applyCountRuleToQueue(queue, side, *parse.rule, target);
    }
    if (!outcome.status.ok()) {
        Console::err(command + QStringLiteral(": ") + outcome.status.error() + QStringLiteral("; nothing written"));
        return ExitCode::failed;
    }
    printPlan(outcome.plan);
    return ExitCode::ok;
}

} // namespace

Command countsCommand()
{
    return {{QStringLiteral("counts")},
            QStringLiteral("products|customers [--set N] [--times K] [--plus N] [--plus-percent P] "
                           "[--round up|down|nearest] [--min N] [--max N] [--zero-too] [--rows FIRST-LAST] "
                           "[--dry-run]"),
            QStringLiteral("set the label counts (QUAN) of bar1.dbf or bar2.DBF by a rule, in one change; prints the "
                           "rows, the labels before and after and the rows left alone"),
            1,
            24,
            counts};
}
