#include "exchange/ServerExchange.h"

#include "common/FullDisk.h"
#include "common/LoopbackServer.h"
#include "components/Big5.h"
#include "components/Clock.h"
#include "components/DateFormats.h"
#include "exchange/ReplySpool.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QSignalSpy>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <optional>
#include <thread>

namespace {
using Failure = HttpPost::Failure;

const QString statusPrefix = QStringLiteral("最近通訊時間 : 2026/12/10 09:05:07");
const QString completeSuffix = QStringLiteral(" 成功      耗資時間(ms) :0");
const QString incompleteSuffix = QStringLiteral(" 資料不完整");
const QString failedSuffix = QStringLiteral(" 失敗");

QByteArray expectedRequest(const QByteArray &path, quint16 port, const QByteArray &body, qsizetype contentLength)
{
    QByteArray request = QByteArrayLiteral("POST ") + path + QByteArrayLiteral(" HTTP/1.0\r\n") +
                         QByteArrayLiteral("Host: 127.0.0.1:") + QByteArray::number(port) + "\r\n" +
                         "Accept: text/html, */*\r\n" + "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n" +
                         "Content-Type: application/x-www-form-urlencoded\r\n";
    if (contentLength > 0) {
        request += QByteArrayLiteral("Content-Length: ") + QByteArray::number(contentLength) + "\r\n";
    }
    return request + "\r\n" + body;
}

LoopbackServer::Handler answering(const QByteArray &response, bool closeAfter = false)
{
    return [=](LoopbackServer::Connection &connection) {
        connection.send(response);
        if (closeAfter) {
            connection.closeWrite();
        }
    };
}

const QByteArray dataOkBody = "DataOk\r\n01\r\n---------------------\r\nEOT\r\n";
// dataOkBody as gzip writes it: whole and readable, had the program asked for it.
const QByteArray
    gzippedDataOkBody("\x1f\x8b\x08\x00\x00\x00\x00\x00\x02\x03\x73\x49\x2c\x49\xf4\xcf\xe6\xe5\x32\x30"
                      "\xe4\xe5\xd2\xc5\x06\x78\xb9\x5c\xfd\x43\x78\xb9\x00\xf5\x05\xdd\xff\x28\x00\x00\x00",
                      41);

class ServerExchangeTest : public ::testing::Test
{
protected:
    ServerExchangeTest()
    {
        DateFormats::useLabelWindowFormats();
        exchange.setClock(clock);
        exchange.setTickSource([] { return quint32(0); });
    }

    bool post(const LoopbackServer &server, const QByteArray &body, const QString &script = QStringLiteral("x.php"))
    {
        link.server = server.serverText();
        exchange.setRequestBody(body);
        return exchange.post(script);
    }

    LinkSettings link{{}, "01", "pw"};
    FixedClock clock{QDateTime(QDate(2026, 12, 10), QTime(9, 5, 7))};
    ServerExchange exchange{[this] { return link; }};
};
} // namespace

