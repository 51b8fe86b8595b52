#pragma once

#include "labelqueue/DbfResult.h"

#include <vector>

class LabelQueue;

// Deletes the rows holding these records as one change: the table is held
// once for all of them, synced once at the end, and the journal keeps them as
// one entry, so one undo brings them all back. Rows already gone are
// passed over. Returns how many rows were deleted, or why it stopped; the
// rows deleted before a failure stay deleted, and the cursor is left where
// the last deletion put it.
DbfResult<int> deleteQueueRecords(LabelQueue &queue, const std::vector<int> &recordNumbers);
