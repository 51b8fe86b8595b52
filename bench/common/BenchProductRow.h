#pragma once

#include "labelqueue/LabelQueue.h"
#include "productlabels/ProductQueueTable.h"

// A product row as the queue benches fill bar1.dbf with: a code and barcode of its own, the rest alike.
inline DbfRecord benchProductRow(const LabelQueue &queue, int row)
{
    using namespace ProductQueueTable;
    DbfRecord record = queue.blankRecord();
    const QByteArray code = "A" + QByteArray::number(100000 + row);
    record.setNumber(QUAN, 1 + row % 7);
    record.setText(ITEM_NO, code);
    record.setText(BARCODE, "47123" + QByteArray::number(10000000 + row));
    record.setText(ITEM_NAME, "Cotton shirt " + code);
    record.setText(COLOR, "NAVY");
    record.setText(SIZES, "M");
    record.setNumber(PRICE, 490);
    record.setNumber(MEMBER, 450);
    record.setText(NOTEA1, "100% cotton, wash cold");
    record.setText(ENG_NAME, "Cotton shirt");
    return record;
}