TEST_F(ServerExchangeTest, sendsTheExactRequestBytes)
{
    LoopbackServer server(answering(httpReply("200 OK", "NoData\r\n")));
    const QByteArray password = Big5::fromUtf8Literal("密碼");
    const struct {
        const char *name;
        QByteArray serverSuffix;
        QByteArray path;
        QByteArray requestBody;
        QByteArray sent;
        qsizetype contentLength;
    } cases[] = {
        {"plain", "", "/qelvobranseek.php", "bran_no=01&link_pass=pw", "bran_no=01&link_pass=pw\r\n", 23},
        {"trailing slash not doubled", "/", "/qelvobranseek.php", "a=1", "a=1\r\n", 3},
        {"path prefix", "/shop", "/shop/qelvobranseek.php", "a=1", "a=1\r\n", 3},
        {"path prefix with slash", "/shop/", "/shop/qelvobranseek.php", "a=1", "a=1\r\n", 3},
        {"values unescaped, Big5 as bytes", "", "/qelvobranseek.php", "bran_no=0&1&link_pass=" + password + "+% x",
         "bran_no=0&1&link_pass=" + password + "+% x\r\n", 30},
        {"two lines", "", "/qelvobranseek.php", "a=1\nb=2", "a=1\r\nb=2\r\n", 8},
        {"empty body has no Content-Length", "", "/qelvobranseek.php", "", "", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        link.server = server.serverText() + c.serverSuffix;
        exchange.setRequestBody(c.requestBody);
        EXPECT_TRUE(exchange.post(QStringLiteral("qelvobranseek.php")));
        EXPECT_EQ(server.requests().back(), expectedRequest(c.path, server.port(), c.sent, c.contentLength));
    }
}

TEST_F(ServerExchangeTest, judgesEachKindOfReply)
{
    const QByteArray refusal = Big5::fromUtf8Literal("密碼錯誤") + "\r\n";
    const struct {
        const char *name;
        QByteArray response;
        bool closeAfter;
        bool ok;
        QString suffix;
        Failure failure;
        QByteArray replyBody;
    } cases[] = {
        {"DataOk to EOT", httpReply("200 OK", dataOkBody), false, true, completeSuffix, Failure::None, dataOkBody},
        {"NoData then anything", httpReply("200 OK", "NoData\r\nx"), false, true, completeSuffix, Failure::None,
         "NoData\r\nx"},
        {"refusal", httpReply("200 OK", refusal), false, false, incompleteSuffix, Failure::None, refusal},
        {"empty body", httpReply("200 OK", ""), false, false, incompleteSuffix, Failure::None, ""},
        {"no EOT", httpReply("200 OK", "DataOk\r\n01\r\n"), false, false, incompleteSuffix, Failure::None,
         "DataOk\r\n01\r\n"},
        {"two trailing breaks", httpReply("200 OK", "DataOk\r\nEOT\r\n\r\n"), false, false, incompleteSuffix,
         Failure::None, "DataOk\r\nEOT\r\n\r\n"},
        {"chunked", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n8\r\nDataOk\r\n\r\n5\r\nEOT\r\n\r\n0\r\n\r\n",
         false, true, completeSuffix, Failure::None, "DataOk\r\nEOT\r\n"},
        {"close-delimited", "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n" + dataOkBody, true, true,
         completeSuffix, Failure::None, dataOkBody},
        {"2xx with Location is not followed", httpReply("201 Created", "NoData", "Location: /other.php\r\n"), false,
         true, completeSuffix, Failure::None, "NoData"},
        {"404", httpReply("404 Not Found", "NoData"), false, false, failedSuffix, Failure::HttpStatus, ""},
        {"500", httpReply("500 Internal Server Error", dataOkBody), false, false, failedSuffix, Failure::HttpStatus,
         ""},
        {"304", httpReply("304 Not Modified", "", "Location: /other.php\r\n"), false, false, failedSuffix,
         Failure::HttpStatus, ""},
        {"3xx without Location", httpReply("302 Found", "NoData"), false, false, failedSuffix, Failure::HttpStatus, ""},
        {"redirect off HTTP", httpReply("302 Found", "NoData", "Location: ftp://127.0.0.1/x\r\n"), false, false,
         failedSuffix, Failure::HttpStatus, ""},
        {"closed mid-body", "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nDataOk\r\n", true, false, failedSuffix,
         Failure::Network, ""},
        {"chunked body cut short", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n8\r\nDataOk\r\n", true, false,
         failedSuffix, Failure::Network, ""},
        {"not HTTP", "DataOk\r\nEOT\r\n", true, false, failedSuffix, Failure::Network, ""},
        {"announced body over 8 GiB", "HTTP/1.0 200 OK\r\nContent-Length: 8589934593\r\n\r\nDataOk\r\n", true, false,
         failedSuffix, Failure::BodyTooLarge, ""},
        {"gzip", httpReply("200 OK", gzippedDataOkBody, "Content-Encoding: gzip\r\n"), false, false, failedSuffix,
         Failure::Compressed, ""},
        {"a coding after identity, in capitals",
         httpReply("200 OK", gzippedDataOkBody, "content-encoding: identity\r\nCONTENT-ENCODING: GZIP\r\n"), false,
         false, failedSuffix, Failure::Compressed, ""},
        {"identity", httpReply("200 OK", dataOkBody, "Content-Encoding: identity\r\n"), false, true, completeSuffix,
         Failure::None, dataOkBody},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackServer server(answering(c.response, c.closeAfter));
        EXPECT_EQ(post(server, "bran_no=01&link_pass=pw"), c.ok);
        EXPECT_EQ(exchange.lastResult().failure, c.failure);
        EXPECT_EQ(exchange.lastResult().requests, 1);
        EXPECT_EQ(exchange.statusLine(), statusPrefix + c.suffix);
        EXPECT_EQ(exchange.reply().body().toByteArray(), c.replyBody);
        EXPECT_EQ(server.requests().size(), 1u);
        EXPECT_FALSE(exchange.isBusy());
    }
}

TEST_F(ServerExchangeTest, followsRedirectionsWithTheSamePost)
{
    const struct {
        QByteArray status;
        bool absolute;
    } cases[] = {{"301 Moved Permanently", false},
                 {"302 Found", true},
                 {"303 See Other", false},
                 {"307 Temporary Redirect", true},
                 {"308 Permanent Redirect", false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.status.constData());
        quint16 port = 0;
        LoopbackServer server([&](LoopbackServer::Connection &connection) {
            const QByteArray location =
                c.absolute ? QByteArrayLiteral("http://127.0.0.1:") + QByteArray::number(port) + "/moved/target.php"
                           : QByteArrayLiteral("/moved/target.php");
            // A compressed page with the redirection says nothing of the answer after it.
            connection.send(
                connection.index() == 0
                    ? httpReply(c.status, "\x1f\x8b", "Location: " + location + "\r\nContent-Encoding: gzip\r\n")
                    : httpReply("200 OK", dataOkBody));
        });
        port = server.port();

        EXPECT_TRUE(post(server, "bran_no=01&link_pass=pw", QStringLiteral("first.php")));
        EXPECT_EQ(exchange.reply().body().toByteArray(), dataOkBody);
        const std::vector<QByteArray> requests = server.requests();
        ASSERT_EQ(requests.size(), 2u);
        EXPECT_EQ(requests[0], expectedRequest("/first.php", port, "bran_no=01&link_pass=pw\r\n", 23));
        EXPECT_EQ(requests[1], expectedRequest("/moved/target.php", port, "bran_no=01&link_pass=pw\r\n", 23));
    }
}

TEST_F(ServerExchangeTest, redirectLoopStopsAtFifteenRequestsAndKeepsTheLastBody)
{
    LoopbackServer server([](LoopbackServer::Connection &connection) {
        connection.send(httpReply("302 Found", "NoData\r\n" + QByteArray::number(connection.index() + 1),
                                  "Location: /loop.php\r\n"));
    });

    EXPECT_TRUE(post(server, "a=1", QStringLiteral("loop.php")));
    EXPECT_EQ(server.requests().size(), 15u);
    EXPECT_EQ(exchange.lastResult().requests, 15);
    EXPECT_EQ(exchange.reply().line(1), "15");
    EXPECT_EQ(exchange.statusLine(), statusPrefix + completeSuffix);
}

TEST_F(ServerExchangeTest, failureEmptiesTheReplyLeftByTheExchangeBefore)
{
    LoopbackServer server(answering(httpReply("200 OK", dataOkBody)));
    ASSERT_TRUE(post(server, "a=1"));
    ASSERT_EQ(exchange.reply().count(), 4);

    link.server = QByteArrayLiteral("127.0.0.1:") + QByteArray::number(LoopbackServer::closedPort());
    exchange.setRequestBody("a=1");
    QSignalSpy replyChanges(&exchange, &ServerExchange::replyChanged);
    EXPECT_FALSE(exchange.post(QStringLiteral("x.php")));
    EXPECT_EQ(replyChanges.count(), 1);
    EXPECT_EQ(exchange.lastResult().failure, Failure::Refused);
    EXPECT_FALSE(exchange.lastResult().reason.isEmpty());
    EXPECT_EQ(exchange.reply().count(), 0);
    EXPECT_EQ(exchange.statusLine(), statusPrefix + failedSuffix);
}

TEST_F(ServerExchangeTest, cancelDuringSlowReplyIsATransportFailure)
{
    // Part of the body, then silence until the client goes away.
    LoopbackServer server(answering("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nDataOk\r\n"));
    QStringList events;
    bool refusedWhileBusy = false;
    QObject::connect(&exchange, &ServerExchange::exchangeStarted, [&] { events << QStringLiteral("started"); });
    QObject::connect(&exchange, &ServerExchange::exchangeFinished,
                     [&](bool ok) { events << QStringLiteral("finished %1").arg(ok); });
    QObject::connect(&exchange, &ServerExchange::progress, [&](qint64 bytes) {
        events << QStringLiteral("progress %1").arg(bytes);
        refusedWhileBusy = exchange.isBusy() && !exchange.post(QStringLiteral("other.php")) && !exchange.linkTest() &&
                           exchange.requestBody() == "a=1";
        exchange.cancel();
    });

    EXPECT_FALSE(post(server, "a=1"));
    EXPECT_TRUE(refusedWhileBusy);
    EXPECT_EQ(events,
              QStringList({QStringLiteral("started"), QStringLiteral("progress 8"), QStringLiteral("finished 0")}));
    EXPECT_EQ(exchange.lastResult().failure, Failure::Cancelled);
    EXPECT_EQ(exchange.reply().count(), 0);
    EXPECT_EQ(exchange.statusLine(), statusPrefix + failedSuffix);
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_FALSE(exchange.isBusy());
}

TEST_F(ServerExchangeTest, headersTrickledOneByOneDoNotHoldOffTheStallLimit)
{
    constexpr int offered = 100;
    std::atomic<int> sent{0};
    LoopbackServer server([&](LoopbackServer::Connection &connection) {
        connection.send("HTTP/1.0 200 OK\r\n");
        // A header line every 50 ms: 5 s in all, far past the limit below.
        for (int line = 0; line < offered; ++line) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (!connection.send("X-Slow: " + QByteArray::number(line) + "\r\n")) {
                break;
            }
            ++sent;
        }
    });
    exchange.setLimits({400, 0});

    EXPECT_FALSE(post(server, "a=1"));

    EXPECT_EQ(exchange.lastResult().failure, Failure::TimedOut);
    EXPECT_TRUE(exchange.lastResult().reason.contains(QStringLiteral("did not begin its reply")))
        << exchange.lastResult().reason.toStdString();
    server.requests();
    EXPECT_LT(sent.load(), offered) << "the client stayed until the headers ended";
}

