#pragma once

#include "labelqueue/DbfResult.h"
#include "labelqueue/DbfTable.h"

#include <QString>

class LabelQueue;
struct CustomerOutputSettings;
struct ProductOutputSettings;

// What the queue commands share with the label windows: the output settings
// (ProgramDir/BarSet.ini, ProgramDir/bar2/CustBar.ini) and the queues
// "bar1.dbf" and "bar2.DBF" in the working directory.
ProductOutputSettings loadProductSettings(const QString &programDir);
// Opens the queue; the message names the table and says why it did not open.
// An export reads a table it may not write to.
DbfStatus openProductQueue(LabelQueue &queue, DbfTable::Access access = DbfTable::Access::ReadWrite);
// The same, telling why on standard error when it does not open.
bool openProductQueueOrTell(LabelQueue &queue, DbfTable::Access access = DbfTable::Access::ReadWrite);
CustomerOutputSettings loadCustomerSettings(const QString &programDir);
DbfStatus openCustomerQueue(LabelQueue &queue, DbfTable::Access access = DbfTable::Access::ReadWrite);
bool openCustomerQueueOrTell(LabelQueue &queue, DbfTable::Access access = DbfTable::Access::ReadWrite);
