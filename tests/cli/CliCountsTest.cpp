#include "common/CliWorkspace.h"

namespace {
class CliCountsTest : public CliWorkspace
{
protected:
    // The counts of bar1.dbf as a dry run that changes nothing reads them.
    QString totals(const QStringList &rule = {})
    {
        return cli(QStringList{"counts", "products", "--dry-run"} + rule).out;
    }
};
} // namespace

TEST_F(CliCountsTest, countsPrintsItsLinesChangesOnlyItsRowsAndDryRunChangesNothing)
{
    ASSERT_TRUE(backoffice.isListening()) << backoffice.errorText().toStdString();
    ASSERT_EQ(cli({"tables", "create"}).exitCode, 0);
    ASSERT_EQ(cli({"import", "product", "--barcode", "4712345000015"}).exitCode, 0);
    ASSERT_EQ(cli({"import", "product", "--barcode", "4712345000015", "--count", "3"}).exitCode, 0);
    ASSERT_EQ(cli({"import", "product", "--barcode", "4712345000015", "--count", "0"}).exitCode, 0);

    EXPECT_EQ(totals({"--times", "2", "--plus", "1"}), QStringLiteral("3 rows, 4 -> 10 labels\n3\t張數為 0\n"));
    EXPECT_EQ(totals(), QStringLiteral("3 rows, 4 -> 4 labels\n3\t張數為 0\n")) << "the dry run wrote nothing";

    CliResult run = cli({"counts", "products", "--rows", "2-3", "--plus-percent", "50", "--zero-too", "--min", "1"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("2 rows, 3 -> 6 labels\n"));
    EXPECT_EQ(totals(), QStringLiteral("3 rows, 7 -> 7 labels\n"));

    const struct {
        const char *name;
        QStringList arguments;
        int exitCode;
        const char *says;
    } refusals[] = {
        {"a factor that is no number", {"--times", "abc"}, 2, "--times"},
        {"a percentage that is no number", {"--plus-percent", "5%"}, 2, "--plus-percent"},
        {"the least above the most", {"--min", "9", "--max", "2"}, 2, "--min"},
        {"rows beyond the queue", {"--rows", "2-9"}, 2, "--rows"},
        {"a count too wide for QUAN", {"--times", "9999999"}, 1, "QUAN"},
    };
    for (const auto &refusal : refusals) {
        SCOPED_TRACE(refusal.name);
        run = cli(QStringList{"counts", "products"} + refusal.arguments);
        EXPECT_EQ(run.exitCode, refusal.exitCode);
        EXPECT_TRUE(run.err.contains(QLatin1String(refusal.says))) << run.err.toStdString();
        EXPECT_EQ(run.out, QString());
    }
    EXPECT_EQ(totals(), QStringLiteral("3 rows, 7 -> 7 labels\n"));
}

TEST_F(CliCountsTest, aStoredRuleIsAppliedToTheRowsAnImportAddsOnly)
{
    ASSERT_TRUE(backoffice.isListening()) << backoffice.errorText().toStdString();
    ASSERT_EQ(cli({"tables", "create"}).exitCode, 0);
    ASSERT_EQ(cli({"import", "product", "--barcode", "4712345000015"}).exitCode, 0);
    ASSERT_TRUE(writeFile(programDir + "/CountRules.ini", "[product]\r\nTimes=4\r\nPlus=1\r\nAuto=0\r\n"));

    CliResult run = cli({"import", "product", "--barcode", "4712345000015", "--count-rule", "purchase"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("(stored: product)"))) << run.err.toStdString();
    run = cli({"import", "product", "--barcode", "4712345000015"});
    EXPECT_FALSE(run.out.contains(QStringLiteral("張數規則"))) << "a rule not marked to apply by itself";
    run = cli({"import", "product", "--barcode", "4712345000015", "--count", "2", "--count-rule", "product"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("產品資料引入完成\n張數規則：共 1 筆，標籤 2 → 9 張\n1 rows added")))
        << run.out.toStdString();
    EXPECT_EQ(totals(), QStringLiteral("3 rows, 11 -> 11 labels\n")) << "1, 1 and the new row's 9";

    ASSERT_TRUE(writeFile(programDir + "/CountRules.ini", "[product]\r\nTimes=4\r\nAuto=1\r\n"));
    run = cli({"import", "product", "--barcode", "4712345000015"});
    EXPECT_TRUE(run.out.contains(QStringLiteral("張數規則：共 1 筆，標籤 1 → 4 張"))) << run.out.toStdString();
    EXPECT_EQ(totals(), QStringLiteral("4 rows, 15 -> 15 labels\n"));

    ASSERT_TRUE(writeFile(programDir + "/CountRules.ini", "[product]\r\nTimes=four\r\nAuto=1\r\n"));
    run = cli({"import", "product", "--barcode", "4712345000015"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("已損壞"))) << run.err.toStdString();
    EXPECT_EQ(totals(), QStringLiteral("5 rows, 16 -> 16 labels\n")) << "a damaged file applies no rule";
}
