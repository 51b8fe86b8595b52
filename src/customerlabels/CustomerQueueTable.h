#pragma once

#include "labelqueue/DbfHeader.h"
#include "labelqueue/QueueColumn.h"
#include "labelqueue/QueueSide.h"

#include <QList>
#include <QString>

// The customer label queue "bar2.DBF": one CustomerLabelRecord per row.
namespace CustomerQueueTable {

// The fields in the order of the table this program creates; each value is the
// field's index in fields() and in the records of a queue opened with it.
enum Field : int {
    QUAN,
    CUST_NO,
    CUST_NAME,
    CUST_COM,
    CUST_TEL,
    MOBILE,
    CLUB_NO,
    CLUB_NAME,
    POSTAL,
    ADDRESS,
    CARD_NO,
    BAR_NO,
    FieldCount
};

// Opened by bare name, so it is looked for in the working directory.
QString fileName();

const QList<DbfFieldSpec> &fields();

// The 12 grid columns in grid order; every one is editable.
const QList<QueueColumn> &columns();

// The table and the customer import reply: a record is 12 values in the
// order of the fields above, the quantity the only number.
const QueueSide &side();

} // namespace CustomerQueueTable
