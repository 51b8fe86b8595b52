#include "labelqueue/FillQueueFromReply.h"

#include "components/Big5.h"
#include "components/DecimalText.h"
#include "exchange/ServerReply.h"

#include <vector>

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

FillResult fillRows(const ServerReply &reply, ReplyRecordSink &sink, const QueueSide &side, const FillOptions &options)
{
    const int count = int(side.replyFields.size());
    // Looked up once: the walk asks for every value of every record.
    std::vector<bool> numeric(size_t(count), false);
    for (int position = 1; position < count; ++position) {
        numeric[size_t(position)] = side.isNumeric(side.replyFields[position]);
    }
    // A declared QString: an auto return would keep the QStringBuilder, which refers to the arg() temporary.
    const auto recordText = [&side](int number) -> QString {
        return QStringLiteral("第 %1 筆").arg(number) + side.recordNoun;
    };
    FillResult result;
    ReplyRecord record;
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
            record.clear(++recordNumber, count);
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
        } else if (numeric[size_t(position)]) {
            const std::optional<double> number = DecimalText::parse(line);
            const bool blank = line.trimmed().isEmpty();
            if (!number && !blank) {
                return fail(recordText(recordNumber) + QStringLiteral("的 ") +
                            QString::fromLatin1(side.fields.at(side.replyFields[position]).name) + shown(line) +
                            QStringLiteral("不是數字"));
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

FillResult fillQueueFromReply(const ServerReply &reply, ReplyRecordSink &sink, const QueueSide &side,
                              const FillOptions &options)
{
    // One hold of the table and one sync for all rows (nested in the import's own hold, if it has one).
    const QString refused = sink.beginImport();
    if (!refused.isEmpty()) {
        FillResult result;
        result.error = refused;
        return result;
    }
    FillResult result = fillRows(reply, sink, side, options);
    const QString unsynced = sink.endImport();
    if (!unsynced.isEmpty() && result.ok()) {
        result.error = unsynced;
    }
    return result;
}
