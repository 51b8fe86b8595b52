#include "labelqueue/QueueDeletion.h"

#include "labelqueue/LabelQueue.h"

DbfResult<int> deleteQueueRecords(LabelQueue &queue, const std::vector<int> &recordNumbers)
{
    const DbfStatus locked = queue.lock(TableFileLock::Mode::Exclusive);
    if (!locked.ok()) {
        return DbfResult<int>::failure(locked.error());
    }
    int deleted = 0;
    DbfStatus failed = DbfStatus::success();
    for (const int recordNumber : recordNumbers) {
        const int row = queue.rowOfRecord(recordNumber);
        if (row < 0) {
            continue;
        }
        queue.moveTo(row);
        failed = queue.deleteCurrent();
        if (!failed.ok()) {
            break;
        }
        ++deleted;
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
