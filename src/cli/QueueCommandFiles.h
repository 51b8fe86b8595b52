#pragma once

#include "labelqueue/DbfResult.h"

#include <QString>

class LabelQueue;
struct CustomerOutputSettings;
struct ProductOutputSettings;

// What the queue commands share with the label windows: the output settings
// files under ProgramDir and the queue tables in the working directory.
ProductOutputSettings loadProductSettings(const QString &programDir);
CustomerOutputSettings loadCustomerSettings(const QString &programDir);
// Opens the queue by its bare file name; the message names the table and says why it did not open.
DbfStatus openQueueTable(LabelQueue &queue, const QString &fileName);
