#pragma once

#include "labelqueue/CountRule.h"
#include "labelqueue/ReplyRecord.h"

#include <QString>

#include <vector>

class LabelQueue;
struct QueueSide;

// Passes an import's rows on to sink and notes the records it added, for a
// count rule that follows the import.
class AddedRowsSink : public ReplyRecordSink
{
public:
    AddedRowsSink(ReplyRecordSink &sink, const LabelQueue &queue);
    QString append(const ReplyRecord &record) override;
    QString beginImport() override;
    QString endImport() override;

    const std::vector<int> &recordNumbers() const { return recordNumbers_; }

private:
    ReplyRecordSink &sink_;
    const LabelQueue &queue_;
    std::vector<int> recordNumbers_;
};

// Applies rule to the rows an import added and says how it went, for the
// import's completion message: "張數規則：共 12 筆，標籤 12 → 36 張", or why
// nothing was written.
QString applyCountRuleAfterImport(LabelQueue &queue, const QueueSide &side, const CountRule &rule,
                                  const std::vector<int> &recordNumbers);
