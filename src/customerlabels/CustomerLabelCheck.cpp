#include "customerlabels/CustomerLabelCheck.h"

#include "customerlabels/CustomerQueueTable.h"
#include "labelqueue/QueueRowSource.h"

namespace {
const LabelRowKeys customerKeys{CustomerQueueTable::BAR_NO, "BAR_NO", CustomerQueueTable::QUAN, "QUAN"};
} // namespace

LabelCheckReport checkCustomerQueue(QueueRowSource &rows, const CustomerOutputSettings &settings)
{
    return checkLabelLines(rows, CustomerLabelLines(settings), settings.columns, customerKeys);
}

CustomerLabelCards::CustomerLabelCards(QueueRowSource &rows, const CustomerOutputSettings &settings)
    : LabelLinesCards(rows, CustomerLabelLines(settings), settings.columns, customerKeys)
{}
