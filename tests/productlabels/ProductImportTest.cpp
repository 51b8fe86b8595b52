#include "productlabels/ProductImport.h"

#include "MemoryProductQueue.h"
#include "common/LoopbackServer.h"
#include "exchange/ServerExchange.h"

#include <gtest/gtest.h>

namespace {
using Kind = ImportOutcome::Kind;

QByteArray record(const QByteArray &quantity, const QByteArray &barcode)
{
    return quantity + "\r\nI" + barcode + "\r\n" + barcode + "\r\n---------------------\r\n";
}
} // namespace

TEST(ProductImport, postsTheConditionsAndReportsEachEnding)
{
    const QByteArray twoRecords = "DataOk\r\n" + record("5", "A1") + record("2", "A2") + "EOT\r\n";
    ProductConditions byBarcode;
    byBarcode.barcode = "A";
    byBarcode.count = 3;
    ProductConditions stockQuantity = byBarcode;
    stockQuantity.isquan = true;

    struct Case {
        const char *name;
        QByteArray body; // empty: nobody listens
        ProductConditions conditions;
        Kind kind;
        QString message;
        QList<double> quantities;
    } cases[] = {
        {"server unreachable", {}, byBarcode, Kind::ExchangeFailed, QString(), {}},
        {"no data", "NoData\r\n", byBarcode, Kind::NoData, QStringLiteral("NoData沒有符合條件的資料!!"), {}},
        {"label count replaces the quantities",
         twoRecords,
         byBarcode,
         Kind::Completed,
         QStringLiteral("產品資料引入完成"),
         {3, 3}},
        {"stock quantities kept",
         twoRecords,
         stockQuantity,
         Kind::Completed,
         QStringLiteral("產品資料引入完成"),
         {5, 2}},
        {"no record", "DataOk\r\nEOT\r\n", byBarcode, Kind::Completed, QStringLiteral("產品資料引入完成"), {}},
        {"malformed second record",
         "DataOk\r\n" + record("5", "A1") + record("x", "A2") + "EOT\r\n",
         stockQuantity,
         Kind::FillFailed,
         QString(),
         {5}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackServer server(
            [&](LoopbackServer::Connection &connection) { connection.send(httpReply("200 OK", c.body)); });
        LinkSettings link{server.serverText(), "A", "pw"};
        if (c.body.isEmpty()) {
            link.server = "127.0.0.1:" + QByteArray::number(LoopbackServer::closedPort());
        }
        ServerExchange exchange([&] { return link; });
        MemoryProductQueue queue;
        const ImportOutcome outcome =
            runProductImport(exchange, c.conditions, ExpansionValues{"Y", "/", "", ""}, queue);
        EXPECT_EQ(outcome.kind, c.kind);
        if (c.kind == Kind::FillFailed) {
            EXPECT_TRUE(outcome.message.contains(QStringLiteral("第 2 筆"))) << outcome.message.toStdString();
        } else {
            EXPECT_EQ(outcome.message, c.message);
        }
        QList<double> quantities;
        for (const MemoryRow &row : queue.rows) {
            quantities << row.numbers[ProductQueueTable::QUAN].value_or(-1);
        }
        EXPECT_EQ(quantities, c.quantities);
        EXPECT_EQ(outcome.rowsAdded, c.quantities.size());
        if (!c.body.isEmpty()) {
            const QByteArray sent = server.requests().back();
            const QByteArray expected = productImportRequest(c.conditions, link, ExpansionValues{"Y", "/", "", ""});
            EXPECT_TRUE(sent.endsWith(QByteArray("\r\n\r\n" + expected + "\r\n"))) << sent.toStdString();
            EXPECT_TRUE(sent.startsWith("POST /qelvoitemseek.php ")) << sent.toStdString();
        }
    }
}
