#pragma once

#include "labelqueue/DbfResult.h"

class LabelQueue;

// Appends the rows export id of the queue's print history was written from
// after the queue's last row, as an import would, in one change the undo
// takes back whole ("加回佇列"). Every value is checked before the first row
// is written: one the table cannot hold refuses them all. Returns the rows added.
DbfResult<int> requeueExport(LabelQueue &queue, qint64 id);
