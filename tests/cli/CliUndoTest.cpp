#include "common/CliWorkspace.h"

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
