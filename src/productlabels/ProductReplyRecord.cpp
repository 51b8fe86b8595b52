#include "productlabels/ProductReplyRecord.h"

void ProductReplyRecord::clear(int recordNumber)
{
    number = recordNumber;
    valueCount = 0;
    texts.fill(QByteArrayView());
    numbers.fill(std::nullopt);
}
