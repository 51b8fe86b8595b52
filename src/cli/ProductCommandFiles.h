#pragma once

#include "labelqueue/DbfResult.h"
#include "labelqueue/DbfTable.h"

#include <QString>

class LabelQueue;
struct ProductOutputSettings;

// What the product commands share with the product label window: the output
// settings of ProgramDir/BarSet.ini and the queue "bar1.dbf" in the working
// directory.
ProductOutputSettings loadProductSettings(const QString &programDir);
// Opens the queue; the message names the table and says why it did not open.
// An export reads a table it may not write to.
DbfStatus openProductQueue(LabelQueue &queue, DbfTable::Access access = DbfTable::Access::ReadWrite);
// The same, telling why on standard error when it does not open.
bool openProductQueueOrTell(LabelQueue &queue, DbfTable::Access access = DbfTable::Access::ReadWrite);
