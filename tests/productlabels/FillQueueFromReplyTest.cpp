#include "labelqueue/FillQueueFromReply.h"

#include "MemoryProductQueue.h"
#include "exchange/ServerReply.h"

#include <QByteArrayList>

#include <functional>
#include <gtest/gtest.h>

namespace {
using namespace ProductQueueTable;
const QByteArray separator = "---------------------";
const int count = int(side().replyFields.size());

// A record of 37 values: QUAN, then tag + "1" … tag + "36" by reply position,
// or ten times the position where the field is numeric.
QByteArrayList fullRecord(const QByteArray &quantity, const QByteArray &tag)
{
    QByteArrayList values{quantity};
    for (int position = 1; position < count; ++position) {
        values << (side().isNumeric(side().replyFields[position]) ? QByteArray::number(position * 10)
                                                                  : tag + QByteArray::number(position));
    }
    return values << separator;
}

ServerReply reply(const QByteArrayList &lines)
{
    return ServerReply(lines.join("\r\n") + "\r\n");
}

QByteArrayList body(std::initializer_list<QByteArrayList> parts)
{
    QByteArrayList lines{"DataOk"};
    for (const QByteArrayList &part : parts) {
        lines << part;
    }
    return lines;
}
} // namespace

TEST(FillQueueFromReply, storesGoodRecordsAndStopsSafelyOnMalformedOnes)
{
    const QByteArrayList eot{"EOT"};
    // 棉T恤 in Big5.
    const QByteArray name("\xb4\xd6T\xa6\xe7");
    struct Case {
        const char *name;
        QByteArrayList lines;
        std::optional<double> countOverride;
        int rows;
        QStringList errorParts; // empty for a reply stored whole
        std::function<void(const MemoryProductQueue &)> check;
    } cases[] = {
        {"two full records",
         body({fullRecord("2", "a"), fullRecord("1.5", "b"), eot}),
         std::nullopt,
         2,
         {},
         [](const MemoryProductQueue &queue) {
             const MemoryRow &first = queue.rows[0];
             EXPECT_EQ(first.numbers[QUAN], 2.0);
             EXPECT_EQ(first.texts[ITEM_NO], "a1");
             EXPECT_EQ(first.texts[NOTEA10], "a29");
             EXPECT_EQ(first.numbers[PRICE], 70.0);
             EXPECT_EQ(first.numbers[UNIT_Q], 360.0);
             EXPECT_EQ(first.texts[SUPP_NAME], "a35");
             EXPECT_EQ(queue.rows[1].numbers[QUAN], 1.5);
             EXPECT_EQ(queue.rows[1].texts[ITEM_NO], "b1");
         }},
        {"count override replaces every quantity",
         body({fullRecord("2.5", "a"), fullRecord("7", "b"), eot}),
         3.0,
         2,
         {},
         [](const MemoryProductQueue &queue) {
             EXPECT_EQ(queue.rows[0].numbers[QUAN], 3.0);
             EXPECT_EQ(queue.rows[1].numbers[QUAN], 3.0);
         }},
        {"count override of 0 is stored as typed",
         body({fullRecord("2", "a"), eot}),
         0.0,
         1,
         {},
         [](const MemoryProductQueue &queue) { EXPECT_EQ(queue.rows[0].numbers[QUAN], 0.0); }},
        {"fewer values leave the other fields empty",
         body({{"1", "A1", "4710001", name, separator}, eot}),
         std::nullopt,
         1,
         {},
         [&](const MemoryProductQueue &queue) {
             EXPECT_EQ(queue.rows[0].texts[BARCODE], "4710001");
             EXPECT_EQ(queue.rows[0].texts[ITEM_NAME], name);
             EXPECT_TRUE(queue.rows[0].texts[COLOR].isEmpty());
             EXPECT_FALSE(queue.rows[0].numbers[PRICE].has_value());
         }},
        {"numbers as StrToFloat reads them, empty kept empty",
         body({{" -2 ", "A1", "B", "N", "C", "S", "U", "1.5E3", "", separator}, eot}),
         std::nullopt,
         1,
         {},
         [](const MemoryProductQueue &queue) {
             EXPECT_EQ(queue.rows[0].numbers[QUAN], -2.0);
             EXPECT_EQ(queue.rows[0].numbers[PRICE], 1500.0);
             EXPECT_FALSE(queue.rows[0].numbers[MEMBER].has_value());
         }},
        {"no record at all", body({eot}), std::nullopt, 0, {}, {}},
        {"separators without values are skipped",
         body({{separator}, fullRecord("1", "a"), {separator, separator}, fullRecord("1", "b"), eot}),
         std::nullopt,
         2,
         {},
         {}},
        {"lines after EOT are not read",
         body({fullRecord("1", "a"), eot, fullRecord("x", "b")}),
         std::nullopt,
         1,
         {},
         {}},
        {"quantity that is no number",
         body({fullRecord("1", "a"), fullRecord("abc", "b"), eot}),
         std::nullopt,
         1,
         {QStringLiteral("第 2 筆"), QStringLiteral("「abc」")},
         {}},
        {"quantity is read even when the count replaces it",
         body({fullRecord("1,000", "a"), eot}),
         1.0,
         0,
         {QStringLiteral("第 1 筆"), QStringLiteral("「1,000」")},
         {}},
        {"empty quantity", body({fullRecord("", "a"), eot}), std::nullopt, 0, {QStringLiteral("第 1 筆")}, {}},
        {"numeric field that is no number",
         body({fullRecord("1", "a"), {"1", "A1", "B", "N", "C", "S", "U", "12x", separator}, eot}),
         std::nullopt,
         1,
         {QStringLiteral("第 2 筆"), QStringLiteral("PRICE"), QStringLiteral("「12x」")},
         {}},
        {"more than 37 values",
         body({fullRecord("1", "a"), fullRecord("1", "b").mid(0, count) << "extra" << separator, eot}),
         std::nullopt,
         1,
         {QStringLiteral("第 2 筆"), QStringLiteral("37"), QStringLiteral("「extra」")},
         {}},
        {"values after the last separator",
         body({fullRecord("1", "a"), {"1", "A2", "B2"}, eot}),
         std::nullopt,
         1,
         {QStringLiteral("第 2 筆"), QStringLiteral("未存入")},
         {}},
        {"reply ends inside a record",
         body({fullRecord("1", "a"), {"1", "A2"}}),
         std::nullopt,
         1,
         {QStringLiteral("第 2 筆")},
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        MemoryProductQueue queue;
        FillOptions options;
        options.countOverride = c.countOverride;
        const FillResult result = fillQueueFromReply(reply(c.lines), queue, side(), options);
        EXPECT_EQ(result.rowsAdded, c.rows);
        EXPECT_EQ(queue.rows.size(), c.rows);
        EXPECT_EQ(result.ok(), c.errorParts.isEmpty()) << result.error.toStdString();
        for (const QString &part : c.errorParts) {
            EXPECT_TRUE(result.error.contains(part)) << result.error.toStdString();
        }
        if (c.check && queue.rows.size() == c.rows) {
            c.check(queue);
        }
    }
}

TEST(FillQueueFromReply, aRefusedRowStopsTheFillingAndKeepsTheRowsBefore)
{
    MemoryProductQueue queue;
    queue.refusal = QStringLiteral("PRICE 太大");
    queue.refuseAt = 1;
    const FillResult result = fillQueueFromReply(
        reply(body({fullRecord("1", "a"), fullRecord("1", "b"), fullRecord("1", "c"), {"EOT"}})), queue, side());
    EXPECT_EQ(result.rowsAdded, 1);
    EXPECT_EQ(queue.rows.size(), 1);
    EXPECT_TRUE(result.error.contains(QStringLiteral("第 2 筆"))) << result.error.toStdString();
    EXPECT_TRUE(result.error.contains(QStringLiteral("PRICE 太大"))) << result.error.toStdString();
}

TEST(FillQueueFromReply, reportsProgressEveryIntervalAndAtTheEnd)
{
    MemoryProductQueue queue;
    QList<int> reported;
    FillOptions options;
    options.progressInterval = 2;
    options.progress = [&](int rows) { reported << rows; };
    fillQueueFromReply(reply(body({fullRecord("1", "a"),
                                   fullRecord("1", "b"),
                                   fullRecord("1", "c"),
                                   fullRecord("1", "d"),
                                   fullRecord("1", "e"),
                                   {"EOT"}})),
                       queue, side(), options);
    EXPECT_EQ(reported, (QList<int>{2, 4, 5}));
}

// Found by fuzzing: the record's name in every message was built from a
// temporary that was gone before the message was read.
TEST(FillQueueFromReply, messagesNameTheRecordWhole)
{
    MemoryProductQueue queue;
    const FillResult result = fillQueueFromReply(ServerReply("DataOk\r\n2\rA1\r\n"), queue, side());
    EXPECT_EQ(result.error, QStringLiteral("第 1 筆產品資料沒有結束線就結束了,未存入"));
}
