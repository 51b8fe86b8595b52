#pragma once

#include "labelqueue/DbfHeader.h"
#include "labelqueue/DbfResult.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

// Where one field the program uses sits in one particular table file.
struct DbfColumn {
    QByteArray name;
    DbfFieldType type = DbfFieldType::Text;
    int offset = -1; // -1: the table lacks this optional field
    int width = 0;
    int decimals = 0;
    // The program's own decimals for the field: a file with fewer must not
    // round away what the program's own table keeps.
    int wantedDecimals = 0;

    bool present() const { return offset >= 0; }
    bool operator==(const DbfColumn &other) const;
};

// The fields of an opened table, found by name once, in the order of the field
// list the table was opened with.
struct DbfLayout {
    QString displayName;
    int recordLength = 0;
    QList<DbfColumn> columns;

    bool operator==(const DbfLayout &other) const;

    static DbfResult<std::shared_ptr<const DbfLayout>>
    resolve(const DbfHeader &header, const QList<DbfFieldSpec> &fields, const QString &displayName);
};

// The bytes of one row, read and set field by field (fields are numbered as in
// the layout). Every setter checks its value first and leaves the record as it
// was when the value does not fit, so a record is always fit to be written whole.
class DbfRecord
{
public:
    DbfRecord() = default;
    DbfRecord(std::shared_ptr<const DbfLayout> layout, QByteArray bytes);
    static DbfRecord blank(std::shared_ptr<const DbfLayout> layout);

    bool isNull() const { return !layout_; }
    bool isDeleted() const { return !bytes_.isEmpty() && bytes_.at(0) == '*'; }
    // Width of the field in this table's file, 0 when the table lacks it.
    int fieldWidth(int field) const;

    // The text without the blanks that pad it to its width.
    QByteArray text(int field) const;
    // Empty (blank or "*" filled) is no value, which is not the same as 0.
    std::optional<double> number(int field) const;

    // Cuts the text to the field's width in bytes, never inside a Big5 character.
    DbfStatus setText(int field, const QByteArray &big5);
    // A value with more decimals than the field holds is rounded to them as
    // dBase does (99.995 into two decimals is 100.00); one whose whole part
    // does not fit is refused.
    DbfStatus setNumber(int field, std::optional<double> value);
    // Decimal text ("12", "-3.5"); empty or blank text leaves the field empty.
    DbfStatus setNumberText(int field, const QByteArray &text);

    const QByteArray &bytes() const { return bytes_; }
    const std::shared_ptr<const DbfLayout> &layout() const { return layout_; }
    bool operator==(const DbfRecord &other) const { return bytes_ == other.bytes_; }
    bool operator!=(const DbfRecord &other) const { return bytes_ != other.bytes_; }

private:
    DbfResult<const DbfColumn *> column(int field, DbfFieldType type) const;

    std::shared_ptr<const DbfLayout> layout_;
    QByteArray bytes_;
};

// Length of the longest start of big5 that fits in limit bytes without
// splitting a two-byte character.
qsizetype big5PrefixLength(const QByteArray &big5, qsizetype limit);
