// The label text files, product and customer, over a queue and output
// settings of any content: one line per label, each ending in CR LF and its
// quantity, and nothing else.
#include "FuzzCheck.h"
#include "FuzzScratch.h"
#include "customerlabels/CustomerLabelLines.h"
#include "customerlabels/MemoryCustomerRows.h"
#include "productlabels/MemoryProductQueue.h"
#include "productlabels/ProductLabelLines.h"

#include <QFile>

#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

using namespace ProductQueueTable;

// A column entry as a settings file can hold it: a catalogue entry with
// anything after it, a custom text, or any bytes; never an LF, though a
// settings line may hold a lone CR.
QByteArray columnEntry(FuzzedDataProvider &input, const QList<QByteArray> &catalogue)
{
    const int choice = input.ConsumeIntegralInRange<int>(0, int(catalogue.size()) + 1);
    QByteArray entry =
        choice < catalogue.size() ? catalogue.at(choice) : QByteArray(choice == catalogue.size() ? "#" : "");
    entry += QByteArray::fromStdString(input.ConsumeRandomLengthString(60));
    entry.replace('\n', "");
    return entry.trimmed();
}

ProductOutputSettings settingsFrom(FuzzedDataProvider &input)
{
    ProductOutputSettings settings;
    settings.fixedWidth = input.ConsumeBool();
    settings.oneLinePerLabel = input.ConsumeBool();
    const int columns = input.ConsumeIntegralInRange(0, ProductOutputSettings::MaxColumns);
    for (int column = 0; column < columns; ++column) {
        settings.columns.append(columnEntry(input, productColumnCatalogue()));
    }
    return settings;
}

// The queues hold what their tables can: quantities of at most a few dozen
// labels here, so that one input stays a small file.
std::optional<double> quantityFrom(FuzzedDataProvider &input)
{
    const int halves = input.ConsumeIntegralInRange(-9, 60);
    return halves == -9 ? std::nullopt : std::optional<double>(halves / 2.0);
}

MemoryRow rowFrom(FuzzedDataProvider &input)
{
    MemoryRow row;
    for (int field = 0; field < FieldCount; ++field) {
        if (field == QUAN) {
            row.number(QUAN, quantityFrom(input));
        } else if (side().isNumeric(field)) {
            const double value = input.ConsumeFloatingPointInRange(-1e9, 1e9);
            row.number(field, input.ConsumeBool() ? std::nullopt : std::optional<double>(value));
        } else {
            row.text(field, QByteArray::fromStdString(input.ConsumeRandomLengthString(30)));
        }
    }
    return row;
}

// Half to even, for the halves the rows are made of.
qint64 labelsOf(bool keyed, std::optional<double> quantity, bool oneLinePerLabel)
{
    if (!keyed) {
        return 0;
    }
    if (!oneLinePerLabel) {
        return 1;
    }
    if (!quantity || *quantity <= 0.5) {
        return 0;
    }
    const qint64 whole = qint64(*quantity);
    if (*quantity - double(whole) == 0.5) {
        return whole % 2 == 0 ? whole : whole + 1;
    }
    return qint64(*quantity + 0.5);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// With no line to write the old file stays as it was. Otherwise the file
// holds exactly the lines counted, each ending in CR LF and no other break,
// and in one-label-per-line mode in the count 1.
QList<QByteArray> checkedLines(const LabelTextFileResult &result, const QString &path, const QByteArray &before,
                               qint64 expectedLines, bool oneLinePerLabel)
{
    const QByteArray written = fileBytes(path);
    if (expectedLines == 0) {
        FUZZ_CHECK(result.outcome == LabelTextFileResult::Outcome::NoLines && written == before, result.error);
        return {};
    }
    FUZZ_CHECK(result.ok(), result.error);
    FUZZ_CHECK(result.lines == expectedLines, QString::number(result.lines));
    FUZZ_CHECK(written.endsWith("\r\n"), hexOf(written.right(100)));
    QList<QByteArray> lines = written.split('\n');
    lines.removeLast();
    FUZZ_CHECK(lines.size() == expectedLines, QString::number(lines.size()));
    for (const QByteArray &line : lines) {
        FUZZ_CHECK(line.endsWith('\r') && line.count('\r') == 1, hexOf(line));
        FUZZ_CHECK(!oneLinePerLabel || line.endsWith("1\r"), hexOf(line));
    }
    return lines;
}

void checkProductFile(FuzzedDataProvider &input)
{
    const ProductOutputSettings settings = settingsFrom(input);
    MemoryProductQueue queue;
    qint64 expectedLines = 0;
    while (input.remaining_bytes() > 0 && queue.rows.size() < 64) {
        queue.rows.append(rowFrom(input));
        const MemoryRow &row = queue.rows.last();
        expectedLines += labelsOf(!row.texts[BARCODE].isEmpty(), row.numbers[QUAN], settings.oneLinePerLabel);
    }

    const QString path = fuzzScratchPath(QStringLiteral("Bars.txt"));
    const QByteArray before = fileBytes(path);
    const LabelTextFileResult result = writeProductLabelTextFile(queue, settings, path, QDate(2026, 12, 10));
    const QList<QByteArray> lines = checkedLines(result, path, before, expectedLines, settings.oneLinePerLabel);

    const ProductLabelLines rules(settings, QDate(2026, 12, 10));
    qsizetype fixedWidth = 0;
    for (const ProductColumn &column : rules.columns()) {
        fixedWidth += column.kind == ProductColumn::Kind::CustomText
                          ? std::min<qsizetype>(column.entry.size() - 1, LabelTextRules::customTextLimit)
                          : column.width;
    }
    for (const QByteArray &line : lines) {
        const qsizetype quantityLength = line.size() - 1 - fixedWidth;
        FUZZ_CHECK(!settings.fixedWidth || (quantityLength >= 0 && quantityLength <= 20), hexOf(line));
    }
}

void checkCustomerFile(FuzzedDataProvider &input)
{
    CustomerOutputSettings settings;
    settings.fixedWidth = input.ConsumeBool();
    settings.oneLinePerLabel = input.ConsumeBool();
    const int columns = input.ConsumeIntegralInRange(0, CustomerOutputSettings::MaxColumns);
    for (int column = 0; column < columns; ++column) {
        settings.columns.append(columnEntry(input, customerColumnCatalogue()));
    }
    MemoryCustomerRows queue;
    qint64 expectedLines = 0;
    while (input.remaining_bytes() > 0 && queue.rows.size() < 64) {
        CustomerRow row;
        row.quan(quantityFrom(input));
        for (int field = CustomerQueueTable::QUAN + 1; field < CustomerQueueTable::FieldCount; ++field) {
            row.text(field, QByteArray::fromStdString(input.ConsumeRandomLengthString(30)));
        }
        queue.rows.append(row);
        expectedLines +=
            labelsOf(!row.texts[CustomerQueueTable::BAR_NO].isEmpty(), row.quantity, settings.oneLinePerLabel);
    }

    const QString path = fuzzScratchPath(QStringLiteral("CustomerBars.txt"));
    const QByteArray before = fileBytes(path);
    const LabelTextFileResult result =
        writeLabelTextFile(queue, CustomerLabelLines(settings), CustomerQueueTable::BAR_NO, path);
    checkedLines(result, path, before, expectedLines, settings.oneLinePerLabel);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider productInput(data, size);
    checkProductFile(productInput);
    FuzzedDataProvider customerInput(data, size);
    checkCustomerFile(customerInput);
    return 0;
}
