#pragma once

#include "labelqueue/DbfResult.h"
#include "labelqueue/DbfTable.h"

#include <QString>

#include <optional>

class LabelQueue;
struct QueueSide;
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

// The queue a command's first argument names: "products" (bar1.dbf) or "customers" (bar2.DBF).
struct NamedQueue {
    bool products = true;
    const QueueSide &side() const;
    bool openOrTell(LabelQueue &queue, DbfTable::Access access = DbfTable::Access::ReadWrite) const;
};
// Empty, having told on standard error that command takes products or customers, for any other name.
std::optional<NamedQueue> namedQueue(const QString &command, const QString &name);
