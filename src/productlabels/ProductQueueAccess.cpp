#include "productlabels/ProductQueueAccess.h"

#include "components/LabelQueue.h"
#include "productlabels/ProductQueueTable.h"

#include <array>

namespace {
// The queue field of each reply position: the field of the same name.
const std::array<int, ProductReplyFields::count> &fieldOf()
{
    static const std::array<int, ProductReplyFields::count> fields = [] {
        std::array<int, ProductReplyFields::count> found{};
        const QList<DbfFieldSpec> &specs = ProductQueueTable::fields();
        for (int position = 0; position < ProductReplyFields::count; ++position) {
            for (qsizetype field = 0; field < specs.size(); ++field) {
                if (specs[field].name == ProductReplyFields::names()[position]) {
                    found[position] = int(field);
                }
            }
        }
        return found;
    }();
    return fields;
}
} // namespace

ProductQueueWriter::ProductQueueWriter(LabelQueue &queue)
    : queue_(queue)
{}

QString ProductQueueWriter::append(const ProductReplyRecord &record)
{
    DbfRecord row = queue_.blankRecord();
    for (int position = 0; position < record.valueCount; ++position) {
        const int field = fieldOf()[position];
        DbfStatus stored = DbfStatus::success();
        if (ProductReplyFields::isNumeric(position)) {
            stored = row.setNumber(field, record.numbers[position]);
        } else if (!record.texts[position].isEmpty()) {
            const QByteArrayView text = record.texts[position];
            stored = row.setText(field, QByteArray::fromRawData(text.data(), text.size()));
        }
        if (!stored.ok()) {
            return QString::fromLatin1(ProductReplyFields::names()[position]) + QStringLiteral(": ") + stored.error();
        }
    }
    return queue_.append(row).error();
}

ProductQueueReader::ProductQueueReader(const LabelQueue &queue)
    : queue_(queue)
{}

int ProductQueueReader::rowCount() const
{
    return queue_.rowCount();
}

QString ProductQueueReader::read(int row)
{
    DbfResult<DbfRecord> read = queue_.readRow(row);
    if (!read.ok()) {
        return read.error();
    }
    current_ = std::move(read.value());
    return QString();
}

QByteArrayView ProductQueueReader::text(int position) const
{
    const int field = fieldOf()[position];
    if (current_.isNull() || field >= current_.layout()->columns.size()) {
        return {};
    }
    const DbfColumn &column = current_.layout()->columns[field];
    if (!column.present()) {
        return {};
    }
    // The field's bytes without the blanks (or zero bytes) that pad it, as
    // DbfRecord::text gives them, without a copy per value.
    const char *data = current_.bytes().constData() + column.offset;
    qsizetype end = column.width;
    while (end > 0 && (data[end - 1] == ' ' || data[end - 1] == '\0')) {
        --end;
    }
    return QByteArrayView(data, end);
}

std::optional<double> ProductQueueReader::number(int position) const
{
    return current_.isNull() ? std::nullopt : current_.number(fieldOf()[position]);
}
