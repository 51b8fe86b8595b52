#pragma once

#include "labelqueue/DbfHeader.h"

#include <QList>
#include <QString>

// What a label side tells the engine about itself: its queue table and the
// shape of its import reply. The engine imports, reads and exports any side
// by this description alone.
struct QueueSide {
    // Opened by bare name, so it is looked for in the working directory.
    QString tableFileName;
    // The table's fields in the order of the table this program creates; rows
    // are read by index into this list.
    QList<DbfFieldSpec> fields;
    // The table field each value of a reply record fills, in reply order. The
    // first is the quantity; a numeric field's value must be a number.
    QList<int> replyFields;
    // How messages name a reply record: "產品資料".
    QString recordNoun;
    // The field that names a row to a person (the print history lists it), -1 for none.
    int nameField = -1;

    bool isNumeric(int field) const { return fields.at(field).type == DbfFieldType::Numeric; }
};
