#include "common/CliWorkspace.h"
#include "common/LoopbackServer.h"
#include "components/Big5.h"
#include "labelqueue/DbfTable.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/TableFileLock.h"
#include "productlabels/ProductQueueTable.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <atomic>
#include <gtest/gtest.h>
#include <unistd.h>

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

    run = cli({"check", "products"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("2 rows, 2 lines, 4 labels\n"));
    ASSERT_TRUE(writeFile(programDir + "/BarSet.ini", readAll(programDir + "/BarSet.ini") + "Par04=#a,b\r\n"));
    run = cli({"check", "products"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("0\t#a,b\terror\t"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.endsWith(QStringLiteral("\n2 rows, 2 lines, 4 labels\n"))) << run.out.toStdString();
    ASSERT_TRUE(
        writeFile(programDir + "/BarSet.ini", readAll(programDir + "/BarSet.ini").replace("Par04=#a,b\r\n", "")));

    // The proof sheet: a whole PDF, or a clear refusal that leaves nothing behind.
    const QString proof = root.filePath(QStringLiteral("proof.pdf"));
    run = cli({"preview", "products", "--pdf", proof});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "2 rows, 2 lines, 4 labels\nproof sheet written to " + QDir::toNativeSeparators(proof) + "\n");
    EXPECT_TRUE(readAll(proof).startsWith("%PDF-"));
    const QString nowhere = root.filePath(QStringLiteral("missing/proof.pdf"));
    run = cli({"preview", "products", "--pdf", nowhere});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("preview products: 無法寫入 ") + nowhere)) << run.err.toStdString();
    EXPECT_FALSE(QDir(root.filePath(QStringLiteral("missing"))).exists());
    EXPECT_EQ(cli({"preview", "products"}).exitCode, 2) << "the sheet's file must be named";

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

TEST_F(CliProductFlowTest, aNegativeCountIsRefusedBeforeAnythingIsSent)
{
    ASSERT_TRUE(backoffice.isListening()) << backoffice.errorText().toStdString();
    ASSERT_EQ(cli({"tables", "create"}).exitCode, 0);
    for (const QStringList &count : {QStringList{"--count", "-5"}, QStringList{"--count=-5"}}) {
        SCOPED_TRACE(count.join(' ').toStdString());
        const CliResult run = cli(QStringList{"import", "product", "--barcode", "4712345000015"} + count);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(QStringLiteral("--count takes a whole number of 0 or more")))
            << run.err.toStdString();
    }
    const CliResult exported = cli({"export", "products", "--no-launch"});
    EXPECT_TRUE(exported.err.contains(QStringLiteral("沒有資料可以匯出!!"))) << exported.err.toStdString();
}

TEST_F(CliProductFlowTest, anExportWithoutAnyBarcodeRemovesTheLastBatchAndStartsNothing)
{
    const QString table = QDir(workDir).filePath(ProductQueueTable::fileName());
    ASSERT_TRUE(DbfTable::create(table, ProductQueueTable::fields()).ok());
    {
        LabelQueue queue(ProductQueueTable::fields());
        ASSERT_TRUE(queue.open(table).ok());
        for (const QByteArray item : {"I1", "I2"}) {
            DbfRecord row = queue.blankRecord();
            ASSERT_TRUE(row.setText(ProductQueueTable::ITEM_NO, item).ok());
            ASSERT_TRUE(row.setNumber(ProductQueueTable::QUAN, 1).ok());
            ASSERT_TRUE(queue.append(row).ok());
        }
    }
    const QString started = root.filePath(QStringLiteral("started.txt"));
    const QString program = programDir + "/label.sh";
    ASSERT_TRUE(writeFile(program, "#!/bin/sh\ntouch '" + started.toUtf8() + "'\n"));
    QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner);
    ASSERT_TRUE(writeFile(programDir + "/BARPRINT.INI", "[barprint]\r\nFN1=label.sh\r\n"));
    const QString bars = programDir + "/Bars.txt";
    ASSERT_TRUE(writeFile(bars, "OLD,1\r\n"));

    const CliResult run = cli({"export", "products"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("沒有任何一筆資料有條碼"))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(bars));
    EXPECT_FALSE(run.out.contains(QStringLiteral("已啟動"))) << run.out.toStdString();
    EXPECT_FALSE(QFile::exists(started));
}

