#include "common/CliRun.h"
#include "common/LoopbackServer.h"
#include "components/Big5.h"

#include <QProcess>

#include <gtest/gtest.h>

TEST(CliTerminal, serverTextShowsControlCharactersAsEscapes)
{
    // Sets the terminal's title, rings the bell and turns the text red.
    const QByteArray refusal = "\x1b]0;owned\x07\x1b[31m" + Big5::fromUtf8Literal("密碼錯誤") + "\t!\x7f\r\n";
    LoopbackServer server(
        [&refusal](LoopbackServer::Connection &connection) { connection.send(httpReply("200 OK", refusal)); });
    const CliRun run =
        runCli({QStringLiteral("--server"), QString::fromLatin1(server.serverText()), QStringLiteral("linktest")});
    const QString shown = QStringLiteral("\\x1B]0;owned\\x07\\x1B[31m密碼錯誤\\x09!\\x7F");
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_EQ(run.outLines().size(), 2);
    EXPECT_EQ(run.outLines().at(1), shown);
    EXPECT_TRUE(run.err.contains(QStringLiteral("the server answered: ") + shown)) << run.err.toStdString();
    for (const QString &text : {run.out, run.err}) {
        for (const QChar c : text) {
            EXPECT_TRUE(c == u'\n' || c >= u' ') << int(c.unicode());
        }
    }
}

TEST(CliTerminal, lostStandardOutputEndsWithAFailure)
{
    LoopbackServer server(
        [](LoopbackServer::Connection &connection) { connection.send(httpReply("200 OK", "DataOk\r\nEOT\r\n")); });
    const struct {
        const char *name;
        QStringList arguments;
    } cases[] = {
        {"help", {QStringLiteral("--help")}},
        {"link test",
         {QStringLiteral("--server"), QString::fromLatin1(server.serverText()), QStringLiteral("linktest")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(cliProgram(), c.arguments);
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 1);
        EXPECT_TRUE(process.readAllStandardError().contains("standard output was lost: No space left on device"));
    }
}