TEST_F(ServerExchangeTest, largeRepliesGoThroughASpoolFileAndFailuresThereKeepNothing)
{
    // Lines of every length up to a few hundred bytes, far past what is kept in memory.
    QByteArray records;
    for (int i = 0; records.size() < 3 * ReplySpool::memoryBytes; ++i) {
        records += QByteArray::number(i) + QByteArray(i % 300, char('a' + i % 26)) + (i % 7 ? "\r\n" : "\n");
    }
    const QByteArray body = "DataOk\r\n" + records + "EOT\r\n";
    const QString missing = QDir::tempPath() + QStringLiteral("/no-such-directory-for-replies");
    const struct {
        const char *name;
        QString spoolDirectory;
        rlim_t diskBytes; // 0: the disk takes everything
        qint64 bodyLimit;
        bool sized;
        Failure failure;
        QString reasonPart;
    } cases[] = {
        {"sized, read back exactly", QDir::tempPath(), 0, HttpPost::maxBodyBytes, true, Failure::None, {}},
        {"unsized, read back exactly", QDir::tempPath(), 0, HttpPost::maxBodyBytes, false, Failure::None, {}},
        {"past the limit, unsized", QDir::tempPath(), 0, 2 * ReplySpool::memoryBytes, false, Failure::BodyTooLarge,
         QStringLiteral("8 MiB")},
        {"no spool directory", missing, 0, HttpPost::maxBodyBytes, true, Failure::Spool, missing},
        {"the disk fills up", QDir::tempPath(), 2 * ReplySpool::memoryBytes, HttpPost::maxBodyBytes, false,
         Failure::Spool, QStringLiteral("File too large")},
    };
    const std::optional<QByteArray> tempBefore =
        qEnvironmentVariableIsSet("TMPDIR") ? std::optional(qgetenv("TMPDIR")) : std::nullopt;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackServer server(
            answering(c.sized ? httpReply("200 OK", body) : "HTTP/1.0 200 OK\r\n\r\n" + body, !c.sized));
        qputenv("TMPDIR", QFile::encodeName(c.spoolDirectory));
        exchange.setLimits({HttpPost::Limits::defaultStallMs, 0, c.bodyLimit});
        std::optional<FullDisk> fullDisk;
        if (c.diskBytes > 0) {
            fullDisk.emplace(c.diskBytes);
        }
        EXPECT_EQ(post(server, "a=1"), c.failure == Failure::None);
        fullDisk.reset();
        EXPECT_EQ(exchange.lastResult().failure, c.failure);
        EXPECT_TRUE(exchange.lastResult().reason.contains(c.reasonPart)) << exchange.lastResult().reason.toStdString();
        if (c.failure == Failure::None) {
            EXPECT_EQ(exchange.reply().body().toByteArray(), body);
            const QList<QByteArray> lines = QByteArray(body).replace("\r\n", "\n").split('\n');
            ASSERT_EQ(exchange.reply().count(), lines.size() - 1);
            for (qsizetype i = lines.size() - 2; i >= 0; i -= 997) {
                EXPECT_EQ(exchange.reply().line(i), lines.at(i)) << i;
            }
        } else {
            EXPECT_EQ(exchange.reply().count(), 0);
            EXPECT_EQ(exchange.statusLine(), statusPrefix + failedSuffix);
        }
    }
    if (tempBefore) {
        qputenv("TMPDIR", *tempBefore);
    } else {
        qunsetenv("TMPDIR");
    }
}

