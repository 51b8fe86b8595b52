#pragma once

#include "labelqueue/LabelQueueModel.h"

// The grid of the product label window over "bar1.dbf": the 37 columns of the
// product queue, with the wholesale price column open to editing only when the
// system settings' price option allows it.
class ProductQueueModel : public LabelQueueModel
{
    Q_OBJECT

public:
    explicit ProductQueueModel(LabelQueue &queue, QObject *parent = nullptr);

    // CASH1 editable with a light cyan title, or read-only with a grey one.
    void setPriceEditable(bool editable);
    bool isPriceEditable() const;
};
