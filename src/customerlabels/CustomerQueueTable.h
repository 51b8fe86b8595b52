#pragma once

#include "labelqueue/DbfHeader.h"
#include "labelqueue/QueueColumn.h"
#include "productlabels/FillQueueFromReply.h"

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

// A customer reply record: 12 lines in the order of the fields above, the
// quantity the only number.
const ReplyShape &replyShape();

} // namespace CustomerQueueTable
