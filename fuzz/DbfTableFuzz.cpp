// A queue table as another program or a crash may leave it: the header is
// checked before shapelib sees it; a table that opens gives every row as the
// file holds it, takes one more row, and gives every row back after reopening.
// A table that does not open is reported and left byte for byte as it was.
#include "FuzzCheck.h"
#include "FuzzScratch.h"
#include "components/Big5.h"
#include "customerlabels/CustomerQueueTable.h"
#include "labelqueue/DbfTable.h"
#include "productlabels/ProductQueueTable.h"

#include <QFile>

#include <cstddef>
#include <cstdint>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly), path);
    return file.readAll();
}

// Fills the first text and the first numeric field the table has.
DbfRecord newRow(const DbfTable &table)
{
    DbfRecord record = table.blankRecord();
    const QList<DbfColumn> &columns = table.layout()->columns;
    bool textSet = false;
    bool numberSet = false;
    for (int field = 0; field < columns.size(); ++field) {
        if (!columns.at(field).present()) {
            continue;
        }
        if (columns.at(field).type == DbfFieldType::Text && !textSet) {
            textSet = record.setText(field, Big5::fromUtf8Literal("測試列 TEST ROW")).ok();
        } else if (columns.at(field).type == DbfFieldType::Numeric && !numberSet) {
            // Refused when the field is too narrow; the row is then written with it empty.
            numberSet = record.setNumber(field, 7).ok();
        }
    }
    return record;
}

void checkFields(const DbfRecord &record, const QByteArray &context)
{
    const QList<DbfColumn> &columns = record.layout()->columns;
    for (int field = 0; field < columns.size(); ++field) {
        const DbfColumn &column = columns.at(field);
        if (!column.present()) {
            continue;
        }
        FUZZ_CHECK(column.offset >= 1 && column.offset + column.width <= record.bytes().size(), hexOf(context));
        if (column.type == DbfFieldType::Text) {
            const QByteArray text = record.text(field);
            FUZZ_CHECK(text.size() <= column.width && !text.endsWith(' ') && !text.endsWith('\0'), hexOf(context));
        } else if (const std::optional<double> number = record.number(field)) {
            FUZZ_CHECK(std::isfinite(*number), hexOf(context));
        }
    }
}

std::unique_ptr<DbfTable> openEither(const QString &path, QList<DbfFieldSpec> &fields, QString &error)
{
    for (const QList<DbfFieldSpec> *candidate : {&ProductQueueTable::fields(), &CustomerQueueTable::fields()}) {
        auto opened = DbfTable::open(path, *candidate);
        if (opened.ok()) {
            fields = *candidate;
            return std::move(opened.value());
        }
        FUZZ_CHECK(!opened.error().isEmpty(), path);
        error = opened.error();
    }
    return nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = fuzzScratchPath(QStringLiteral("fuzz.dbf"));
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(input) == input.size(), path);
    }

    QList<DbfFieldSpec> fields;
    QString error;
    std::unique_ptr<DbfTable> table = openEither(path, fields, error);
    if (!table) {
        FUZZ_CHECK(fileBytes(path) == input, error);
        return 0;
    }

    const int headerLength = uchar(input.at(8)) | uchar(input.at(9)) << 8;
    const int recordLength = table->layout()->recordLength;
    const int oldCount = table->recordCount();
    FUZZ_CHECK(input.size() >= qint64(headerLength) + qint64(oldCount) * recordLength, hexOf(input));

    QList<QByteArray> rows;
    std::vector<int> live;
    for (int row = 0; row < oldCount; ++row) {
        const auto read = table->read(row);
        FUZZ_CHECK(read.ok(), read.error());
        const QByteArray stored = input.mid(headerLength + qsizetype(row) * recordLength, recordLength);
        FUZZ_CHECK(read.value().bytes() == stored, hexOf(read.value().bytes()));
        checkFields(read.value(), stored);
        rows.append(stored);
        if (stored.at(0) != '*') {
            live.push_back(row);
        }
    }
    const auto liveRows = table->liveRecordNumbers();
    FUZZ_CHECK(liveRows.ok() && liveRows.value() == live, liveRows.error());

    const DbfRecord added = newRow(*table);
    const auto appended = table->append(added);
    FUZZ_CHECK(appended.ok() && appended.value() == oldCount, appended.error());
    const auto readBack = table->read(oldCount);
    FUZZ_CHECK(readBack.ok() && readBack.value() == added, readBack.error());
    rows.append(added.bytes());
    const DbfStatus closed = table->close();
    FUZZ_CHECK(closed.ok(), closed.error());

    auto reopened = DbfTable::open(path, fields);
    FUZZ_CHECK(reopened.ok(), reopened.error());
    FUZZ_CHECK(reopened.value()->recordCount() == oldCount + 1, path);
    for (int row = 0; row <= oldCount; ++row) {
        const auto read = reopened.value()->read(row);
        FUZZ_CHECK(read.ok() && read.value().bytes() == rows.at(row), read.error());
    }
    reopened.value()->close();

    // Only the date and the count in the first 32 bytes change; the end mark may follow the rows.
    const QByteArray after = fileBytes(path);
    const qint64 expectedSize = qint64(headerLength) + qint64(oldCount + 1) * recordLength;
    FUZZ_CHECK(after.at(0) == input.at(0) && after.mid(8, headerLength - 8) == input.mid(8, headerLength - 8),
               hexOf(after));
    FUZZ_CHECK(after.size() == expectedSize || (after.size() == expectedSize + 1 && after.endsWith('\x1A')),
               QString::number(after.size()));
    return 0;
}
