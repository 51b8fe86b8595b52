#include "productlabels/ProductQueueAccess.h"

#include "components/DecimalText.h"
#include "labelqueue/LabelQueue.h"
#include "productlabels/ProductQueueTable.h"

#include <array>
#include <cstring>

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
    const QString refused = queue_.lock(TableFileLock::Mode::Shared).error();
    if (refused.isEmpty()) {
        // Nobody changes the table while it is held, so its rows may be read a run at a time.
        ++readingDepth_;
        run_ = LabelQueueRun();
    }
    return refused;
}

void ProductQueueReader::endReading()
{
    if (readingDepth_ > 0 && --readingDepth_ == 0) {
        run_ = LabelQueueRun();
        record_ = QByteArrayView();
    }
    queue_.unlock();
}

int ProductQueueReader::rowCount() const
{
    return queue_.rowCount();
}

QString ProductQueueReader::read(int row)
{
    if (readingDepth_ > 0) {
        return readFromRun(row);
    }
    DbfResult<DbfRecord> read = queue_.readRow(row);
    if (!read.ok()) {
        return read.error();
    }
    current_ = std::move(read.value());
    useLayout(current_.layout());
    record_ = current_.bytes();
    return QString();
}

QString ProductQueueReader::readFromRun(int row)
{
    qint64 at = qint64(queue_.recordNumber(row) - run_.firstRecord) * run_.recordLength;
    if (run_.bytes.isEmpty() || at < 0 || at + run_.recordLength > run_.bytes.size()) {
        DbfResult<LabelQueueRun> read = queue_.readRun(row);
        if (!read.ok()) {
            return read.error();
        }
        run_ = std::move(read.value());
        useLayout(run_.layout);
        at = 0;
    }
    record_ = QByteArrayView(run_.bytes).sliced(at, run_.recordLength);
    return QString();
}

void ProductQueueReader::useLayout(const std::shared_ptr<const DbfLayout> &layout)
{
    if (layout == layout_) {
        return;
    }
    layout_ = layout;
    for (int position = 0; position < fieldOf_.size(); ++position) {
        const int index = fieldOf_[position];
        const DbfColumn *column = index >= 0 && index < layout_->columns.size() ? &layout_->columns[index] : nullptr;
        slots_[position] = column && column->present() ? Slot{column->offset, column->width} : Slot{};
    }
}

QByteArrayView ProductQueueReader::field(int position) const
{
    if (record_.isEmpty()) {
        return {};
    }
    const Slot &slot = slots_[position];
    return record_.sliced(slot.offset, slot.width);
}

// Both read the record's bytes in place, as DbfRecord::text and number do,
// without a copy per value: the export reads millions of them.
QByteArrayView ProductQueueReader::text(int position) const
{
    QByteArrayView value = field(position);
    // Most of a wide field is the blanks that pad it: drop them eight at a time first.
    while (value.size() >= 8 && std::memcmp(value.end() - 8, "        ", 8) == 0) {
        value.chop(8);
    }
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
