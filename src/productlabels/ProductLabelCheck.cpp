#include "productlabels/ProductLabelCheck.h"

#include "labelqueue/QueueRowSource.h"
#include "productlabels/ProductQueueTable.h"

namespace {
const LabelRowKeys productKeys{ProductQueueTable::BARCODE, "BARCODE", ProductQueueTable::QUAN, "QUAN"};
} // namespace

LabelCheckReport checkProductQueue(QueueRowSource &rows, const ProductOutputSettings &settings, const QDate &today)
{
    return checkLabelLines(rows, ProductLabelLines(settings, today), settings.columns, productKeys);
}

ProductLabelCards::ProductLabelCards(QueueRowSource &rows, const ProductOutputSettings &settings, const QDate &today)
    : LabelLinesCards(rows, ProductLabelLines(settings, today), settings.columns, productKeys)
{}
