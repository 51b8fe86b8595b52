#include "components/ProgramStarter.h"

#include "common/RecordingLauncher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class ProgramStarterTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString make(const QString &name, const QByteArray &bytes, QFileDevice::Permissions extra = {}) const
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | extra);
        return file.fileName();
    }

    QTemporaryDir dir;
};

const QFileDevice::Permissions executable = QFileDevice::ExeOwner;

} // namespace

TEST_F(ProgramStarterTest, handsTheRequestToItsLauncherAndKeepsTheCode)
{
    RecordingLauncher launcher;
    ProgramStarter shell(launcher);
    ASSERT_TRUE(shell.start(StartRequest{QStringLiteral("/opt/label/run"), QStringLiteral("2")}));
    ASSERT_EQ(launcher.requests.size(), 1);
    EXPECT_EQ(launcher.requests[0].fileName, QStringLiteral("/opt/label/run"));
    EXPECT_EQ(launcher.requests[0].parameter, QStringLiteral("2"));
    EXPECT_EQ(launcher.requests[0].directory, QString());
    EXPECT_EQ(launcher.requests[0].showCommand, 1);

    launcher.answer = LaunchResult{LaunchResult::FileNotFound, QStringLiteral("找不到")};
    EXPECT_FALSE(shell.start(
        StartRequest{QStringLiteral("/opt/label/run"), QString(), QString(), ShowCommand::ShowMinNoActive}));
    EXPECT_EQ(shell.resultCode(), 2);
    EXPECT_EQ(shell.errorString(), QStringLiteral("找不到"));
    EXPECT_EQ(launcher.requests[1].showCommand, 7);
}

TEST_F(ProgramStarterTest, plansProgramsDocumentsAndRefusals)
{
    const QString program = make(QStringLiteral("label.sh"), "#!/bin/sh\n", executable);
    const QString document = make(QStringLiteral("Bars.txt"), "A,1\r\n");
    struct Case {
        const char *name;
        QString fileName;
        QString parameter;
        QString directory;
        int refusal;
        QString program;
        QStringList arguments;
    } cases[] = {
        {"empty file name", QString(), QString(), QString(), 2, QString(), {}},
        {"missing program", dir.filePath(QStringLiteral("none.exe")), QString(), QString(), 2, QString(), {}},
        {"missing bare name", QStringLiteral("no-such-program-here"), QString(), QString(), 2, QString(), {}},
        {"missing directory", program, QString(), dir.filePath(QStringLiteral("gone")), 3, QString(), {}},
        {"program, no parameter", program, QString(), dir.path(), 0, program, {}},
        {"program, parameter 1", program, QStringLiteral("1"), QString(), 0, program, {QStringLiteral("1")}},
        {"program, quoted parameter",
         program,
         QStringLiteral("a \"b c\" C:\\x\\"),
         QString(),
         0,
         program,
         {QStringLiteral("a"), QStringLiteral("b c"), QStringLiteral("C:\\x\\")}},
        {"document", document, QStringLiteral("1"), QString(), 0, QStringLiteral("xdg-open"), {document}},
        {"folder", dir.path(), QString(), QString(), 0, QStringLiteral("xdg-open"), {dir.path()}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const LaunchPlan plan = planLaunch(LaunchRequest{c.fileName, c.parameter, c.directory, 1});
        EXPECT_EQ(plan.refusal.code, c.refusal);
        EXPECT_EQ(plan.refusal.errorText.isEmpty(), c.refusal == 0);
        EXPECT_EQ(plan.program, c.program);
        EXPECT_EQ(plan.arguments, c.arguments);
    }
    EXPECT_TRUE(planLaunch(LaunchRequest{QStringLiteral("sh"), QString(), QString(), 1})
                    .program.endsWith(QStringLiteral("/sh")));
}

TEST_F(ProgramStarterTest, fileBehindAClosedDirectoryIsAccessDenied)
{
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions are not enforced for root";
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("closed")));
    make(QStringLiteral("closed/Bars.txt"), "x");
    QFile::setPermissions(dir.filePath(QStringLiteral("closed")), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ProgramStarter shell;
    EXPECT_FALSE(shell.start(StartRequest{dir.filePath(QStringLiteral("closed/Bars.txt"))}));
    EXPECT_EQ(shell.resultCode(), 5);
    QFile::setPermissions(dir.filePath(QStringLiteral("closed")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(ProgramStarterTest, failedStartsGiveACodeOfAtMost32)
{
    const QString noInterpreter = make(QStringLiteral("broken"), "no interpreter line\n", executable);
    struct Case {
        const char *name;
        QString fileName;
        int code;
    } cases[] = {
        {"empty", QString(), 2},
        {"missing", dir.filePath(QStringLiteral("missing")), 2},
        {"not a runnable program", noInterpreter, 11},
    };
    ProgramStarter shell;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(shell.start(StartRequest{c.fileName}));
        EXPECT_EQ(shell.resultCode(), c.code);
        EXPECT_FALSE(shell.errorString().isEmpty());
    }
}

TEST_F(ProgramStarterTest, startedProgramGetsItsParametersAndDirectory)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("work")));
    const QString marker = dir.filePath(QStringLiteral("marker"));
    // Written beside and renamed, so the test never reads half a marker.
    const QString script = make(QStringLiteral("label program.sh"),
                                "#!/bin/sh\n"
                                "{ pwd; for a in \"$@\"; do echo \"[$a]\"; done; } > \"$1.part\"\n"
                                "mv \"$1.part\" \"$1\"\n",
                                executable);
    ProgramStarter shell;
    ASSERT_TRUE(shell.start(StartRequest{script, QLatin1Char('"') + marker + QStringLiteral("\" 2 \"x y\""),
                                         dir.filePath(QStringLiteral("work"))}))
        << shell.errorString().toStdString();
    EXPECT_GT(shell.resultCode(), 32);

    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marker); }, 20000));
    QFile file(marker);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), dir.filePath(QStringLiteral("work")) + QStringLiteral("\n[") + marker +
                                                     QStringLiteral("]\n[2]\n[x y]\n"));
}
