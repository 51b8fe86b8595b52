// The reply walk: the body split into lines, the status line judged, and a
// "DataOk" reply's records (values up to each separator, up to "EOT") stored
// in an in-memory queue exactly as a plain reading of the lines gives them.
#include "FuzzCheck.h"
#include "app/ExchangeEnvelope.h"
#include "app/ServerReply.h"
#include "components/DecimalText.h"
#include "productlabels/FillQueueFromReply.h"
#include "productlabels/MemoryProductQueue.h"

#include <QList>

#include <cstddef>
#include <cstdint>

namespace {

using namespace ProductReplyFields;

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

// Why a record's values cannot become a row, in the walk's own terms: too
// many values, or a numeric value that is no number (QUAN may not be blank).
bool acceptable(const QList<QByteArray> &values)
{
    if (values.size() > count) {
        return false;
    }
    for (qsizetype position = 0; position < values.size(); ++position) {
        const QByteArray &value = values.at(position);
        if (position == QUAN && !DecimalText::parse(value)) {
            return false;
        }
        if (isNumeric(int(position)) && !value.trimmed().isEmpty() && !DecimalText::parse(value)) {
            return false;
        }
    }
    return true;
}

void checkRow(const MemoryRow &row, const QList<QByteArray> &values, const FillOptions &options)
{
    for (int position = 0; position < count; ++position) {
        const QByteArray value = position < values.size() ? values.at(position) : QByteArray();
        if (!isNumeric(position)) {
            FUZZ_CHECK(row.texts[position] == value, hexOf(value));
        } else if (position == QUAN) {
            FUZZ_CHECK(row.numbers[QUAN] == (options.countOverride ? options.countOverride : DecimalText::parse(value)),
                       hexOf(value));
        } else {
            FUZZ_CHECK(row.numbers[position] == DecimalText::parse(value), hexOf(value));
        }
    }
}

void checkFill(const ServerReply &reply, const QList<QByteArray> &lines, const QByteArray &body)
{
    MemoryProductQueue queue;
    FillOptions options;
    if (body.size() % 2 == 1) {
        options.countOverride = 3;
    }
    if (body.size() % 5 == 0) {
        queue.refusal = QStringLiteral("full");
        queue.refuseAt = 1;
    }
    int lastProgress = 0;
    options.progressInterval = 1;
    options.progress = [&](int rowsAdded) {
        FUZZ_CHECK(rowsAdded >= lastProgress && rowsAdded == queue.rows.size(), hexOf(body));
        lastProgress = rowsAdded;
    };
    const FillResult result = FillQueueFromReply(reply, queue, options);

    QList<QList<QByteArray>> records;
    QList<QByteArray> values;
    int failedRecord = 0;
    for (qsizetype i = 1; i < lines.size() && lines.at(i) != "EOT" && failedRecord == 0; ++i) {
        if (lines.at(i) != "---------------------") {
            values.append(lines.at(i));
            failedRecord = acceptable(values) ? 0 : int(records.size()) + 1;
        } else if (!values.isEmpty()) {
            if (records.size() == queue.refuseAt) {
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
    FUZZ_CHECK(result.rowsAdded == records.size() && queue.rows.size() == records.size(), hexOf(body));
    if (failedRecord > 0) {
        FUZZ_CHECK(result.error.contains(QStringLiteral("第 %1 筆").arg(failedRecord)), result.error);
    }
    for (qsizetype row = 0; row < records.size(); ++row) {
        checkRow(queue.rows.at(row), records.at(row), options);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    const ServerReply reply(body);
    const QList<QByteArray> lines = checkLines(reply, body);
    if (!lines.isEmpty() && lines.first() == "DataOk") {
        checkFill(reply, lines, body);
    }
    return 0;
}
