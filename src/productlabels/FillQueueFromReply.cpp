#include "productlabels/FillQueueFromReply.h"

#include "app/ServerReply.h"
#include "components/Big5.h"
#include "components/DecimalText.h"

#include <algorithm>

namespace {
const QByteArrayView separator("---------------------");
const QByteArrayView endOfReply("EOT");
// Long enough to recognise a value, short enough for a message box.
constexpr qsizetype shownValueLength = 60;

QString shown(QByteArrayView value)
{
    const bool cut = value.size() > shownValueLength;
    return QStringLiteral("「") + Big5::decode(value.data(), cut ? shownValueLength : value.size()) +
           (cut ? QStringLiteral("…") : QString()) + QStringLiteral("」");
}

// The product record as a shape, so both records are read alike.
const ReplyShape &productShape()
{
    static const ReplyShape shape = [] {
        ReplyShape made;
        for (int position = 0; position < ProductReplyFields::count; ++position) {
            made.names.append(ProductReplyFields::names()[position]);
            if (position > 0 && ProductReplyFields::isNumeric(position)) {
                made.numeric.append(position);
            }
        }
        made.recordNoun = QStringLiteral("產品資料");
        return made;
    }();
    return shape;
}

FillResult fillRows(const ServerReply &reply, ProductQueueSink &sink, const FillOptions &options)
{
    const ReplyShape &shape = options.shape ? *options.shape : productShape();
    const int count = int(std::min<qsizetype>(shape.names.size(), ProductReplyFields::count));
    // A declared QString: an auto return would keep the QStringBuilder, which refers to the arg() temporary.
    const auto recordText = [&shape](int number) -> QString {
        return QStringLiteral("第 %1 筆").arg(number) + shape.recordNoun;
    };
    FillResult result;
    ProductReplyRecord record;
    int position = 0;
    int recordNumber = 0;
    const int interval = options.progressInterval > 0 ? options.progressInterval : 1;
    const auto fail = [&](const QString &error) {
        result.error = error;
        return result;
    };

    for (qsizetype index = 1; index < reply.count(); ++index) {
        const QByteArrayView line = reply.lineView(index);
        if (line == endOfReply) {
            break;
        }
        if (line == separator) {
            if (position == 0) {
                continue;
            }
            const QString refusal = sink.append(record);
            if (!refusal.isEmpty()) {
                return fail(recordText(record.number) + QStringLiteral("無法存入: ") + refusal);
            }
            ++result.rowsAdded;
            if (options.progress && result.rowsAdded % interval == 0) {
                options.progress(result.rowsAdded);
            }
            position = 0;
            continue;
        }
        if (position == 0) {
            record.clear(++recordNumber);
        }
        if (position >= count) {
            return fail(recordText(recordNumber) + QStringLiteral("超過 %1 個值 (多出的值為").arg(count) + shown(line) +
                        QStringLiteral(")"));
        }
        record.texts[position] = line;
        if (position == 0) {
            const std::optional<double> quantity = DecimalText::parse(line);
            if (!quantity) {
                return fail(recordText(recordNumber) + QStringLiteral("的數量") + shown(line) +
                            QStringLiteral("不是數字"));
            }
            record.numbers[0] = options.countOverride ? options.countOverride : quantity;
        } else if (shape.numeric.contains(position)) {
            const std::optional<double> number = DecimalText::parse(line);
            const bool blank = line.trimmed().isEmpty();
            if (!number && !blank) {
                return fail(recordText(recordNumber) + QStringLiteral("的 ") +
                            QString::fromLatin1(shape.names[position]) + shown(line) + QStringLiteral("不是數字"));
            }
            record.numbers[position] = number;
        }
        record.valueCount = ++position;
    }
    if (position > 0) {
        return fail(recordText(recordNumber) + QStringLiteral("沒有結束線就結束了,未存入"));
    }
    if (options.progress) {
        options.progress(result.rowsAdded);
    }
    return result;
}

} // namespace

FillResult FillQueueFromReply(const ServerReply &reply, ProductQueueSink &sink, const FillOptions &options)
{
    // One hold of the table and one sync for all rows (nested in the import's own hold, if it has one).
    const QString refused = sink.beginImport();
    if (!refused.isEmpty()) {
        FillResult result;
        result.error = refused;
        return result;
    }
    FillResult result = fillRows(reply, sink, options);
    const QString unsynced = sink.endImport();
    if (!unsynced.isEmpty() && result.ok()) {
        result.error = unsynced;
    }
    return result;
}
