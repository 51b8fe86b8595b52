#include "productlabels/ProductQueueAccess.h"

#include "components/DecimalText.h"
#include "labelqueue/LabelQueue.h"
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

QString ProductQueueWriter::beginImport()
{
    return queue_.lock(TableFileLock::Mode::Exclusive).error();
}

QString ProductQueueWriter::endImport()
{
    return queue_.unlock().error();
}

ProductQueueReader::ProductQueueReader(LabelQueue &queue)
    : queue_(queue)
{}

QString ProductQueueReader::beginReading()
{
    return queue_.lock(TableFileLock::Mode::Shared).error();
}

void ProductQueueReader::endReading()
{
    queue_.unlock();
}

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
    if (current_.layout().get() != layout_) {
        layout_ = current_.layout().get();
        for (int position = 0; position < ProductReplyFields::count; ++position) {
            const int index = fieldOf()[position];
            const DbfColumn *column = index < layout_->columns.size() ? &layout_->columns[index] : nullptr;
            slots_[position] = column && column->present() ? Slot{column->offset, column->width} : Slot{};
        }
    }
    return QString();
}

QByteArrayView ProductQueueReader::field(int position) const
{
    if (current_.isNull()) {
        return {};
    }
    const Slot &slot = slots_[position];
    return QByteArrayView(current_.bytes().constData() + slot.offset, slot.width);
}

// Both read the record's bytes in place, as DbfRecord::text and number do,
// without a copy per value: the export reads millions of them.
QByteArrayView ProductQueueReader::text(int position) const
{
    QByteArrayView value = field(position);
    while (!value.isEmpty() && (value.back() == ' ' || value.back() == '\0')) {
        value.chop(1);
    }
    return value;
}

std::optional<double> ProductQueueReader::number(int position) const
{
    QByteArrayView digits = field(position);
    while (!digits.isEmpty() && (digits.front() == ' ' || digits.front() == '\0')) {
        digits = digits.sliced(1);
    }
    while (!digits.isEmpty() && (digits.back() == ' ' || digits.back() == '\0')) {
        digits.chop(1);
    }
    return DecimalText::parse(digits);
}
