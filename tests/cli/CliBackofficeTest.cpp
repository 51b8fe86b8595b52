#include "common/BackofficeProcess.h"
#include "common/CliRun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <memory>

namespace {
class CliBackofficeTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { backoffice = std::make_unique<BackofficeProcess>(); }
    static void TearDownTestSuite() { backoffice.reset(); }

    void SetUp() override { ASSERT_TRUE(backoffice->isListening()) << backoffice->errorText().toStdString(); }

    static CliRun run(const QString &branch, const QString &password, const QStringList &command)
    {
        return runCli(QStringList{QStringLiteral("--server"), backoffice->serverText(), QStringLiteral("--branch"),
                                  branch, QStringLiteral("--password"), password} +
                      command);
    }

    static std::unique_ptr<BackofficeProcess> backoffice;
};

std::unique_ptr<BackofficeProcess> CliBackofficeTest::backoffice;
} // namespace

TEST_F(CliBackofficeTest, linkTestExitCodeFollowsThePassword)
{
    const CliRun right = run(QStringLiteral("01"), QStringLiteral("1234"), {QStringLiteral("linktest")});
    EXPECT_EQ(right.exitCode, 0) << right.err.toStdString();
    ASSERT_EQ(right.outLines().size(), 2);
    EXPECT_TRUE(right.outLines().at(0).contains(QStringLiteral(" 成功      耗資時間(ms) :")));
    EXPECT_EQ(right.outLines().at(1), QStringLiteral("DataOk"));
    EXPECT_TRUE(right.err.isEmpty());

    const CliRun wrong = run(QStringLiteral("01"), QStringLiteral("9999"), {QStringLiteral("linktest")});
    EXPECT_EQ(wrong.exitCode, 1);
    ASSERT_EQ(wrong.outLines().size(), 2);
    EXPECT_TRUE(wrong.outLines().at(0).endsWith(QStringLiteral(" 資料不完整")));
    EXPECT_EQ(wrong.outLines().at(1), QStringLiteral("密碼錯誤"));
    EXPECT_TRUE(wrong.err.contains(QStringLiteral("link test failed: the server answered: 密碼錯誤")))
        << wrong.err.toStdString();
}

TEST_F(CliBackofficeTest, branchesPrintsTheCodesTheBranchMayChoose)
{
    const struct {
        const char *name;
        QString branch;
        QString password;
        int exitCode;
        QStringList lines;
    } cases[] = {
        {"head office",
         QStringLiteral("A"),
         QStringLiteral("0000"),
         0,
         {QStringLiteral("A"), QStringLiteral("01"), QStringLiteral("02")}},
        {"store 01", QStringLiteral("01"), QStringLiteral("1234"), 0, {QStringLiteral("01")}},
        {"wrong password", QStringLiteral("02"), QStringLiteral("1234"), 1, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun result = run(c.branch, c.password, {QStringLiteral("branches")});
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err.toStdString();
        EXPECT_EQ(result.outLines(), c.lines);
    }
}

TEST_F(CliBackofficeTest, postPrintsTheWholeReplyDecoded)
{
    const CliRun result = run(QStringLiteral("A"), QStringLiteral("0000"),
                              {QStringLiteral("post"), QStringLiteral("qelvoitemseek.php"),
                               QStringLiteral("bran_no=A&link_pass=0000&item1=A1001")});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QStringList lines = result.outLines();
    ASSERT_GT(lines.size(), 3);
    EXPECT_TRUE(lines.front().startsWith(QStringLiteral("最近通訊時間 : ")));
    EXPECT_EQ(lines.at(1), QStringLiteral("DataOk"));
    EXPECT_EQ(lines.back(), QStringLiteral("EOT"));
    EXPECT_TRUE(lines.contains(QStringLiteral("棉質圓領T恤")));
}

// The settings come from SysSet.ini beside the program, and options replace them.
TEST_F(CliBackofficeTest, settingsFileBesideTheProgramWithOverrides)
{
    QTemporaryDir dir;
    const QString program = QDir(dir.path()).filePath(QStringLiteral("barlabel-cli"));
    ASSERT_TRUE(QFile::copy(cliProgram(), program));
    QFile ini(QDir(dir.path()).filePath(QStringLiteral("SysSet.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[SETTING]\r\nSERVER=" + backoffice->serverText().toLatin1() +
              "\r\nBRAN_NO=01\r\nPASSWD=1234\r\nOPRICE=0\r\n");
    ini.close();

    const CliRun fromFile = runCli({QStringLiteral("branches")}, program);
    EXPECT_EQ(fromFile.exitCode, 0) << fromFile.err.toStdString();
    EXPECT_EQ(fromFile.outLines(), QStringList{QStringLiteral("01")});

    const CliRun overridden =
        runCli({QStringLiteral("--branch=A"), QStringLiteral("--password=0000"), QStringLiteral("branches")}, program);
    EXPECT_EQ(overridden.exitCode, 0) << overridden.err.toStdString();
    EXPECT_EQ(overridden.outLines(), (QStringList{QStringLiteral("A"), QStringLiteral("01"), QStringLiteral("02")}));

    const CliRun emptyPassword = runCli({QStringLiteral("--password="), QStringLiteral("linktest")}, program);
    EXPECT_EQ(emptyPassword.exitCode, 1);
}
