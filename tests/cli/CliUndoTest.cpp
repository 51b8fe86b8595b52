#include "common/CliWorkspace.h"

#include <algorithm>

namespace {
class CliUndoTest : public CliWorkspace
{
protected:
    QByteArray table() const { return readAll(workDir + QStringLiteral("/bar1.dbf")); }
};
} // namespace

TEST_F(CliUndoTest, undoListsUndoesAndRedoesWhatTheOtherCommandsChanged)
{
    ASSERT_TRUE(backoffice.isListening()) << backoffice.errorText().toStdString();
    ASSERT_EQ(cli({"tables", "create"}).exitCode, 0);
    CliResult run = cli({"undo", "products"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("沒有可以復原的變更"))) << run.err.toStdString();

    ASSERT_EQ(cli({"import", "product", "--barcode", "4712345000015"}).exitCode, 0);
    const QByteArray imported = table();
    ASSERT_EQ(cli({"counts", "products", "--set", "5"}).exitCode, 0);
    const QByteArray counted = table();

    run = cli({"undo", "products", "--list"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_EQ(run.outLines().size(), 2);
    EXPECT_TRUE(run.outLines().at(0).endsWith(QStringLiteral("\tdone\t張數規則 (1 筆)")));
    EXPECT_TRUE(run.outLines().at(1).endsWith(QStringLiteral("\tdone\t引入 (1 筆)")));

    run = cli({"undo", "products"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("已復原：張數規則 (1 筆)\n"));
    EXPECT_EQ(table(), imported);
    ASSERT_EQ(cli({"undo", "products", "--redo"}).exitCode, 0);
    EXPECT_EQ(table(), counted);
    EXPECT_EQ(cli({"undo", "products", "--bogus"}).exitCode, 2);
    EXPECT_EQ(cli({"undo", "shoes"}).exitCode, 2);
}

TEST_F(CliUndoTest, historyListsEachExportAndWritesItsBytesAgain)
{
    ASSERT_TRUE(backoffice.isListening()) << backoffice.errorText().toStdString();
    ASSERT_EQ(cli({"tables", "create"}).exitCode, 0);
    ASSERT_EQ(cli({"import", "product", "--barcode", "4712345000015", "--count", "3"}).exitCode, 0);
    ASSERT_EQ(cli({"export", "products", "--no-launch"}).exitCode, 0);
    const QString labelFile = programDir + QStringLiteral("/Bars.txt");
    const QByteArray first = readAll(labelFile);
    ASSERT_EQ(cli({"import", "product", "--barcode", "4712345000015"}).exitCode, 0);
    ASSERT_EQ(cli({"export", "products", "--no-launch"}).exitCode, 0);
    ASSERT_NE(readAll(labelFile), first);

    CliResult run = cli({"history", "products"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.outLines();
    ASSERT_EQ(lines.size(), 2);
    const QStringList newest = lines.at(0).split(QLatin1Char('\t'));
    const QStringList oldest = lines.at(1).split(QLatin1Char('\t'));
    ASSERT_EQ(newest.size(), 5);
    EXPECT_GT(newest.at(0).toLongLong(), oldest.at(0).toLongLong());
    EXPECT_EQ(oldest.mid(2), (QStringList{"1", "1", "3"}));
    EXPECT_EQ(newest.mid(2), (QStringList{"2", "2", "4"}));

    run = cli({"history", "products", "--reexport", oldest.at(0), "--no-launch"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(readAll(labelFile), first);
    run = cli({"history", "products", "--reexport", "999", "--no-launch"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(readAll(labelFile), first);
    EXPECT_EQ(cli({"history", "products", "--reexport", "x"}).exitCode, 2);

    // The rows the oldest export was written from: its count of 3, not the queue's rows now.
    run = cli({"history", "products", "--show", oldest.at(0)});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList shown = run.outLines();
    EXPECT_TRUE(shown.contains(QStringLiteral("setting\tCHK13=0"))) << run.out.toStdString();
    const auto fieldsLine = std::find_if(
        shown.begin(), shown.end(), [](const QString &line) { return line.startsWith(QStringLiteral("fields\t")); });
    ASSERT_NE(fieldsLine, shown.end());
    EXPECT_TRUE(fieldsLine->startsWith(QStringLiteral("fields\tQUAN\t")));
    ASSERT_EQ(shown.end() - fieldsLine, 2);
    EXPECT_TRUE(fieldsLine[1].startsWith(QStringLiteral("1\t3.00\t"))) << fieldsLine[1].toStdString();

    const QByteArray before = table();
    run = cli({"history", "products", "--requeue", oldest.at(0)});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("已加回佇列：1 筆\n"));
    run = cli({"find", "products", "4712345000015"});
    EXPECT_TRUE(run.out.endsWith(QStringLiteral("3 of 3 rows\n"))) << run.out.toStdString();
    run = cli({"undo", "products"});
    EXPECT_EQ(run.out, QStringLiteral("已復原：加回佇列 (1 筆)\n")) << run.err.toStdString();
    EXPECT_EQ(table(), before);
    EXPECT_EQ(cli({"history", "products", "--requeue", "999"}).exitCode, 1);
    EXPECT_EQ(cli({"history", "products", "--show", oldest.at(0), "extra"}).exitCode, 2);
}
