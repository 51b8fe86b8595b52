#include "common/CliWorkspace.h"
#include "components/Big5.h"
#include "customerlabels/CustomerQueueTable.h"
#include "labelqueue/DbfTable.h"
#include "labelqueue/LabelQueue.h"
#include "productlabels/ProductQueueTable.h"

namespace {

// Queues written here, with no back office: find, export and check read them only.
class CliFindTest : public CliWorkspace
{
protected:
    struct Product {
        const char *barcode;
        const char *name;
        const char *size;
        double quan;
    };

    void writeProducts(const QList<Product> &products)
    {
        using namespace ProductQueueTable;
        const QString path = QDir(workDir).filePath(fileName());
        QFile::remove(path);
        ASSERT_TRUE(DbfTable::create(path, fields()).ok());
        LabelQueue queue(fields());
        ASSERT_TRUE(queue.open(path).ok());
        for (const Product &product : products) {
            DbfRecord record = queue.blankRecord();
            ASSERT_TRUE(record.setText(BARCODE, product.barcode).ok());
            ASSERT_TRUE(record.setText(ITEM_NO, product.barcode).ok());
            ASSERT_TRUE(record.setText(ITEM_NAME, Big5::encode(QString::fromUtf8(product.name)).bytes).ok());
            ASSERT_TRUE(record.setText(SIZES, product.size).ok());
            ASSERT_TRUE(record.setNumber(QUAN, product.quan).ok());
            ASSERT_TRUE(queue.append(record).ok());
        }
        ASSERT_TRUE(
            writeFile(programDir + "/BarSet.ini", "[SET]\r\nPar01=" + Big5::fromUtf8Literal("產品條碼(20C)") + "\r\n"));
    }

    // The first value of each line but the last (the row numbers), and the last line.
    static QStringList rowsOf(const CliResult &run)
    {
        QStringList rows;
        const QStringList lines = run.outLines();
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            rows.append(lines[i].section(QLatin1Char('\t'), 0, 0));
        }
        rows.append(lines.value(lines.size() - 1));
        return rows;
    }
};

} // namespace

TEST_F(CliFindTest, findPrintsTheMatchingRowsAsTheGridShowsThemAndRefusesAnUnknownColumn)
{
    writeProducts({{"111", "紅色T恤", "M", 2}, {"222", "長褲", "M", 3}, {"333", "紅色外套", "L", 1}});
    const struct {
        const char *name;
        QStringList arguments;
        QStringList rows;
    } cases[] = {
        {"one word", {"紅"}, {"1", "3", "2 of 3 rows"}},
        {"two words", {"紅 m"}, {"1", "1 of 3 rows"}},
        {"one column by field name", {"3", "--column", "barcode"}, {"3", "1 of 3 rows"}},
        {"one column by grid title", {"M", "--column", "尺寸"}, {"1", "2", "2 of 3 rows"}},
        {"full-width typed", {"ｍ"}, {"1", "2", "2 of 3 rows"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const CliResult run = cli(QStringList{"find", "products"} + c.arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(rowsOf(run), c.rows) << run.out.toStdString();
    }
    const QStringList first = cli({"find", "products", "長褲"}).outLines().value(0).split(QLatin1Char('\t'));
    EXPECT_EQ(first.mid(0, 5), (QStringList{"2", "3", "222", "222", QStringLiteral("長褲")}));

    const CliResult emoji = cli({"find", "products", QString::fromUtf8("\xF0\x9F\x91\x95")});
    EXPECT_EQ(emoji.exitCode, 0);
    EXPECT_EQ(emoji.out, QStringLiteral("0 of 3 rows\n"));
    EXPECT_TRUE(emoji.err.contains(QStringLiteral("Big5"))) << emoji.err.toStdString();

    const CliResult unknown = cli({"find", "products", "x", "--column", "WEIGHT"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.out, QString());
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("ITEM_NAME (品名)"))) << unknown.err.toStdString();

    const CliResult customers = cli({"find", "customers", "x", "--column", "ITEM_NAME"});
    EXPECT_EQ(customers.exitCode, 2) << "a product column is not a customer one";
    EXPECT_TRUE(customers.err.contains(QStringLiteral("CUST_NAME"))) << customers.err.toStdString();
}

TEST_F(CliFindTest, exportAndCheckWorkOnTheMatchingRowsOnly)
{
    writeProducts({{"111", "紅色T恤", "M", 2}, {"222", "長褲", "M", 3}, {"333", "紅色外套", "L", 1}});
    const QString bars = programDir + "/Bars.txt";
    CliResult run = cli({"export", "products", "--no-launch", "--matching", "紅"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QByteArray matching = readAll(bars);
    EXPECT_EQ(matching, "111,2\r\n333,1\r\n");

    // The same rows as a queue of their own export the same bytes.
    QFile::remove(bars);
    writeProducts({{"111", "紅色T恤", "M", 2}, {"333", "紅色外套", "L", 1}});
    run = cli({"export", "products", "--no-launch"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(readAll(bars), matching);

    writeProducts({{"111", "紅色T恤", "M", 2}, {"222", "長褲", "M", 3}, {"333", "紅色外套", "L", 1}});
    run = cli({"check", "products", "--matching", "M", "--column", "SIZES"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.outLines().value(run.outLines().size() - 1), QStringLiteral("2 rows, 2 lines, 5 labels"));

    const struct {
        const char *name;
        QStringList arguments;
        int exitCode;
        const char *says;
    } refusals[] = {
        {"an unknown column", {"export", "products", "--matching", "x", "--column", "NOPE"}, 2, "SIZES (尺寸)"},
        {"a column without a text", {"check", "products", "--column", "SIZES"}, 2, "--matching"},
        {"a text missing", {"check", "products", "--matching"}, 2, "--matching"},
        {"an emoji", {"export", "products", "--no-launch", "--matching", "\xF0\x9F\x91\x95"}, 1, "Big5"},
    };
    for (const auto &refusal : refusals) {
        SCOPED_TRACE(refusal.name);
        QFile::remove(bars);
        run = cli(refusal.arguments);
        EXPECT_EQ(run.exitCode, refusal.exitCode);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(refusal.says))) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(bars));
    }
}
