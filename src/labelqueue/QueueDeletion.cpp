#include "labelqueue/QueueDeletion.h"

#include "labelqueue/LabelQueue.h"

#include <algorithm>

DbfResult<int> deleteQueueRecords(LabelQueue &queue, const std::vector<int> &recordNumbers)
{
    const DbfStatus locked = queue.lock(TableFileLock::Mode::Exclusive);
    if (!locked.ok()) {
        return DbfResult<int>::failure(locked.error());
    }
    std::vector<int> present;
    for (const int recordNumber : recordNumbers) {
        if (queue.rowOfRecord(recordNumber) >= 0) {
            present.push_back(recordNumber);
        }
    }
    std::sort(present.begin(), present.end());
    present.erase(std::unique(present.begin(), present.end()), present.end());
    int deleted = 0;
    DbfStatus failed = DbfStatus::success();
    if (!present.empty()) {
        // One journal entry for them all, so one undo brings every row back.
        failed = queue.beginChange({QStringLiteral("刪除選取"), present, int(present.size())});
        if (failed.ok()) {
            for (size_t i = 0; failed.ok() && i < present.size(); ++i) {
                queue.moveTo(queue.rowOfRecord(present[i]));
                failed = queue.deleteCurrent();
                deleted += failed.ok();
            }
            failed = queue.endChange(failed);
        }
    }
    const DbfStatus unlocked = queue.unlock();
    if (!failed.ok()) {
        return DbfResult<int>::failure(failed.error());
    }
    if (!unlocked.ok()) {
        return DbfResult<int>::failure(unlocked.error());
    }
    return deleted;
}
