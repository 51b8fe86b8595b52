#include "labelqueue/QueueAccess.h"

#include "components/Big5.h"
#include "components/DecimalText.h"
#include "labelqueue/ExportedRows.h"
#include "labelqueue/Packing.h"
#include "labelqueue/PrintHistory.h"
#include "labelqueue/QueueJournal.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <thread>

namespace {
// The queue field of each of the side fields given: the field of the same
// name (case aside, as the table's field names match), -1 for none.
QList<int> fieldsByName(const LabelQueue &queue, const QueueSide &side, const QList<int> &sideFields)
{
    QList<QByteArray> names;
    for (const int field : sideFields) {
        names.append(side.fields.at(field).name);
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

QList<int> everyField(const QueueSide &side)
{
    QList<int> all;
    for (int field = 0; field < side.fields.size(); ++field) {
        all.append(field);
    }
    return all;
}
} // namespace

QueueWriter::QueueWriter(LabelQueue &queue, const QueueSide &side)
    : queue_(queue)
    , fieldOf_(fieldsByName(queue, side, side.replyFields))
{
    for (const int field : side.replyFields) {
        numeric_.push_back(side.isNumeric(field));
    }
}

QString QueueWriter::append(const ReplyRecord &record)
{
    DbfRecord row = queue_.blankRecord();
    for (int position = 0; position < record.valueCount; ++position) {
        const int field = fieldOf_.value(position, -1);
        if (field < 0) {
            continue;
        }
        DbfStatus stored = DbfStatus::success();
        if (numeric_[size_t(position)]) {
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

QString QueueWriter::beginImport()
{
    return queue_.beginChange({QStringLiteral("引入"), {}, 0, true}).error();
}

QString QueueWriter::endImport()
{
    return queue_.endChange(DbfStatus::success()).error();
}

QueueReader::QueueReader(LabelQueue &queue, const QueueSide &side)
    : queue_(queue)
    , fieldOf_(fieldsByName(queue, side, everyField(side)))
    , quantityField_(side.replyFields.value(0, -1))
    , nameField_(side.nameField)
    , slots_(size_t(side.fields.size()))
{
    for (const DbfFieldSpec &field : side.fields) {
        fieldNames_.append(field.name);
        numericFields_.push_back(field.type == DbfFieldType::Numeric);
    }
}

QString QueueReader::beginReading()
{
    const QString refused = queue_.lock(TableFileLock::Mode::Shared).error();
    if (refused.isEmpty()) {
        // Nobody changes the table while it is held, so its rows may be read a run at a time.
        ++readingDepth_;
        run_ = LabelQueueRun();
    }
    return refused;
}

void QueueReader::endReading()
{
    if (readingDepth_ > 0 && --readingDepth_ == 0) {
        run_ = LabelQueueRun();
        record_ = QByteArrayView();
    }
    queue_.unlock();
}

int QueueReader::rowCount() const
{
    return queue_.rowCount();
}

QString QueueReader::read(int row)
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
    recordNumber_ = queue_.recordNumber(row);
    return QString();
}

QString QueueReader::readFromRun(int row)
{
    qint64 at = qint64(queue_.recordNumber(row) - run_.firstRecord) * run_.recordLength;
    if (run_.bytes.isEmpty() || at < 0 || at + run_.recordLength > run_.bytes.size()) {
        const DbfStatus read = queue_.readRun(row, run_);
        if (!read.ok()) {
            run_.bytes.clear();
            return read.error();
        }
        useLayout(run_.layout);
        at = 0;
    }
    record_ = QByteArrayView(run_.bytes).sliced(at, run_.recordLength);
    recordNumber_ = queue_.recordNumber(row);
    return QString();
}

void QueueReader::useLayout(const std::shared_ptr<const DbfLayout> &layout)
{
    if (layout == layout_) {
        return;
    }
    layout_ = layout;
    for (int field = 0; field < fieldOf_.size(); ++field) {
        const int index = fieldOf_[field];
        const DbfColumn *column = index >= 0 && index < layout_->columns.size() ? &layout_->columns[index] : nullptr;
        slots_[size_t(field)] = column && column->present() ? Slot{column->offset, column->width} : Slot{};
    }
}

QByteArrayView QueueReader::field(int index) const
{
    if (record_.isEmpty()) {
        return {};
    }
    const Slot &slot = slots_[size_t(index)];
    return record_.sliced(slot.offset, slot.width);
}

// Both read the record's bytes in place, as DbfRecord::text and number do,
// without a copy per value: the export reads millions of them.
QByteArrayView QueueReader::text(int index) const
{
    QByteArrayView value = field(index);
    // Most of a wide field is the blanks that pad it: drop them eight at a time first.
    while (value.size() >= 8 && std::memcmp(value.end() - 8, "        ", 8) == 0) {
        value.chop(8);
    }
    while (!value.isEmpty() && (value.back() == ' ' || value.back() == '\0')) {
        value.chop(1);
    }
    return value;
}

std::optional<double> QueueReader::number(int index) const
{
    QByteArrayView digits = field(index);
    while (!digits.isEmpty() && (digits.front() == ' ' || digits.front() == '\0')) {
        digits = digits.sliced(1);
    }
    while (!digits.isEmpty() && (digits.back() == ' ' || digits.back() == '\0')) {
        digits.chop(1);
    }
    return DecimalText::parse(digits);
}

QString QueueReader::recordExport(QueueRowSource &rows, const QString &labelFile, qint64 lines,
                                  const QByteArray &settings)
{
    const QString notKept = QStringLiteral("列印記錄沒有記下這次轉出：");
    QFile written(labelFile);
    if (!written.open(QIODevice::ReadOnly)) {
        return notKept + written.errorString();
    }
    // The label file is packed on a core of its own while the rows are read here.
    QByteArray packedBytes;
    QString unread;
    std::thread packing([&written, &packedBytes, &unread] {
        Packing::Packer packer;
        QByteArray block(1 << 20, Qt::Uninitialized);
        qint64 size = 0;
        while ((size = written.read(block.data(), block.size())) > 0) {
            packer.add(QByteArrayView(block).first(size));
        }
        packedBytes = packer.finish();
        if (size < 0) {
            unread = written.errorString();
        }
    });
    PrintedExport printed;
    printed.made = QDateTime::currentDateTime();
    printed.rows = rows.rowCount();
    printed.lines = lines;
    printed.labelFile = QFileInfo(labelFile).absoluteFilePath();
    ExportedRowsPacker values(fieldNames_, settings);
    PrintedMarks marks;
    QStringList names;
    for (int row = 0; row < printed.rows; ++row) {
        const QString failed = rows.read(row);
        if (!failed.isEmpty()) {
            packing.join();
            return notKept + failed;
        }
        if (quantityField_ >= 0) {
            printed.labels += qint64(std::max(0.0, number(quantityField_).value_or(0)));
        }
        if (nameField_ >= 0 && names.size() < 3 && !text(nameField_).isEmpty()) {
            names.append(Big5::decode(text(nameField_).toByteArray()));
        }
        // A number as the table holds it, without the blanks that right-align it.
        values.addRow(
            [this](int field) { return numericFields_[size_t(field)] ? text(field).trimmed() : text(field); });
        marks.add(recordNumber_, record_);
    }
    printed.firstNames = names.join(QStringLiteral("、"));
    const QByteArray packedRows = values.finish();
    packing.join();
    if (!unread.isEmpty()) {
        return notKept + unread;
    }
    if (packedBytes.isEmpty() || packedRows.isEmpty()) {
        return notKept + QStringLiteral("記憶體不足");
    }
    PrintHistory history(QueueJournal::pathBeside(queue_.path()));
    const DbfResult<QString> kept =
        history.record(QFileInfo(queue_.path()).fileName(), printed, packedBytes, packedRows, marks);
    return kept.ok() ? kept.value() : notKept + kept.error();
}
