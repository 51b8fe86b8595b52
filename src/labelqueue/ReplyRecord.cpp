#include "labelqueue/ReplyRecord.h"

void ReplyRecord::clear(int recordNumber, int values)
{
    number = recordNumber;
    valueCount = 0;
    texts.assign(size_t(values), QByteArrayView());
    numbers.assign(size_t(values), std::nullopt);
}
