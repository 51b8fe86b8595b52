#include "exchange/ExchangeFailureText.h"

#include "common/LoopbackServer.h"
#include "components/Big5.h"

#include <gtest/gtest.h>

namespace {
using ExchangeEnvelope::Outcome;
using Failure = HttpPost::Failure;

TEST(ExchangeFailureText, saysWhyInWordsAStoreCanActOn)
{
    const QString server = QStringLiteral("127.0.0.1:8080");
    const struct {
        const char *name;
        Outcome outcome;
        Failure failure;
        int httpStatus;
        QByteArray body;
        QString expected;
        ExchangeEnvelope::ServerProblem serverProblem = ExchangeEnvelope::ServerProblem::None;
    } cases[] = {
        {"complete", Outcome::Complete, Failure::None, 200, "NoData", QString()},
        {"refused", Outcome::TransportFailed, Failure::Refused, 0, "", QStringLiteral("主機 127.0.0.1:8080 拒絕連線")},
        {"timed out", Outcome::TransportFailed, Failure::TimedOut, 0, "",
         QStringLiteral("主機 127.0.0.1:8080 連線逾時")},
        {"name not found", Outcome::TransportFailed, Failure::NameNotFound, 0, "",
         QStringLiteral("找不到主機 127.0.0.1:8080")},
        {"HTTP status", Outcome::TransportFailed, Failure::HttpStatus, 404, "",
         QStringLiteral("主機回應 HTTP 狀態 404")},
        {"cancelled", Outcome::TransportFailed, Failure::Cancelled, 0, "", QStringLiteral("通訊已取消")},
        {"compressed", Outcome::TransportFailed, Failure::Compressed, 200, "",
         QStringLiteral("主機送回壓縮過的資料（Content-Encoding: gzip），本程式無法讀取：請主機或代理伺服器關閉壓縮")},
        {"other network failure", Outcome::TransportFailed, Failure::Network, 0, "", QStringLiteral("網路錯誤：why")},
        {"empty reply", Outcome::Incomplete, Failure::None, 200, "",
         QStringLiteral("主機 127.0.0.1:8080 沒有回應任何資料")},
        {"refusal of the server", Outcome::Incomplete, Failure::None, 200, Big5::fromUtf8Literal("密碼錯誤\r\n"),
         QStringLiteral("主機回應：密碼錯誤")},
        {"cut short", Outcome::Incomplete, Failure::None, 200, "DataOk\r\n01\r\n",
         QStringLiteral("主機回應的資料不完整（最後一行不是 EOT）")},
        {"no server set", Outcome::TransportFailed, Failure::NoServer, 0, "",
         QStringLiteral("SysSet.ini 的 SERVER 沒有主機位址"), ExchangeEnvelope::ServerProblem::Missing},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const ServerExchange::Result result{c.outcome,       c.failure,    QStringLiteral("why"), 1,
                                            c.serverProblem, c.httpStatus, QStringLiteral("gzip")};
        EXPECT_EQ(exchangeFailureReason(result, ServerReply(c.body), server), c.expected);
    }
}

TEST(ExchangeFailureText, aFailedExchangeGivesTheStatusLineAndTheReason)
{
    // A compressed reply is binary: none of its bytes may reach the message.
    LoopbackServer compressing([](LoopbackServer::Connection &connection) {
        connection.send(httpReply("200 OK", "\x1f\x8b\x08\r\n\xff",
                                  "Content-Encoding: x-gzip\r\nContent-Encoding: br\x01\xff\r\n"));
    });
    const QByteArray closed = QByteArrayLiteral("127.0.0.1:") + QByteArray::number(LoopbackServer::closedPort());
    const struct {
        const char *name;
        QByteArray address;
        QString reason;
    } cases[] = {
        {"refused", closed, QStringLiteral("主機 ") + QString::fromLatin1(closed) + QStringLiteral(" 拒絕連線")},
        {"compressed", compressing.serverText(),
         QStringLiteral(
             "主機送回壓縮過的資料（Content-Encoding: x-gzip, br??），本程式無法讀取：請主機或代理伺服器關閉壓縮")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ServerExchange exchange([&] { return LinkSettings{c.address, "01", "pw"}; });
        ASSERT_FALSE(exchange.linkTest());
        EXPECT_TRUE(exchange.statusLine().endsWith(QStringLiteral(" 失敗")));
        EXPECT_EQ(exchangeFailureMessage(exchange), exchange.statusLine() + QLatin1Char('\n') + c.reason);
    }
}

} // namespace