// The first import holds the table while its server stays silent; a second
// writer and a reader are turned away at once, and once the first is killed
// the system has dropped its lock.
TEST_F(CliProductFlowTest, aSecondWriterIsRefusedAtOnceAndADeadWritersLockIsGone)
{
    std::atomic<bool> firstArrived{false};
    std::atomic<bool> release{false};
    LoopbackServer loopback([&](LoopbackServer::Connection &connection) {
        if (connection.index() == 0) {
            firstArrived = true;
            for (int waited = 0; !release && waited < 60000; waited += 10) {
                QThread::msleep(10);
            }
            return;
        }
        connection.send(httpReply("200 OK", "DataOk\r\n1\r\nI1\r\nB1\r\n---------------------\r\nEOT\r\n"));
    });
    server = QString::fromLatin1(loopback.serverText());
    ASSERT_EQ(cli({"tables", "create"}).exitCode, 0);
    const QStringList import{"import", "product", "--barcode", "B1"};

    QProcess holder;
    start(holder, import);
    QElapsedTimer waited;
    waited.start();
    while (!firstArrived && waited.elapsed() < 20000) {
        QThread::msleep(10);
    }
    ASSERT_TRUE(firstArrived);

    for (const QStringList &arguments : {import, QStringList{"export", "products", "--no-launch"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CliResult refused = cli(arguments);
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_TRUE(refused.err.contains(QStringLiteral("bar1.dbf")) && refused.err.contains(QStringLiteral("使用中")))
            << refused.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(programDir + "/Bars.txt"));

    holder.kill();
    holder.waitForFinished();
    release = true;
    const CliResult after = cli(import);
    EXPECT_EQ(after.exitCode, 0) << after.err.toStdString();
    EXPECT_TRUE(after.out.contains(QStringLiteral("1 rows added"))) << after.out.toStdString();
}

TEST_F(CliProductFlowTest, theExportSharesTheTableWithReadersAndNeedsNoWriteAccess)
{
    ASSERT_TRUE(backoffice.isListening()) << backoffice.errorText().toStdString();
    ASSERT_TRUE(
        writeFile(programDir + "/BarSet.ini", "[SET]\r\nPar01=" + Big5::fromUtf8Literal("產品條碼(20C)") + "\r\n"));
    ASSERT_EQ(cli({"tables", "create"}).exitCode, 0);
    ASSERT_EQ(cli({"import", "product", "--barcode", "4712345000015"}).exitCode, 0);
    const QString table = QDir(workDir).filePath(ProductQueueTable::fileName());
    {
        TableFileLock reader;
        ASSERT_EQ(reader.lock(table, TableFileLock::Mode::Shared), TableFileLock::Outcome::Locked);
        const CliResult exported = cli({"export", "products", "--no-launch"});
        EXPECT_EQ(exported.exitCode, 0) << exported.err.toStdString();
        const CliResult refused = cli({"import", "product", "--barcode", "4712345000015"});
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_TRUE(refused.err.contains(QStringLiteral("使用中"))) << refused.err.toStdString();
    }

    // Read-only for everyone, root included (which ignores the permission bits).
    QFile::remove(programDir + "/Bars.txt");
    ASSERT_TRUE(QFile::setPermissions(table, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    const bool immutable = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), table}) == 0;
    const CliResult exported = cli({"export", "products", "--no-launch"});
    const CliResult refused = cli({"import", "product", "--barcode", "4712345000015"});
    if (immutable) {
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), table});
    }
    EXPECT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    EXPECT_EQ(readAll(programDir + "/Bars.txt"), "4712345000015,1\r\n");
    if (immutable || ::geteuid() != 0) {
        EXPECT_EQ(refused.exitCode, 1);
    }
}

TEST_F(CliProductFlowTest, anImportPutsTheTableOnTheDiskOnceAtItsEnd)
{
    if (QProcess::execute(QStringLiteral("strace"),
                          {QStringLiteral("-o"), QStringLiteral("/dev/null"), QStringLiteral("true")}) != 0) {
        GTEST_SKIP() << "strace cannot trace here";
    }
    ASSERT_TRUE(backoffice.isListening()) << backoffice.errorText().toStdString();
    ASSERT_EQ(cli({"tables", "create"}).exitCode, 0);
    const QString log = root.filePath(QStringLiteral("syncs.txt"));
    QProcess traced;
    traced.setWorkingDirectory(workDir);
    traced.start(QStringLiteral("strace"), QStringList{"-f", "-y", "-e", "trace=fsync,fdatasync", "-o", log,
                                                       QDir(programDir).filePath(QStringLiteral("barlabel-cli")),
                                                       "--server", backoffice.serverText(), "--branch", "A",
                                                       "--password", "0000", "import", "product", "--all"});
    ASSERT_TRUE(traced.waitForFinished(60000));
    const QString out = QString::fromUtf8(traced.readAllStandardOutput());
    EXPECT_EQ(traced.exitCode(), 0) << traced.readAllStandardError().toStdString();
    EXPECT_FALSE(out.contains(QStringLiteral(" 0 rows added")) || out.contains(QStringLiteral(" 1 rows added")))
        << "several rows, so one sync per row would show";
    const QList<QByteArray> calls = readAll(log).split('\n');
    // The journal beside it syncs its own file once per entry, whatever the rows.
    const auto syncs = std::count_if(calls.begin(), calls.end(), [](const QByteArray &line) {
        return line.contains("sync(") && line.contains("bar1.dbf>") && line.contains("= 0");
    });
    EXPECT_EQ(syncs, 1) << readAll(log).toStdString();
}
