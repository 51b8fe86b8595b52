#pragma once

#include "labelqueue/CountRule.h"
#include "labelqueue/DbfResult.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

class LabelQueue;
struct QueueSide;

// The rows a count rule is for: every row of the queue, or these records
// (rows another program deleted meanwhile drop out).
struct CountTarget {
    std::optional<std::vector<int>> recordNumbers;
};

// The label counts of the target's rows as the table holds them.
struct QueueCountRows {
    std::vector<int> rows; // queue rows, ascending
    std::vector<int> recordNumbers;
    std::vector<std::optional<double>> counts;
    int fieldWidth = 0; // of the count field in this table
    int fieldDecimals = 0;
    QString error; // the rows could not be read
};

QueueCountRows readQueueCounts(LabelQueue &queue, const QueueSide &side, const CountTarget &target);

// What a rule makes of the rows: the labels before and after, the rows it
// leaves alone, and the counts to write.
struct CountPlan {
    struct LeftAlone {
        int row = 0;
        CountRuleResult result;
    };
    int rows = 0;
    double labelsBefore = 0;
    double labelsAfter = 0;
    std::vector<LeftAlone> leftAlone;
    std::vector<std::pair<int, double>> changes; // record number, new count
    // A count too wide for the field: nothing may be written.
    QString tooWide;
};

CountPlan planCounts(const QueueCountRows &rows, const CountRule &rule);

// "共 312 筆，標籤 1,046 → 1,402 張".
QString countSummary(const CountPlan &plan);

// A rule applied to the queue's table as one change under its exclusive lock:
// the counts are read under the lock and every changed count is written or
// none is. status says why nothing was written.
struct CountOutcome {
    CountPlan plan;
    DbfStatus status = DbfStatus::success();
};

CountOutcome applyCountRuleToQueue(LabelQueue &queue, const QueueSide &side, const CountRule &rule,
                                   const CountTarget &target);
