#pragma once

#include "labelqueue/DbfResult.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/RowMatcher.h"

#include <QList>

#include <optional>
#include <vector>

// The rows of a queue that hold every word of a search in the given fields
// (each word in any of them), found over the table's bytes a run of rows at a
// time without a copy of the table. The search goes step by step, so a window
// can look at a large queue between keystrokes; a narrower search looks only
// at the rows a broader one found. Rows are named by record number, which a
// deletion does not change.
class QueueSearch
{
public:
    // fields are indexes in the queue's field list. among: the record numbers
    // (ascending) a broader search found; every row when not given.
    QueueSearch(const LabelQueue &queue, QList<int> fields, RowMatcher matcher,
                std::optional<std::vector<int>> among = std::nullopt);

    // Looks at up to rows more rows; a read that fails ends the search with its reason.
    DbfStatus step(int rows);
    bool isDone() const { return next_ >= total(); }
    // The record numbers of the matching rows, ascending.
    const std::vector<int> &matches() const { return matches_; }
    const RowMatcher &matcher() const { return matcher_; }
    const QList<int> &fields() const { return fields_; }

    // The whole search at once.
    static DbfResult<std::vector<int>> run(const LabelQueue &queue, const QList<int> &fields,
                                           const RowMatcher &matcher);

private:
    struct Slot {
        int offset = 0;
        int width = 0;
    };
    int total() const;
    // The bytes of the row holding recordNumber, or empty with error set.
    QByteArrayView recordBytes(int row, int recordNumber, DbfStatus &error);
    void useLayout(const std::shared_ptr<const DbfLayout> &layout);
    bool matches(QByteArrayView record) const;

    const LabelQueue &queue_;
    QList<int> fields_;
    RowMatcher matcher_;
    std::optional<std::vector<int>> among_;
    bool rowByRow_ = false; // few rows left to look at: one read each beats a run each
    int next_ = 0;
    std::vector<int> matches_;
    LabelQueueRun run_;
    DbfRecord single_;
    std::shared_ptr<const DbfLayout> layout_;
    std::vector<Slot> slots_;
};
