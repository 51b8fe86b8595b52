#include "labelqueue/CountRuleAfterImport.h"

#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueCounts.h"

AddedRowsSink::AddedRowsSink(ReplyRecordSink &sink, const LabelQueue &queue)
    : sink_(sink)
    , queue_(queue)
{}

QString AddedRowsSink::append(const ReplyRecord &record)
{
    const QString refused = sink_.append(record);
    if (refused.isEmpty()) {
        // A stored row is the queue's current one.
        recordNumbers_.push_back(queue_.recordNumber(queue_.currentRow()));
    }
    return refused;
}

QString AddedRowsSink::beginImport()
{
    return sink_.beginImport();
}

QString AddedRowsSink::endImport()
{
    return sink_.endImport();
}

QString applyCountRuleAfterImport(LabelQueue &queue, const QueueSide &side, const CountRule &rule,
                                  const std::vector<int> &recordNumbers)
{
    if (recordNumbers.empty()) {
        return QString();
    }
    const CountOutcome outcome = applyCountRuleToQueue(queue, side, rule, CountTarget{recordNumbers});
    if (!outcome.status.ok()) {
        return QStringLiteral("張數規則沒有套用：") + outcome.status.error();
    }
    QString text = QStringLiteral("張數規則：") + countSummary(outcome.plan);
    if (!outcome.plan.leftAlone.empty()) {
        text += QStringLiteral("，%1 筆不變更").arg(outcome.plan.leftAlone.size());
    }
    return text;
}
