#include "productlabels/ProductQueueModel.h"

#include "productlabels/ProductQueueTable.h"

ProductQueueModel::ProductQueueModel(LabelQueue &queue, QObject *parent)
    : LabelQueueModel(queue, ProductQueueTable::columns(), parent)
{}

void ProductQueueModel::setPriceEditable(bool editable)
{
    setColumnReadOnly(ProductQueueTable::cash1Column(), !editable, editable);
}

bool ProductQueueModel::isPriceEditable() const
{
    return !column(ProductQueueTable::cash1Column()).readOnly;
}
