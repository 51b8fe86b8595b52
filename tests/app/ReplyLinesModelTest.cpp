#include "app/ReplyLinesModel.h"

#include "common/LoopbackServer.h"
#include "components/Big5.h"
#include "exchange/ServerExchange.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {
QStringList shownLines(const ReplyLinesModel &model)
{
    QStringList lines;
    for (int row = 0; row < model.rowCount(); ++row) {
        lines << model.data(model.index(row)).toString();
    }
    return lines;
}
} // namespace

TEST(ReplyLinesModel, showsTheInitialTextThenEachReplyDecoded)
{
    const QByteArray body = QByteArrayLiteral("DataOk\r\n") + Big5::fromUtf8Literal("紅色長袖襯衫") +
                            QByteArrayLiteral("\r\n---------------------\r\nEOT\r\n");
    LoopbackServer server([&](LoopbackServer::Connection &connection) {
        connection.send(httpReply("200 OK", connection.index() == 0 ? body : QByteArrayLiteral("NoData")));
    });
    LinkSettings link{server.serverText(), "01", "pw"};
    ServerExchange exchange([&] { return link; });
    ReplyLinesModel model(exchange, QStringLiteral("Memo1"));
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);

    EXPECT_EQ(shownLines(model), QStringList{QStringLiteral("Memo1")});

    EXPECT_TRUE(exchange.linkTest());
    EXPECT_EQ(shownLines(model), QStringList({QStringLiteral("DataOk"), QStringLiteral("紅色長袖襯衫"),
                                              QStringLiteral("---------------------"), QStringLiteral("EOT")}));
    // Cleared when the exchange starts, filled when the reply is in.
    EXPECT_EQ(resets.count(), 2);

    EXPECT_TRUE(exchange.linkTest());
    EXPECT_EQ(shownLines(model), QStringList{QStringLiteral("NoData")});
    EXPECT_FALSE(model.data(model.index(0), Qt::EditRole).isValid());
}
