// The label text file over a queue and output settings of any content: one
// line per label, each ending in CR LF and its quantity, and nothing else.
#include "FuzzCheck.h"
#include "FuzzScratch.h"
#include "productlabels/LabelTextFile.h"
#include "productlabels/MemoryProductQueue.h"

#include <QFile>

#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

using namespace ProductReplyFields;

// A column entry as a settings file can hold it: a catalogue entry with
// anything after it, a custom text, or any bytes; never an LF, though a
// settings line may hold a lone CR.
QByteArray columnEntry(FuzzedDataProvider &input)
{
    const QList<QByteArray> &catalogue = productColumnCatalogue();
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
        settings.columns.append(columnEntry(input));
    }
    return settings;
}

// The queue holds what its table can: quantities of at most a few dozen
// labels here, so that one input stays a small file.
MemoryRow rowFrom(FuzzedDataProvider &input)
{
    MemoryRow row;
    for (int position = 0; position < count; ++position) {
        if (position == QUAN) {
            const int halves = input.ConsumeIntegralInRange(-9, 60);
            row.number(QUAN, halves == -9 ? std::nullopt : std::optional<double>(halves / 2.0));
        } else if (isNumeric(position)) {
            const double value = input.ConsumeFloatingPointInRange(-1e9, 1e9);
            row.number(position, input.ConsumeBool() ? std::nullopt : std::optional<double>(value));
        } else {
            row.text(position, QByteArray::fromStdString(input.ConsumeRandomLengthString(30)));
        }
    }
    return row;
}

// Half to even, for the halves rowFrom makes.
qint64 labelsOf(const MemoryRow &row, bool oneLinePerLabel)
{
    if (row.texts[BARCODE].isEmpty()) {
        return 0;
    }
    if (!oneLinePerLabel) {
        return 1;
    }
    if (!row.numbers[QUAN] || *row.numbers[QUAN] <= 0.5) {
        return 0;
    }
    const double quantity = *row.numbers[QUAN];
    const qint64 whole = qint64(quantity);
    if (quantity - double(whole) == 0.5) {
        return whole % 2 == 0 ? whole : whole + 1;
    }
    return qint64(quantity + 0.5);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const ProductOutputSettings settings = settingsFrom(input);
    MemoryProductQueue queue;
    qint64 expectedLines = 0;
    while (input.remaining_bytes() > 0 && queue.rows.size() < 64) {
        queue.rows.append(rowFrom(input));
        expectedLines += labelsOf(queue.rows.last(), settings.oneLinePerLabel);
    }

    const QString path = fuzzScratchPath(QStringLiteral("Bars.txt"));
    const LabelTextFileResult result = writeProductLabelTextFile(queue, settings, path, QDate(2026, 12, 10));
    FUZZ_CHECK(result.ok(), result.error);
    FUZZ_CHECK(result.lines == expectedLines, QString::number(result.lines));

    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly), path);
    const QByteArray written = file.readAll();
    FUZZ_CHECK(written.isEmpty() || written.endsWith("\r\n"), hexOf(written.right(100)));
    QList<QByteArray> lines = written.split('\n');
    lines.removeLast();
    FUZZ_CHECK(lines.size() == expectedLines, QString::number(lines.size()));

    const ProductLabelLines rules(settings, QDate(2026, 12, 10));
    qsizetype fixedWidth = 0;
    for (const ProductColumn &column : rules.columns()) {
        fixedWidth += column.kind == ProductColumn::Kind::CustomText
                          ? std::min<qsizetype>(column.entry.size() - 1, LabelTextRules::customTextLimit)
                          : column.width;
    }
    for (const QByteArray &line : lines) {
        FUZZ_CHECK(line.endsWith('\r') && line.count('\r') == 1, hexOf(line));
        if (settings.oneLinePerLabel) {
            FUZZ_CHECK(line.endsWith("1\r"), hexOf(line));
        }
        if (settings.fixedWidth) {
            const qsizetype quantityLength = line.size() - 1 - fixedWidth;
            FUZZ_CHECK(quantityLength >= 0 && quantityLength <= 20, hexOf(line));
        }
    }
    return 0;
}
