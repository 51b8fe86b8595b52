#include "CliWorkspace.h"
#include "components/Big5.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

using CliProductFlowTest = CliWorkspace;

TEST_F(CliProductFlowTest, importsFromTheBackOfficeThenExportsBarsTxtAndStartsTheLabelProgram)
{
    ASSERT_TRUE(backoffice.isListening()) << backoffice.errorText().toStdString();
    ASSERT_TRUE(writeFile(programDir + "/BarSet.ini", "[SET]\r\nPar01=" + Big5::fromUtf8Literal("產品條碼(20C)") +
                                                          "\r\nPar02=" + Big5::fromUtf8Literal("特價(沒有依牌價)") +
                                                          "\r\nPar03=#NT\r\n"));

    CliResult run = cli({"tables", "create"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("created bar1.dbf"))) << run.out.toStdString();
    run = cli({"tables", "create"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains(QStringLiteral("bar1.dbf already exists"))) << run.out.toStdString();

    run = cli({"import", "product"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("--all"))) << run.err.toStdString();

    run = cli({"import", "product", "--barcode", "4712345000015"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("產品資料引入完成"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("1 rows added"))) << run.out.toStdString();
    run = cli({"import", "product", "--barcode", "4712345000015", "--price-branch", "02", "--count", "3"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    run = cli({"import", "product", "--barcode", "0000000000000"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("NoData沒有符合條件的資料!!"))) << run.out.toStdString();

    run = cli({"export", "products", "--no-launch"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString bars = programDir + "/Bars.txt";
    EXPECT_TRUE(run.out.contains(QStringLiteral("已經送出文字檔") + bars)) << run.out.toStdString();
    EXPECT_EQ(readAll(bars), "4712345000015,$490,NT,1\r\n4712345000015,$450,NT,3\r\n");

    // A label program that notes the parameter it was started with.
    const QString program = programDir + "/label.sh";
    const QString started = root.filePath(QStringLiteral("started.txt"));
    ASSERT_TRUE(writeFile(program, "#!/bin/sh\necho \"$1\" > '" + started.toUtf8() + "'\n"));
    QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner);
    ASSERT_TRUE(writeFile(programDir + "/BARPRINT.INI", "[barprint]\r\nFN1=" + program.toUtf8() + "\r\n"));
    QFile::remove(bars);
    run = cli({"export", "products", "--parameter", "2"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(readAll(bars), "4712345000015,$490,NT,1\r\n4712345000015,$450,NT,3\r\n");
    QElapsedTimer waited;
    waited.start();
    while (readAll(started) != "2\n" && waited.elapsed() < 10000) {
        QThread::msleep(20);
    }
    EXPECT_EQ(readAll(started), "2\n");
}
