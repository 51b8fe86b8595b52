#include "CliRun.h"
#include "LoopbackServer.h"

#include <gtest/gtest.h>

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

TEST(CliCommandLine, linkTestAgainstClosedPortFails)
{
    const QString server = QStringLiteral("127.0.0.1:%1").arg(LoopbackServer::closedPort());
    const CliRun run = runCli({QStringLiteral("--server"), server, QStringLiteral("linktest")});
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_EQ(run.outLines().size(), 2);
    EXPECT_TRUE(run.outLines().at(0).startsWith(QStringLiteral("最近通訊時間 : ")));
    EXPECT_TRUE(run.outLines().at(0).endsWith(QStringLiteral(" 失敗")));
    EXPECT_EQ(run.outLines().at(1), QString());
    EXPECT_TRUE(run.err.contains(QStringLiteral("link test failed: No reply from http://") + server))
        << run.err.toStdString();
}
