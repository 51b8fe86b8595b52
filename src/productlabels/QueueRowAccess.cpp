#include "productlabels/QueueRowAccess.h"

#include "components/DecimalText.h"
#include "labelqueue/LabelQueue.h"

namespace {
// The queue field named like each reply position, -1 for none.
std::vector<int> fieldsByName(const LabelQueue &queue, const ReplyRecordShape &shape)
{
    std::vector<int> found(std::size_t(shape.count()), -1);
    const QList<DbfFieldSpec> &specs = queue.fields();
    for (int position = 0; position < shape.count(); ++position) {
        for (qsizetype field = 0; field < specs.size(); ++field) {
            if (QByteArray(specs[field].name).compare(shape.names[position], Qt::CaseInsensitive) == 0) {
                found[std::size_t(position)] = int(field);
            }
        }
    }
    return found;
}

QByteArrayView withoutPadding(QByteArrayView value)
{
    while (!value.isEmpty() && (value.back() == ' ' || value.back() == '\0')) {
        value.chop(1);
    }
    return value;
}
} // namespace

QueueRecordWriter::QueueRecordWriter(LabelQueue &queue, const ReplyRecordShape &shape)
    : queue_(queue)
    , shape_(shape)
    , fieldOf_(fieldsByName(queue, shape))
{}

QString QueueRecordWriter::append(const ReplyRecord &record)
{
    DbfRecord row = queue_.blankRecord();
    for (int position = 0; position < record.valueCount; ++position) {
        const int field = fieldOf_[std::size_t(position)];
        DbfStatus stored = DbfStatus::success();
        if (field < 0) {
            continue;
        }
        if (shape_.isNumeric(position)) {
            stored = row.setNumber(field, record.numbers[position]);
        } else if (!record.texts[position].isEmpty()) {
            const QByteArrayView text = record.texts[position];
            stored = row.setText(field, QByteArray::fromRawData(text.data(), text.size()));
        }
        if (!stored.ok()) {
            return QString::fromLatin1(shape_.names[position]) + QStringLiteral(": ") + stored.error();
        }
    }
    return queue_.append(row).error();
}

QueueRowReader::QueueRowReader(const LabelQueue &queue, const ReplyRecordShape &shape)
    : queue_(queue)
    , fieldOf_(fieldsByName(queue, shape))
    , slots_(fieldOf_.size())
{}

int QueueRowReader::rowCount() const
{
    return queue_.rowCount();
}

QString QueueRowReader::read(int row)
{
    DbfResult<DbfRecord> read = queue_.readRow(row);
    if (!read.ok()) {
        return read.error();
    }
    current_ = std::move(read.value());
    if (current_.layout().get() != layout_) {
        layout_ = current_.layout().get();
        for (std::size_t position = 0; position < fieldOf_.size(); ++position) {
            const int index = fieldOf_[position];
            const DbfColumn *column =
                index >= 0 && index < layout_->columns.size() ? &layout_->columns[index] : nullptr;
            slots_[position] = column && column->present() ? Slot{column->offset, column->width} : Slot{};
        }
    }
    return QString();
}

QByteArrayView QueueRowReader::field(int position) const
{
    if (current_.isNull()) {
        return {};
    }
    const Slot &slot = slots_[std::size_t(position)];
    return QByteArrayView(current_.bytes().constData() + slot.offset, slot.width);
}

// Both read the record's bytes in place, as DbfRecord::text and number do,
// without a copy per value: the export reads millions of them.
QByteArrayView QueueRowReader::text(int position) const
{
    return withoutPadding(field(position));
}

std::optional<double> QueueRowReader::number(int position) const
{
    QByteArrayView digits = withoutPadding(field(position));
    while (!digits.isEmpty() && (digits.front() == ' ' || digits.front() == '\0')) {
        digits = digits.sliced(1);
    }
    return DecimalText::parse(digits);
}
