#include "productlabels/ProductQueueAccess.h"

#include "components/DecimalText.h"
#include "labelqueue/LabelQueue.h"
#include "productlabels/ProductQueueTable.h"

#include <array>

namespace {
// The queue field of each reply position: the field of the same name (case
// aside, as the table's field names match), -1 for none.
QList<int> fieldsByName(const LabelQueue &queue, const ReplyShape *shape)
{
    QList<QByteArray> names;
    if (shape) {
        names = shape->names;
    } else {
        names = QList<QByteArray>(ProductReplyFields::names().begin(), ProductReplyFields::names().end());
    }
    const QList<DbfFieldSpec> &specs = queue.fields();
    QList<int> found(names.size(), -1);
    for (qsizetype position = 0; position < names.size(); ++position) {
        for (qsizetype field = 0; field < specs.size(); ++field) {
            if (specs[field].name.compare(names[position], Qt::CaseInsensitive) == 0) {
                found[position] = int(field);
            }
        }
    }
    return found;
}
} // namespace

ProductQueueWriter::ProductQueueWriter(LabelQueue &queue, const ReplyShape *shape)
    : queue_(queue)
    , shape_(shape)
    , fieldOf_(fieldsByName(queue, shape))
{}

QString ProductQueueWriter::append(const ProductReplyRecord &record)
{
    DbfRecord row = queue_.blankRecord();
    for (int position = 0; position < record.valueCount; ++position) {
        const int field = fieldOf_.value(position, -1);
        if (field < 0) {
            continue;
        }
        const bool numeric =
            shape_ ? position == 0 || shape_->numeric.contains(position) : ProductReplyFields::isNumeric(position);
        DbfStatus stored = DbfStatus::success();
        if (numeric) {
            stored = row.setNumber(field, record.numbers[position]);
        } else if (!record.texts[position].isEmpty()) {
            const QByteArrayView text = record.texts[position];
            stored = row.setText(field, QByteArray::fromRawData(text.data(), text.size()));
        }
        if (!stored.ok()) {
            return QString::fromLatin1(queue_.fields().at(field).name) + QStringLiteral(": ") + stored.error();
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

ProductQueueReader::ProductQueueReader(LabelQueue &queue, const ReplyShape *shape)
    : queue_(queue)
    , fieldOf_(fieldsByName(queue, shape))
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
        for (int position = 0; position < fieldOf_.size(); ++position) {
            const int index = fieldOf_[position];
            const DbfColumn *column =
                index >= 0 && index < layout_->columns.size() ? &layout_->columns[index] : nullptr;
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
