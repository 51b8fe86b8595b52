// The reply walk: the body split into lines, the status line judged, and a
// "DataOk" reply's records (values up to each separator, up to "EOT") stored
// in memory exactly as a plain reading of the lines gives them, for the
// product record and the customer record.
#include "FuzzCheck.h"
#include "components/DecimalText.h"
#include "customerlabels/CustomerQueueTable.h"
#include "exchange/ExchangeEnvelope.h"
#include "exchange/ServerReply.h"
#include "labelqueue/FillQueueFromReply.h"
#include "productlabels/ProductQueueTable.h"

#include <QList>

#include <cstddef>
#include <cstdint>

namespace {

// CR LF, LF and CR each end a line; a break at the very end adds no line.
QList<QByteArray> splitLines(const QByteArray &body)
{
    QList<QByteArray> lines;
    QByteArray line;
    for (qsizetype i = 0; i < body.size(); ++i) {
        const char c = body.at(i);
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < body.size() && body.at(i + 1) == '\n') {
            ++i;
        }
        lines.append(line);
        line.clear();
    }
    if (!line.isEmpty()) {
        lines.append(line);
    }
    return lines;
}

QList<QByteArray> checkLines(const ServerReply &reply, const QByteArray &body)
{
    QList<QByteArray> lines = splitLines(body);
    FUZZ_CHECK(reply.count() == lines.size(), hexOf(body));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        lines[i].truncate(ServerReply::maxLineLength);
        FUZZ_CHECK(reply.lineView(i) == lines.at(i), hexOf(body));
    }
    FUZZ_CHECK(reply.lineView(lines.size()).isEmpty(), hexOf(body));
    const bool complete =
        !lines.isEmpty() && (lines.first() == "NoData" || (lines.first() == "DataOk" && lines.last() == "EOT"));
    FUZZ_CHECK(ExchangeEnvelope::isComplete(reply) == complete, hexOf(body));
    return lines;
}

// A record's shape as the walk should see it: how many values it may hold
// and which of them are numbers (the quantity always is).
struct Shape {
    const QueueSide *side = nullptr;
    qsizetype count = 0;
    QList<int> numeric;
};

Shape shapeOf(const QueueSide &side)
{
    Shape shape{&side, side.replyFields.size(), {}};
    for (int position = 0; position < shape.count; ++position) {
        if (side.isNumeric(side.replyFields[position])) {
            shape.numeric.append(position);
        }
    }
    return shape;
}

Shape productShape()
{
    return shapeOf(ProductQueueTable::side());
}

Shape customerShape()
{
    return shapeOf(CustomerQueueTable::side());
}

// Keeps every record as the walk hands it over; the texts point into the reply.
class RecordingSink : public ReplyRecordSink
{
public:
    QString append(const ReplyRecord &record) override
    {
        if (records.size() == refuseAt) {
            return QStringLiteral("full");
        }
        records.append(record);
        return QString();
    }

    QList<ReplyRecord> records;
    qsizetype refuseAt = -1;
};

// Whether a record's values can become a row: not too many, and each
// numeric one a number or blank (the quantity may not be blank).
bool acceptable(const QList<QByteArray> &values, const Shape &shape)
{
    if (values.size() > shape.count) {
        return false;
    }
    for (qsizetype position = 0; position < values.size(); ++position) {
        const QByteArray &value = values.at(position);
        const bool numeric = shape.numeric.contains(int(position));
        if (numeric && !DecimalText::parse(value) && (position == 0 || !value.trimmed().isEmpty())) {
            return false;
        }
    }
    return true;
}

void checkRecord(const ReplyRecord &record, int number, const QList<QByteArray> &values, const Shape &shape,
                 const FillOptions &options)
{
    FUZZ_CHECK(record.number == number && record.valueCount == values.size(), QString::number(number));
    for (int position = 0; position < shape.count; ++position) {
        const QByteArray value = position < values.size() ? values.at(position) : QByteArray();
        FUZZ_CHECK(record.texts[position] == value, hexOf(value));
        std::optional<double> expected;
        if (position == 0 && options.countOverride) {
            expected = options.countOverride;
        } else if (position < values.size() && shape.numeric.contains(position)) {
            expected = DecimalText::parse(value);
        }
        FUZZ_CHECK(record.numbers[position] == expected, hexOf(value));
    }
}

void checkFill(const ServerReply &reply, const QList<QByteArray> &lines, const QByteArray &body, const Shape &shape)
{
    RecordingSink sink;
    FillOptions options;
    if (body.size() % 2 == 1) {
        options.countOverride = 3;
    }
    if (body.size() % 5 == 0) {
        sink.refuseAt = 1;
    }
    int lastProgress = 0;
    options.progressInterval = 1;
    options.progress = [&](int rowsAdded) {
        FUZZ_CHECK(rowsAdded >= lastProgress && rowsAdded == sink.records.size(), hexOf(body));
        lastProgress = rowsAdded;
    };
    const FillResult result = fillQueueFromReply(reply, sink, *shape.side, options);

    QList<QList<QByteArray>> records;
    QList<QByteArray> values;
    int failedRecord = 0;
    for (qsizetype i = 1; i < lines.size() && lines.at(i) != "EOT" && failedRecord == 0; ++i) {
        if (lines.at(i) != "---------------------") {
            values.append(lines.at(i));
            failedRecord = acceptable(values, shape) ? 0 : int(records.size()) + 1;
        } else if (!values.isEmpty()) {
            if (records.size() == sink.refuseAt) {
                failedRecord = int(records.size()) + 1;
                break;
            }
            records.append(values);
            values.clear();
        }
    }
    if (failedRecord == 0 && !values.isEmpty()) {
        failedRecord = int(records.size()) + 1;
    }

    FUZZ_CHECK(result.ok() == (failedRecord == 0), result.error + QStringLiteral(" in ") + hexOf(body));
    FUZZ_CHECK(result.rowsAdded == records.size() && sink.records.size() == records.size(), hexOf(body));
    if (failedRecord > 0) {
        FUZZ_CHECK(result.error.contains(QStringLiteral("第 %1 筆").arg(failedRecord)), result.error);
    }
    for (qsizetype row = 0; row < records.size(); ++row) {
        checkRecord(sink.records.at(row), int(row) + 1, records.at(row), shape, options);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    const ServerReply reply(body);
    const QList<QByteArray> lines = checkLines(reply, body);
    if (!lines.isEmpty() && lines.first() == "DataOk") {
        checkFill(reply, lines, body, productShape());
        checkFill(reply, lines, body, customerShape());
    }
    return 0;
}
