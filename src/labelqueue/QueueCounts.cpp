#include "labelqueue/QueueCounts.h"

#include "components/NumberText.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueAccess.h"
#include "labelqueue/QueueSide.h"

#include <cmath>

namespace {

// The count field: the first value of every import reply.
int countField(const QueueSide &side)
{
    return side.replyFields.front();
}

bool fitsField(double count, int width, int decimals)
{
    const int wholeDigits = width - (decimals > 0 ? decimals + 1 : 0);
    return std::isfinite(count) && wholeDigits > 0 && count < std::pow(10.0, wholeDigits);
}

} // namespace

QueueCountRows readQueueCounts(LabelQueue &queue, const QueueSide &side, const CountTarget &target)
{
    QueueCountRows counts;
    QueueReader reader(queue, side);
    counts.error = reader.beginReading();
    if (!counts.error.isEmpty()) {
        return counts;
    }
    const int field = countField(side);
    counts.fieldWidth = queue.fieldWidth(field);
    counts.fieldDecimals = queue.fieldDecimals(field);
    if (target.recordNumbers) {
        for (const int recordNumber : *target.recordNumbers) {
            const int row = queue.rowOfRecord(recordNumber);
            if (row >= 0) {
                counts.rows.push_back(row);
            }
        }
    } else {
        counts.rows.resize(size_t(queue.rowCount()));
        for (int row = 0; row < queue.rowCount(); ++row) {
            counts.rows[size_t(row)] = row;
        }
    }
    counts.recordNumbers.reserve(counts.rows.size());
    counts.counts.reserve(counts.rows.size());
    for (const int row : counts.rows) {
        counts.error = reader.read(row);
        if (!counts.error.isEmpty()) {
            break;
        }
        counts.recordNumbers.push_back(queue.recordNumber(row));
        counts.counts.push_back(reader.number(field));
    }
    reader.endReading();
    return counts;
}

CountPlan planCounts(const QueueCountRows &rows, const CountRule &rule)
{
    CountPlan plan;
    plan.rows = int(rows.rows.size());
    for (size_t i = 0; i < rows.rows.size(); ++i) {
        const std::optional<double> count = rows.counts[i];
        const CountRuleResult result = applyCountRule(rule, count);
        plan.labelsBefore += count.value_or(0);
        if (!result.applies()) {
            plan.labelsAfter += count.value_or(0);
            plan.leftAlone.push_back({rows.rows[i], result});
            continue;
        }
        plan.labelsAfter += result.count;
        if (count == result.count) {
            continue;
        }
        if (plan.tooWide.isEmpty() && !fitsField(result.count, rows.fieldWidth, rows.fieldDecimals)) {
            plan.tooWide = QStringLiteral("第 %1 筆的 %2 張放不下列印張數欄（QUAN，寬 %3 位）")
                               .arg(rows.rows[i] + 1)
                               .arg(QString::fromLatin1(groupedNumberText(result.count)))
                               .arg(rows.fieldWidth);
        }
        plan.changes.emplace_back(rows.recordNumbers[i], result.count);
    }
    return plan;
}

QString countSummary(const CountPlan &plan)
{
    return QStringLiteral("共 %1 筆，標籤 %2 → %3 張")
        .arg(QString::fromLatin1(groupedNumberText(plan.rows)),
             QString::fromLatin1(groupedNumberText(plan.labelsBefore)),
             QString::fromLatin1(groupedNumberText(plan.labelsAfter)));
}

CountOutcome applyCountRuleToQueue(LabelQueue &queue, const QueueSide &side, const CountRule &rule,
                                   const CountTarget &target)
{
    CountOutcome outcome;
    outcome.status = queue.lock(TableFileLock::Mode::Exclusive);
    if (!outcome.status.ok()) {
        return outcome;
    }
    const QueueCountRows rows = readQueueCounts(queue, side, target);
    outcome.plan = planCounts(rows, rule);
    if (!rows.error.isEmpty()) {
        outcome.status = DbfStatus::failure(rows.error);
    } else if (!outcome.plan.tooWide.isEmpty()) {
        outcome.status = DbfStatus::failure(outcome.plan.tooWide);
    } else if (!outcome.plan.changes.empty()) {
        outcome.status = queue.setNumbers(countField(side), outcome.plan.changes);
    }
    const DbfStatus unlocked = queue.unlock();
    if (outcome.status.ok()) {
        outcome.status = unlocked;
    }
    return outcome;
}
