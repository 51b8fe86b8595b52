#include "exchange/BranchList.h"

#include "common/LoopbackServer.h"
#include "exchange/ServerExchange.h"

#include <QList>

#include <gtest/gtest.h>

namespace {
using Codes = QList<QByteArray>;

const QByteArray separator = "---------------------";

QByteArray replyOf(const Codes &codes)
{
    QByteArray body = "DataOk\r\n";
    for (const QByteArray &code : codes) {
        body += code + "\r\n" + separator + "\r\n";
    }
    return body + "EOT\r\n";
}
} // namespace

TEST(BranchList, keepsOwnCodeOnlyUnlessOwnCodeIsA)
{
    using BranchList::Style;
    const QByteArray usual = replyOf({"A", "01", "02"});
    const struct {
        const char *name;
        QByteArray reply;
        QByteArray own;
        Style style;
        Codes entries;
        qsizetype selected;
    } cases[] = {
        {"store 01 sees itself", usual, "01", Style::CodesOnly, {"01"}, 0},
        {"store A sees all, A selected", usual, "A", Style::CodesOnly, {"A", "01", "02"}, 0},
        {"customer list of A", usual, "A", Style::LeadingEmptyEntry, {"", "A", "01", "02"}, 0},
        {"customer list of 01", usual, "01", Style::LeadingEmptyEntry, {"", "01"}, 0},
        {"A missing from the reply: all, none selected",
         replyOf({"01", "02"}),
         "A",
         Style::CodesOnly,
         {"01", "02"},
         -1},
        {"own code missing: nothing", usual, "03", Style::CodesOnly, {}, -1},
        {"codes compared exactly", replyOf({"a", "01 ", "01"}), "01", Style::CodesOnly, {"01"}, 0},
        {"lower-case a has no rights", replyOf({"A", "a", "01"}), "a", Style::CodesOnly, {"a"}, 0},
        {"duplicates kept, last one selected", replyOf({"01", "A", "01"}), "01", Style::CodesOnly, {"01", "01"}, 1},
        {"walk ends at EOT", "DataOk\r\n01\r\nEOT\r\n02\r\n", "A", Style::CodesOnly, {"01"}, -1},
        {"NoData", "NoData\r\n", "A", Style::CodesOnly, {}, -1},
        {"refusal", "\xb1\x4b\xbd\x58\r\n01\r\nEOT\r\n", "01", Style::LeadingEmptyEntry, {""}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const BranchList::Choices choices = BranchList::fromReply(ServerReply(c.reply), c.own, c.style);
        EXPECT_EQ(choices.entries, c.entries);
        EXPECT_EQ(choices.selected, c.selected);
    }
}

TEST(BranchList, fetchAsksWithOwnCodeAndSaysWhyItGivesNothing)
{
    const struct {
        const char *name;
        QByteArray body; // empty: no server listens
        QByteArray own;
        BranchList::Style style;
        Codes entries;
        const char *problem;
    } cases[] = {
        {"listed", replyOf({"A", "01"}), "A", BranchList::Style::CodesOnly, {"A", "01"}, ""},
        {"no EOT",
         "DataOk\r\nA\r\n",
         "A",
         BranchList::Style::LeadingEmptyEntry,
         {""},
         "無法取得分店清單：主機回應的資料不完整（最後一行不是 EOT）"},
        {"refused by the server",
         "NoPass\r\nEOT\r\n",
         "A",
         BranchList::Style::CodesOnly,
         {},
         "無法取得分店清單：主機回應：NoPass"},
        {"own code not listed",
         replyOf({"01"}),
         "02",
         BranchList::Style::LeadingEmptyEntry,
         {""},
         "無法取得分店清單：主機的分店清單沒有本店代號 02"},
        {"server down", {}, "A", BranchList::Style::CodesOnly, {}, "無法取得分店清單：主機 %1 拒絕連線"},
    };
    for (const auto &c : cases) {
        LoopbackServer server(
            [&](LoopbackServer::Connection &connection) { connection.send(httpReply("200 OK", c.body)); });
        LinkSettings link{server.serverText(), c.own, "pw"};
        if (c.body.isEmpty()) {
            link.server = QByteArrayLiteral("127.0.0.1:") + QByteArray::number(LoopbackServer::closedPort());
        }
        ServerExchange exchange([&] { return link; });
        const BranchList::Choices choices = BranchList::fetch(exchange, c.style);
        EXPECT_EQ(choices.entries, c.entries) << c.name;
        EXPECT_EQ(choices.selected, c.entries.isEmpty() ? -1 : 0) << c.name;
        EXPECT_EQ(choices.problem,
                  QString::fromUtf8(c.problem).replace(QStringLiteral("%1"), QString::fromLatin1(link.server)))
            << c.name;
        if (!c.body.isEmpty()) {
            EXPECT_TRUE(server.requests().front().startsWith("POST /qelvobranseek.php HTTP/1.0\r\n")) << c.name;
            EXPECT_TRUE(
                server.requests().front().endsWith(QByteArray("\r\n\r\nbran_no=" + c.own + "&link_pass=pw\r\n")))
                << c.name;
        }
    }
}
