#include "productlabels/DocumentImportRun.h"

#include "MemoryProductQueue.h"
#include "common/LoopbackServer.h"
#include "exchange/ServerExchange.h"
#include "productlabels/DocumentRequest.h"

#include <gtest/gtest.h>

namespace {
using Kind = ImportOutcome::Kind;

QByteArray record(const QByteArray &quantity, const QByteArray &code)
{
    return quantity + "\r\n" + code + "\r\n" + code + "\r\n---------------------\r\n";
}
} // namespace

TEST(DocumentImportRun, postsToEachScriptKeepsTheQuantitiesAndEndsLikeTheProductImport)
{
    const QByteArray twoLines = "DataOk\r\n" + record("6", "A1") + record("2.5", "A2") + "EOT\r\n";
    DocumentConditions storeSales;
    storeSales.mbran = "01";
    storeSales.kind = DocumentKind::StoreSale;
    storeSales.mach_no = "01";

    struct Case {
        const char *name;
        DocumentImport import;
        QByteArray body; // empty: nobody listens
        Kind kind;
        QString message;
        QList<double> quantities;
    } cases[] = {
        {"purchase", DocumentImport::Purchase, twoLines, Kind::Completed, QStringLiteral("進貨資料引入完成"), {6, 2.5}},
        {"stock-take",
         DocumentImport::StockTake,
         twoLines,
         Kind::Completed,
         QStringLiteral("盤點資料引入完成"),
         {6, 2.5}},
        {"transfer-out",
         DocumentImport::TransferOut,
         twoLines,
         Kind::Completed,
         QStringLiteral("調撥出庫資料引入完成"),
         {6, 2.5}},
        {"store sales",
         DocumentImport::Other,
         twoLines,
         Kind::Completed,
         QStringLiteral("門市銷售資料引入完成"),
         {6, 2.5}},
        {"no data",
         DocumentImport::Purchase,
         "NoData\r\n",
         Kind::NoData,
         QStringLiteral("NoData沒有符合條件的資料!!"),
         {}},
        {"server unreachable", DocumentImport::StockTake, {}, Kind::ExchangeFailed, QString(), {}},
        {"malformed second record",
         DocumentImport::TransferOut,
         "DataOk\r\n" + record("6", "A1") + record("x", "A2") + "EOT\r\n",
         Kind::FillFailed,
         QStringLiteral("調撥出庫資料引入中斷: "),
         {6}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackServer server(
            [&](LoopbackServer::Connection &connection) { connection.send(httpReply("200 OK", c.body)); });
        LinkSettings link{server.serverText(), "01", "1234"};
        if (c.body.isEmpty()) {
            link.server = "127.0.0.1:" + QByteArray::number(LoopbackServer::closedPort());
        }
        ServerExchange exchange([&] { return link; });
        MemoryProductQueue queue;
        const ImportOutcome outcome = runDocumentImport(exchange, c.import, storeSales, ExpansionValues(), queue);
        EXPECT_EQ(outcome.kind, c.kind);
        if (c.kind == Kind::FillFailed) {
            EXPECT_TRUE(outcome.message.startsWith(c.message)) << outcome.message.toStdString();
        } else {
            EXPECT_EQ(outcome.message, c.message);
        }
        QList<double> quantities;
        for (const MemoryRow &row : queue.rows) {
            quantities << row.numbers[ProductQueueTable::QUAN].value_or(-1);
        }
        EXPECT_EQ(quantities, c.quantities);
        if (!c.body.isEmpty()) {
            const QByteArray sent = server.requests().back();
            const QByteArray expected = documentImportRequest(c.import, storeSales, link, ExpansionValues());
            EXPECT_TRUE(sent.startsWith(QByteArray("POST /" + QByteArray(documentImportTraits(c.import).script) + " ")))
                << sent.toStdString();
            EXPECT_TRUE(sent.endsWith(QByteArray("\r\n\r\n" + expected + "\r\n"))) << sent.toStdString();
        }
    }
}
