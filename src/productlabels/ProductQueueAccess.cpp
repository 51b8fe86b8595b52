#include "productlabels/ProductQueueAccess.h"

#include "productlabels/ProductReplyFields.h"

ProductQueueWriter::ProductQueueWriter(LabelQueue &queue)
    : QueueRecordWriter(queue, ProductReplyFields::shape())
{}

ProductQueueReader::ProductQueueReader(const LabelQueue &queue)
    : QueueRowReader(queue, ProductReplyFields::shape())
{}
