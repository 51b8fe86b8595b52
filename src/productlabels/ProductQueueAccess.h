#pragma once

#include "productlabels/QueueRowAccess.h"

// Stores product reply records as rows of the product label queue ("bar1.dbf").
class ProductQueueWriter : public QueueRecordWriter
{
public:
    explicit ProductQueueWriter(LabelQueue &queue);
};

// Reads the rows of the product label queue for the export, by ProductReplyFields position.
class ProductQueueReader : public QueueRowReader
{
public:
    explicit ProductQueueReader(const LabelQueue &queue);
};
