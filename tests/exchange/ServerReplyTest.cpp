#include "exchange/ServerReply.h"

#include "components/DateFormats.h"
#include "exchange/ExchangeEnvelope.h"
#include "exchange/ReplySpool.h"

#include <QDir>
#include <QList>

#include <gtest/gtest.h>
#include <optional>

namespace {
QList<QByteArray> linesOf(const ServerReply &reply)
{
    QList<QByteArray> lines;
    for (qsizetype i = 0; i < reply.count(); ++i) {
        lines.append(reply.line(i));
    }
    return lines;
}
} // namespace

TEST(ServerReply, splitsLinesAtEveryKindOfBreak)
{
    const struct {
        const char *name;
        QByteArray body;
        QList<QByteArray> lines;
    } cases[] = {
        {"empty body has no line", "", {}},
        {"CR LF, one trailing break adds nothing", "DataOk\r\nEOT\r\n", {"DataOk", "EOT"}},
        {"no trailing break", "DataOk\r\nEOT", {"DataOk", "EOT"}},
        {"lone LF", "a\nb\n", {"a", "b"}},
        {"lone CR", "a\rb\r", {"a", "b"}},
        {"two trailing breaks leave an empty line", "DataOk\r\nEOT\r\n\r\n", {"DataOk", "EOT", ""}},
        {"LF then CR is two breaks", "a\n\rb", {"a", "", "b"}},
        {"CR CR LF is two breaks", "a\r\r\nb", {"a", "", "b"}},
        {"mixed", "a\r\n\nb\r\rc", {"a", "", "b", "", "c"}},
        {"a lone break is one empty line", "\r\n", {""}},
        {"Big5 bytes kept as they are", "\xb1\x4b\xbd\x58\xbf\xf9\xbb\x7e\n", {"\xb1\x4b\xbd\x58\xbf\xf9\xbb\x7e"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const ServerReply reply(c.body);
        EXPECT_EQ(linesOf(reply), c.lines);
        EXPECT_EQ(reply.body().toByteArray(), c.body);
    }
}

TEST(ServerReply, readsLongLinesCutAndNothingPastTheEnd)
{
    const QByteArray exact(4096, 'e');
    const QByteArray tooLong = QByteArray(4096, 'x') + 'y';
    const ServerReply reply(exact + "\r\n" + tooLong + "\nlast");

    ASSERT_EQ(reply.count(), 3);
    EXPECT_EQ(reply.line(0), exact);
    EXPECT_EQ(reply.line(1), QByteArray(4096, 'x'));
    EXPECT_EQ(reply.line(2), "last");
    EXPECT_EQ(reply.line(3), QByteArray());
    EXPECT_EQ(reply.line(-1), QByteArray());
    EXPECT_EQ(ServerReply().line(0), QByteArray());
}

TEST(ServerReply, floodsOfShortLinesReadLikeAnyOther)
{
    // Far more lines than the index keeps one entry each for, with every kind
    // of break, empty lines, and long lines between the kept starts.
    const struct {
        const char *name;
        QByteArray piece;
        int repeats;
    } cases[] = {
        {"bare line feeds", "\n", 300000},
        {"mixed breaks", "a\r\n\n\rb\r\rcd\n", 40000},
        {"a long line now and then", QByteArray(5000, 'L') + QByteArray(999, '\n'), 150},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray body = c.piece.repeated(c.repeats) + "tail";
        QList<QByteArray> expected = QByteArray(body).replace("\r\n", "\n").replace('\r', '\n').split('\n');
        for (QByteArray &line : expected) {
            line.truncate(ServerReply::maxLineLength);
        }
        const ServerReply reply(body);
        ASSERT_EQ(reply.count(), expected.size());
        EXPECT_EQ(linesOf(reply), expected);
        for (qsizetype index : {qsizetype(0), expected.size() / 3, expected.size() - 1}) {
            EXPECT_EQ(reply.line(index), expected.at(index)) << index;
        }
    }
}

TEST(ServerReply, aSpooledReplyOfMillionsOfLinesReadsTheSameInAnyOrder)
{
    // Past the index's ceiling and past the steps in which a mapped body's pages are given back.
    constexpr qint64 lineCount = 6000000;
    const char *const breaks[] = {"\r\n", "\n", "\r"};
    ReplySpool spool(QDir::tempPath());
    QByteArray block;
    for (qint64 i = 0; i < lineCount; ++i) {
        block += QByteArray::number(i) + breaks[i % 3];
        if (block.size() > 65536 || i + 1 == lineCount) {
            ASSERT_TRUE(spool.append(block.constData(), block.size())) << spool.error().toStdString();
            block.clear();
        }
    }
    std::optional<ReplyBytes> bytes = spool.take();
    ASSERT_TRUE(bytes);
    ASSERT_TRUE(bytes->isMapped());
    const ServerReply reply(std::move(*bytes));

    ASSERT_EQ(reply.count(), lineCount);
    qint64 wrong = 0;
    for (qint64 i = 0; i < lineCount; ++i) {
        wrong += reply.lineView(i) != QByteArray::number(i);
    }
    EXPECT_EQ(wrong, 0);
    for (qint64 i : {lineCount - 1, qint64(0), lineCount / 2, qint64(1), lineCount / 2 - 1, lineCount / 3 + 5}) {
        EXPECT_EQ(reply.line(i), QByteArray::number(i)) << i;
    }
    for (qint64 i = lineCount - 1; i >= 0; i -= 99991) {
        EXPECT_EQ(reply.line(i), QByteArray::number(i)) << i;
    }
}

TEST(ExchangeEnvelope, judgesTheReplyExactly)
{
    const struct {
        const char *body;
        bool complete;
    } cases[] = {
        {"DataOk\r\nEOT\r\n", true},
        {"DataOk\r\n01\r\n---------------------\r\nEOT", true},
        {"NoData", true},
        {"NoData\r\nanything at all", true},
        {"", false},
        {"DataOk\r\n01\r\n", false},
        {"DataOk\r\nEOT\r\n\r\n", false},
        {"dataok\r\nEOT", false},
        {"DataOk\r\neot", false},
        {"DataOk \r\nEOT", false},
        {"DataOk\r\nEOT ", false},
        {"nodata", false},
        {"\xb1\x4b\xbd\x58\xbf\xf9\xbb\x7e\r\n", false},
        {"\r\nNoData", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.body);
        EXPECT_EQ(ExchangeEnvelope::isComplete(ServerReply(c.body)), c.complete);
    }
}

TEST(ExchangeEnvelope, serverWithoutAHostOrWithAnythingThatWouldCutTheAddressIsRefused)
{
    using ExchangeEnvelope::ServerProblem;
    const struct {
        QByteArray server;
        ServerProblem problem;
    } cases[] = {
        {"", ServerProblem::Missing},
        {"/", ServerProblem::Missing},
        {"/cgi", ServerProblem::Missing},
        {QByteArray("host\0x", 6), ServerProblem::ControlCharacter},
        {"host\n", ServerProblem::ControlCharacter},
        {"host\rx", ServerProblem::ControlCharacter},
        {"host\tx", ServerProblem::ControlCharacter},
        {"host\x7f", ServerProblem::ControlCharacter},
        {"host/x#y", ServerProblem::QueryOrFragment},
        {"host/x?y", ServerProblem::QueryOrFragment},
        {"host#", ServerProblem::QueryOrFragment},
        {"host", ServerProblem::None},
        {"127.0.0.1:8080/shop/", ServerProblem::None},
        {"\xa5\x78\xa5\x5f.example", ServerProblem::None},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.server.toStdString());
        EXPECT_EQ(ExchangeEnvelope::serverProblem(c.server), c.problem);
        EXPECT_EQ(ExchangeEnvelope::serverProblemNotice(c.problem).contains(QStringLiteral("SysSet.ini 的 SERVER")),
                  c.problem != ServerProblem::None);
    }
}

TEST(ExchangeEnvelope, addressHasOneSlashBeforeTheScript)
{
    const struct {
        const char *server;
        const char *address;
    } cases[] = {
        {"shop.example", "http://shop.example/linktest.php"},
        {"shop.example/", "http://shop.example/linktest.php"},
        {"shop.example:8080", "http://shop.example:8080/linktest.php"},
        {"shop.example:8080/shop", "http://shop.example:8080/shop/linktest.php"},
        {"shop.example:8080/shop/", "http://shop.example:8080/shop/linktest.php"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.server);
        EXPECT_EQ(ExchangeEnvelope::address(c.server, "linktest.php"), c.address);
    }
}

TEST(ExchangeEnvelope, wireBodyEndsEveryLineAndCountsWithoutTheLastBreak)
{
    const struct {
        const char *name;
        QByteArray held;
        QByteArray sent;
        qsizetype contentLength;
    } cases[] = {
        {"empty", "", "", 0},
        {"one line, sent unescaped", "bran_no=01&link_pass=a&b=c+d%20 e", "bran_no=01&link_pass=a&b=c+d%20 e\r\n", 33},
        {"two lines", "a=1\r\nb=2", "a=1\r\nb=2\r\n", 8},
        {"lone LF held as a line break", "a=1\nb=2", "a=1\r\nb=2\r\n", 8},
        {"a final break closes the last line", "a=1\r\n", "a=1\r\n", 3},
        {"one empty line", "\r\n", "\r\n", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const ExchangeEnvelope::WireBody wire = ExchangeEnvelope::wireBody(c.held);
        EXPECT_EQ(wire.bytes, c.sent);
        EXPECT_EQ(wire.contentLength, c.contentLength);
    }
}

TEST(ExchangeEnvelope, elapsedTimeSurvivesTheTickCounterWrap)
{
    EXPECT_EQ(ExchangeEnvelope::elapsedTicks(100, 350), 250u);
    EXPECT_EQ(ExchangeEnvelope::elapsedTicks(7, 7), 0u);
    EXPECT_EQ(ExchangeEnvelope::elapsedTicks(0xFFFFFFF0u, 0x00000010u), 0x20u);
    EXPECT_EQ(ExchangeEnvelope::elapsedTicks(0xFFFFFFFFu, 0u), 1u);
}

TEST(ExchangeEnvelope, statusLineTexts)
{
    DateFormats::useLabelWindowFormats();
    const QDateTime at(QDate(2026, 3, 4), QTime(7, 8, 9));
    using ExchangeEnvelope::Outcome;
    EXPECT_EQ(ExchangeEnvelope::statusLine(at, Outcome::Complete, 1234),
              QStringLiteral("最近通訊時間 : 2026/03/04 07:08:09 成功      耗資時間(ms) :1234"));
    EXPECT_EQ(ExchangeEnvelope::statusLine(at, Outcome::Incomplete, 1234),
              QStringLiteral("最近通訊時間 : 2026/03/04 07:08:09 資料不完整"));
    EXPECT_EQ(ExchangeEnvelope::statusLine(at, Outcome::TransportFailed, 1234),
              QStringLiteral("最近通訊時間 : 2026/03/04 07:08:09 失敗"));
}
