#include "productlabels/ReplyRecord.h"

void ReplyRecord::clear(int recordNumber)
{
    number = recordNumber;
    valueCount = 0;
    texts.fill(QByteArrayView());
    numbers.fill(std::nullopt);
}
