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

TEST(BranchList, fetchAsksWithOwnCodeAndGivesNothingOnFailure)
{
    LoopbackServer server([](LoopbackServer::Connection &connection) {
        connection.send(httpReply("200 OK", connection.index() == 0 ? replyOf({"A", "01"}) : "DataOk\r\nA\r\n"));
    });
    LinkSettings link{server.serverText(), "A", "pw"};
    ServerExchange exchange([&] { return link; });

    const BranchList::Choices all = BranchList::fetch(exchange, BranchList::Style::CodesOnly);
    EXPECT_EQ(all.entries, Codes({"A", "01"}));
    EXPECT_EQ(all.selected, 0);
    EXPECT_TRUE(server.requests().front().startsWith("POST /qelvobranseek.php HTTP/1.0\r\n"));
    EXPECT_TRUE(server.requests().front().endsWith("\r\n\r\nbran_no=A&link_pass=pw\r\n"));

    const BranchList::Choices incomplete = BranchList::fetch(exchange, BranchList::Style::LeadingEmptyEntry);
    EXPECT_EQ(incomplete.entries, Codes({""}));
    EXPECT_EQ(incomplete.selected, 0);

    link.server = QByteArrayLiteral("127.0.0.1:") + QByteArray::number(LoopbackServer::closedPort());
    const BranchList::Choices unreachable = BranchList::fetch(exchange, BranchList::Style::CodesOnly);
    EXPECT_TRUE(unreachable.entries.isEmpty());
    EXPECT_EQ(unreachable.selected, -1);
}