TEST_F(ServerExchangeTest, linkTestReadsTheSettingsAtEachCall)
{
    LoopbackServer server(answering(httpReply("200 OK", "DataOk\r\nEOT")));
    link.server = server.serverText() + "/";
    link.password = Big5::fromUtf8Literal("密碼");

    EXPECT_TRUE(exchange.linkTest());
    link.branch = "A";
    EXPECT_TRUE(exchange.linkTest());

    const std::vector<QByteArray> requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0],
              expectedRequest("/linktest.php", server.port(), "bran_no=01&link_pass=" + link.password + "\r\n", 25));
    EXPECT_EQ(requests[1],
              expectedRequest("/linktest.php", server.port(), "bran_no=A&link_pass=" + link.password + "\r\n", 24));
    EXPECT_EQ(exchange.requestBody(), "bran_no=A&link_pass=" + link.password);
}

TEST_F(ServerExchangeTest, elapsedTimeIsMeasuredAcrossTheTickWrap)
{
    LoopbackServer server(answering(httpReply("200 OK", "NoData")));
    QList<quint32> ticks{0xFFFFFFF0u, 0x0000000Fu};
    exchange.setTickSource([&] { return ticks.takeFirst(); });

    EXPECT_TRUE(post(server, "a=1"));
    EXPECT_EQ(exchange.statusLine(), statusPrefix + QStringLiteral(" 成功      耗資時間(ms) :31"));
}
