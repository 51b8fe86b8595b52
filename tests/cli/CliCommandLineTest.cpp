#include "common/CliRun.h"
#include "common/LoopbackServer.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

TEST(CliCommandLine, refusesBadCommandLinesWithExitTwo)
{
    const struct {
        const char *name;
        QStringList arguments;
        int exitCode;
        QString errContains;
    } cases[] = {
        {"no command: usage", {}, 2, QStringLiteral("usage: barlabel-cli")},
        {"unknown command", {QStringLiteral("frobnicate")}, 2, QStringLiteral("unknown command \"frobnicate\"")},
        {"unknown option",
         {QStringLiteral("--port"), QStringLiteral("1"), QStringLiteral("linktest")},
         2,
         QStringLiteral("unknown option --port")},
        {"option without value", {QStringLiteral("--server")}, 2, QStringLiteral("--server needs a value")},
        {"timeout of no time",
         {QStringLiteral("--timeout"), QStringLiteral("0"), QStringLiteral("linktest")},
         2,
         QStringLiteral("option --timeout needs a number of seconds above 0")},
        {"stall limit that is no number",
         {QStringLiteral("--stall=soon"), QStringLiteral("linktest")},
         2,
         QStringLiteral("option --stall needs a number of seconds above 0, not \"soon\"")},
        {"too few arguments",
         {QStringLiteral("post"), QStringLiteral("x.php")},
         2,
         QStringLiteral("usage: barlabel-cli [OPTIONS] post SCRIPT BODY")},
        {"too many arguments",
         {QStringLiteral("linktest"), QStringLiteral("now")},
         2,
         QStringLiteral("usage: barlabel-cli [OPTIONS] linktest")},
        {"password Big5 cannot hold",
         {QStringLiteral("--password=pw😀"), QStringLiteral("linktest")},
         2,
         QStringLiteral("option --password: 「😀」無法以 Big5 表示")},
        {"request body Big5 cannot hold",
         {QStringLiteral("post"), QStringLiteral("x.php"), QStringLiteral("a=é")},
         2,
         QStringLiteral("post: 「é」無法以 Big5 表示")},
        {"request line too long",
         {QStringLiteral("post"), QStringLiteral("x.php"), QString(4097, u'a')},
         2,
         QStringLiteral("at most 4096")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.err.contains(c.errContains)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    }
}

TEST(CliCommandLine, helpListsTheCommandsOnStdout)
{
    const CliRun run = runCli({QStringLiteral("--help")});
    EXPECT_EQ(run.exitCode, 0);
    for (const char *command : {"linktest", "branches", "post SCRIPT BODY"}) {
        EXPECT_TRUE(run.out.contains(QLatin1String(command))) << command;
    }
}

TEST(CliCommandLine, aFailedLinkTestSaysWhyOnStderr)
{
    LoopbackServer compressing([](LoopbackServer::Connection &connection) {
        connection.send(httpReply("200 OK", "\x1f\x8b\x08\r\n\xff", "Content-Encoding: gzip\r\n"));
    });
    const QString closed = QStringLiteral("127.0.0.1:%1").arg(LoopbackServer::closedPort());
    const QString compressed = QString::fromLatin1(compressing.serverText());
    const struct {
        const char *name;
        QString server;
        QString errContains;
    } cases[] = {
        {"closed port", closed, QStringLiteral("link test failed: No reply from http://") + closed},
        {"compressed reply", compressed,
         QStringLiteral("link test failed: http://") + compressed +
             QStringLiteral("/linktest.php sent a compressed reply (Content-Encoding: gzip)")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = runCli({QStringLiteral("--server"), c.server, QStringLiteral("linktest")});
        EXPECT_EQ(run.exitCode, 1);
        ASSERT_EQ(run.outLines().size(), 2);
        EXPECT_TRUE(run.outLines().at(0).startsWith(QStringLiteral("最近通訊時間 : ")));
        EXPECT_TRUE(run.outLines().at(0).endsWith(QStringLiteral(" 失敗")));
        EXPECT_EQ(run.outLines().at(1), QString());
        EXPECT_TRUE(run.err.contains(c.errContains)) << run.err.toStdString();
    }
}

TEST(CliCommandLine, aServerThatStopsSendingEndsTheExchange)
{
    // One accepts and stays silent; the other drips a byte every 200 ms, which
    // no stall limit ends but the limit on the whole exchange does.
    LoopbackServer silent([](LoopbackServer::Connection &) {});
    LoopbackServer dripping([](LoopbackServer::Connection &connection) {
        connection.send("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n");
        for (int i = 0; i < 100 && connection.send("D"); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
    });
    const struct {
        const char *name;
        const LoopbackServer &server;
        QStringList limits;
        QString errContains;
    } cases[] = {
        {"silent",
         silent,
         {QStringLiteral("--stall"), QStringLiteral("0.5")},
         QStringLiteral("/linktest.php did not begin its reply within 0.5 s; the exchange was ended.")},
        {"dripping",
         dripping,
         {QStringLiteral("--stall=0.5"), QStringLiteral("--timeout=1.5")},
         QStringLiteral("link test failed: No whole reply from http://")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun run = runCli(QStringList{QStringLiteral("--server"), QString::fromLatin1(c.server.serverText())} +
                                  c.limits + QStringList{QStringLiteral("linktest")});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(c.errContains)) << run.err.toStdString();
    }
}
