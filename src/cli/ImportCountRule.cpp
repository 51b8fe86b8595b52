#include "cli/ImportCountRule.h"

#include "labelqueue/CountRuleAfterImport.h"
#include "labelqueue/CountRuleStore.h"
#include "labelqueue/QueueImport.h"

ImportCountRule importCountRule(const QString &programDir, const QByteArray &kind, const ImportOptionValues &values)
{
    ImportCountRule chosen;
    CountRuleStore store(programDir);
    store.load();
    const bool named = values.has(countRuleOption.name);
    if (!store.problem().isEmpty()) {
        (named ? chosen.error : chosen.notice) = store.problem();
        return chosen;
    }
    const QByteArray name = named ? values.text(countRuleOption.name) : kind;
    const std::optional<StoredCountRule> stored = store.rule(name);
    if (named && !stored) {
        QStringList known;
        for (const CountRuleKind &each : countRuleKinds()) {
            if (store.rule(each.key)) {
                known.append(QString::fromLatin1(each.key));
            }
        }
        chosen.error = QStringLiteral("--count-rule: %1 holds no rule \"%2\" (stored: %3)")
                           .arg(CountRuleStore::fileName(), QString::fromLatin1(name),
                                known.isEmpty() ? QStringLiteral("none") : known.join(QStringLiteral(", ")));
        return chosen;
    }
    if (stored && (named || stored->automatic)) {
        chosen.rule = stored->rule;
    }
    return chosen;
}

void applyImportCountRule(const ImportCountRule &countRule, LabelQueue &queue, const QueueSide &side,
                          const AddedRowsSink &added, ImportOutcome &outcome)
{
    if (!countRule.rule) {
        return;
    }
    const QString counted = applyCountRuleAfterImport(queue, side, *countRule.rule, added.recordNumbers());
    if (!counted.isEmpty()) {
        outcome.message += (outcome.message.isEmpty() ? QString() : QStringLiteral("\n")) + counted;
    }
}
