#pragma once

#include "labelqueue/DbfHeader.h"
#include "labelqueue/QueueColumn.h"
#include "labelqueue/QueueSide.h"

#include <QList>
#include <QString>

// The product label queue "bar1.dbf": one ProductLabelRecord per row.
namespace ProductQueueTable {

// The fields in the order of the table this program creates; each value is the
// field's index in fields() and in the records of a queue opened with it.
enum Field : int {
    QUAN,
    ITEM_NO,
    BARCODE,
    ITEM_NAME,
    COLOR,
    SIZES,
    UNIT,
    PRICE,
    MEMBER,
    SUPP_NO,
    CUST_ABBR,
    ITEM1,
    NOTES,
    BUYDAT,
    BUYDAT1,
    BUYDAT2,
    NOTE2,
    SYSDAT,
    C_ITEM,
    S_ITEM,
    KIND_NAME,
    CATE_NAME,
    NOTEA1,
    NOTEA2,
    NOTEA3,
    NOTEA4,
    NOTEA5,
    NOTEA6,
    NOTEA7,
    NOTEA8,
    NOTEA9,
    NOTEA10,
    LPRICE,
    CASH1,
    ENG_COLOR,
    ENG_NAME,
    SUPP_INO,
    SUPP_NAME,
    UNIT_Q,
    FieldCount
};

// Opened by bare name, so it is looked for in the working directory.
QString fileName();

// All 39 fields. NOTE2 and SYSDAT are never read or written, so a table
// without them still opens.
const QList<DbfFieldSpec> &fields();

// The table and the product import reply: a record is 37 values, QUAN
// first, that fill every field but NOTE2 and SYSDAT; the prices and counts
// are numbers.
const QueueSide &side();

// The 37 grid columns in grid order. CASH1 starts read-only with a grey title;
// the window makes it editable by the price option.
const QList<QueueColumn> &columns();
int cash1Column();

} // namespace ProductQueueTable
