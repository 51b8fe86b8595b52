#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// The rows of the product label queue as the export reads them, in table
// order, one current row at a time. Fields are addressed by their
// ProductReplyFields position (the export reads no other field).
class ProductRowSource
{
public:
    virtual ~ProductRowSource() = default;
    // Around a whole pass (the export, the check): the queue's table is held
    // for reading (writers wait outside) and its rows are brought up to date.
    // An empty text, or why not.
    virtual QString beginReading() { return QString(); }
    virtual void endReading() {}
    virtual int rowCount() const = 0;
    // Makes row the current one; an empty text, or why it cannot be read.
    virtual QString read(int row) = 0;
    // The current row's text without the blanks that pad it to its width;
    // valid until the next read().
    virtual QByteArrayView text(int position) const = 0;
    // Empty for an empty numeric field.
    virtual std::optional<double> number(int position) const = 0;
};
