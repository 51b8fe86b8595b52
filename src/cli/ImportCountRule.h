#pragma once

#include "cli/ImportOptions.h"
#include "labelqueue/CountRule.h"

#include <QByteArray>
#include <QString>

#include <optional>

class AddedRowsSink;
class LabelQueue;
struct ImportOutcome;
struct QueueSide;

// Every import takes --count-rule NAME: the stored rule of that import kind
// applied to the rows it adds.
inline constexpr ImportOption countRuleOption{"count-rule", 64};

// The count rule an import applies to the rows it adds: the stored rule
// named by --count-rule, else the one stored for the import's own kind to
// apply by itself.
struct ImportCountRule {
    std::optional<CountRule> rule;
    QString error;  // a named rule that cannot be used: the import is not run
    QString notice; // the rules file is damaged: told, and no rule applies
};

ImportCountRule importCountRule(const QString &programDir, const QByteArray &kind, const ImportOptionValues &values);

// The rule applied to the rows added noted, its totals (or why it was not
// applied) added to the import's message.
void applyImportCountRule(const ImportCountRule &countRule, LabelQueue &queue, const QueueSide &side,
                          const AddedRowsSink &added, ImportOutcome &outcome);
