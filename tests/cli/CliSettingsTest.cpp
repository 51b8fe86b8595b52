#include "common/CliRun.h"
#include "common/LoopbackServer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
// barlabel-cli copied into a directory of its own, beside the test's SysSet.ini.
class CliSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QFile::copy(cliProgram(), program()));
    }

    QString program() const { return dir.filePath(QStringLiteral("barlabel-cli")); }

    void putSettings(const QByteArray &bytes) const
    {
        QFile file(dir.filePath(QStringLiteral("SysSet.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
};

QByteArray settingsText(const QByteArray &server, const QByteArray &password = "1234")
{
    return "[SETTING]\r\nSERVER=" + server + "\r\nBRAN_NO=01\r\nPASSWD=" + password + "\r\n";
}
} // namespace

TEST_F(CliSettingsTest, noUsableServerIsRefusedBeforeAnyNetworkUse)
{
    // Each server text would reach the loopback server if it were cut or
    // read from the wrong place.
    LoopbackServer server(
        [](LoopbackServer::Connection &connection) { connection.send(httpReply("200 OK", "DataOk\r\nEOT\r\n")); });
    const QByteArray reachable = server.serverText();
    const struct {
        const char *name;
        QByteArray settings; // empty: no file
        bool directory;      // SysSet.ini is a directory, so it cannot be read
        const char *problem;
    } cases[] = {
        {"no file", {}, false, "missing"},
        {"unreadable file", {}, true, "missing"},
        {"empty value", settingsText(""), false, "missing"},
        {"no SERVER key", "[SETTING]\r\nBRAN_NO=01\r\n", false, "missing"},
        {"key in another section", "[OTHER]\r\nSERVER=" + reachable + "\r\n", false, "missing"},
        {"a path without a host", settingsText("/"), false, "missing"},
        {"a NUL inside", settingsText(reachable + QByteArray(1, '\0') + "x"), false, "control character"},
        {"a carriage return inside", settingsText(reachable + "\rx"), false, "control character"},
        {"an escape inside", settingsText(reachable + "\x1b[2J"), false, "control character"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(dir.path()).rmdir(QStringLiteral("SysSet.ini"));
        QFile::remove(dir.filePath(QStringLiteral("SysSet.ini")));
        if (c.directory) {
            ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("SysSet.ini")));
        } else if (!c.settings.isEmpty()) {
            putSettings(c.settings);
        }
        const CliRun run = runCli({QStringLiteral("linktest")}, program());
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(QStringLiteral("SysSet.ini")) && run.err.contains(QStringLiteral("SERVER")) &&
                    run.err.contains(QLatin1String(c.problem)) && run.err.contains(QStringLiteral("nothing was sent")))
            << run.err.toStdString();
    }
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(CliSettingsTest, settingsBytesGoOutAsStored)
{
    LoopbackServer server(
        [](LoopbackServer::Connection &connection) { connection.send(httpReply("200 OK", "DataOk\r\nEOT\r\n")); });
    // 0xA1 0x30 is no Big5 character; 0xFA 0x40 is a user-defined one.
    const QByteArray password = "12\xa1"
                                "034";
    putSettings("[SETTING]\r\nSERVER=" + server.serverText() +
                "\r\nBRAN_NO=\xfa\x40"
                "1\r\nPASSWD=" +
                password + "\r\n");
    const CliRun run = runCli({QStringLiteral("linktest")}, program());
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const std::vector<QByteArray> requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    const QByteArray body = "bran_no=\xfa\x40"
                            "1&link_pass=" +
                            password + "\r\n";
    EXPECT_TRUE(requests[0].endsWith(QByteArray("\r\n\r\n" + body))) << requests[0].toStdString();
}
