#include "common/CliWorkspace.h"
#include "components/Big5.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueAccess.h"
#include "productlabels/ProductQueueTable.h"

#include <gtest/gtest.h>

namespace {

class CliDocumentFlowTest : public CliWorkspace
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(backoffice.isListening()) << backoffice.errorText().toStdString();
        const CliResult created = cli({QStringLiteral("tables"), QStringLiteral("create")});
        ASSERT_EQ(created.exitCode, 0) << created.err.toStdString();
    }

    // "ITEM_NO QUAN" of every row in the queue.
    QStringList queueRows() const
    {
        LabelQueue queue(ProductQueueTable::fields());
        EXPECT_TRUE(queue.open(QDir(workDir).filePath(ProductQueueTable::fileName())).ok());
        QueueReader reader(queue, ProductQueueTable::side());
        QStringList rows;
        for (int row = 0; row < reader.rowCount(); ++row) {
            EXPECT_TRUE(reader.read(row).isEmpty());
            rows.append(Big5::decode(reader.text(ProductQueueTable::ITEM_NO).toByteArray().trimmed()) +
                        QLatin1Char(' ') + QString::number(reader.number(ProductQueueTable::QUAN).value_or(-1)));
        }
        return rows;
    }
};

} // namespace

TEST_F(CliDocumentFlowTest, eachScriptFillsTheQueueWithTheQuantitiesOfItsDocuments)
{
    const struct {
        const char *name;
        QStringList arguments;
        QString message;
        QStringList rows;
    } cases[] = {
        {"purchase receipt by number",
         {"import", "purchase", "--mbran", "01", "--sb_no", "P240305001"},
         QStringLiteral("進貨資料引入完成"),
         {"A1002-WH-M 6", "B2001-NV-30 8", "B2001-BK-32 5"}},
        {"receipts of the own branch by default",
         {"import", "purchase", "--sb_no", "P240301001", "--price-branch", "02"},
         QStringLiteral("進貨資料引入完成"),
         {"A1001-WH-M 24", "A1001-WH-L 24", "A1001-BK-M 18", "A1001-NV-L 12"}},
        {"stock-take of one day, the start date copied to the end",
         {"import", "stocktake", "--mbran", "02", "--sdat", "2024/04/30"},
         QStringLiteral("盤點資料引入完成"),
         {"J4001-BK-L 2", "K5001-GY-S 4"}},
        {"transfer-out by number",
         {"import", "transfer", "--mbran", "02", "--sb_no", "T240415001"},
         QStringLiteral("調撥出庫資料引入完成"),
         {"D3001-PK-S 1", "B2002-KH-28 3"}},
        {"wholesale shipments of a day",
         {"import", "document", "--kind", "B", "--mbran", "02", "--sdat", "2024/04/11"},
         QStringLiteral("客戶批發出貨引入完成"),
         {"D3001-PK-L 4", "A1003-NV-110 3"}},
        {"last receipt of a register",
         {"import", "document", "--kind", "D", "--mbran", "02", "--mach_no", "02", "--last"},
         QStringLiteral("門市銷售資料引入完成"),
         {"A1001-NV-M 3"}},
        {"no matching documents",
         {"import", "document", "--kind", "C", "--mbran", "01", "--sdat", "2030/01/01"},
         QStringLiteral("NoData沒有符合條件的資料!!"),
         {}},
    };
    QStringList expected;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const CliResult run = cli(c.arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, c.message + QStringLiteral("\n%1 rows added to bar1.dbf\n").arg(c.rows.size()));
        expected += c.rows;
        EXPECT_EQ(queueRows(), expected);
    }
}

TEST_F(CliDocumentFlowTest, refusesWhatTheDialogWouldRefuseAndPostsNothing)
{
    const struct {
        const char *name;
        QStringList arguments;
        QString branch;
        int exitCode;
        QString error;
    } cases[] = {
        {"no condition", {"import", "purchase"}, "A", 1, QStringLiteral("請給予任一條可!!")},
        {"30 February", {"import", "purchase", "--sdat", "2024/02/30"}, "A", 1, QStringLiteral("日期格式錯誤 !!")},
        {"a date longer than the field", {"import", "purchase", "--sdat", "2024/02/011"}, "A", 1,
         QStringLiteral("日期格式錯誤 !!")},
        {"a date with a character Big5 lacks", {"import", "purchase", "--edat", "2024/02/0\u0e01"}, "A", 1,
         QStringLiteral("日期格式錯誤 !!")},
        {"a date that does not fit the mask",
         {"import", "transfer", "--edat", "2024/3/5", "--sb_no", "T1"},
         "A",
         1,
         QStringLiteral("日期格式錯誤 !!")},
        {"a malformed date is refused before a missing branch",
         {"import", "stocktake", "--mbran", "", "--edat", "2024/13/01"},
         "A",
         1,
         QStringLiteral("日期格式錯誤 !!")},
        {"branch left empty",
         {"import", "stocktake", "--mbran", "", "--sb_no", "I"},
         "A",
         1,
         QStringLiteral("分店代號不可空白!!")},
        {"a branch the list does not offer",
         {"import", "purchase", "--mbran", "07", "--sb_no", "P"},
         "A",
         1,
         QStringLiteral("the branch list does not offer \"07\"")},
        {"a store is offered its own branch only",
         {"import", "transfer", "--price-branch", "02", "--sb_no", "T"},
         "01",
         1,
         QStringLiteral("the branch list does not offer \"02\" (offered: 01)")},
        {"last receipt of a purchase order",
         {"import", "document", "--mach_no", "01", "--last", "--sb_no", "O"},
         "A",
         1,
         QStringLiteral("若要取最後單號,請點選門市銷售單!!")},
        {"last receipt without register",
         {"import", "document", "--kind", "D", "--last"},
         "A",
         1,
         QStringLiteral("取最後單號必需輸入機台!!")},
        {"a register alone for wholesale",
         {"import", "document", "--kind", "B", "--mach_no", "01"},
         "A",
         1,
         QStringLiteral("請縮小範圍：輸入單號或日期!!")},
        {"store sales without anything",
         {"import", "document", "--kind", "D"},
         "A",
         1,
         QStringLiteral("請縮小範圍：輸入單號或日期或機台!!")},
        {"unknown kind", {"import", "document", "--kind", "E"}, "A", 2, QStringLiteral("--kind takes A, B, C or D")},
        {"stock-take has no price branch",
         {"import", "stocktake", "--price-branch", "A"},
         "A",
         2,
         QStringLiteral("unknown option \"--price-branch\"")},
        {"number longer than its field",
         {"import", "purchase", "--sb_no", "P2403050010001"},
         "A",
         2,
         QStringLiteral("--sb_no takes at most 12 bytes")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const CliResult run = cli(c.arguments, c.branch,
                                  c.branch == QLatin1String("A") ? QStringLiteral("0000") : QStringLiteral("1234"));
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.err.contains(c.error)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    }
    EXPECT_TRUE(queueRows().isEmpty());
}
