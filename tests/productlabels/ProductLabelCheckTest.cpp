#include "productlabels/ProductLabelCheck.h"

#include "MemoryProductQueue.h"
#include "components/Big5.h"
#include "productlabels/ProductLabelLines.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
using namespace ProductQueueTable;

QByteArray big5(const char *utf8)
{
    return Big5::fromUtf8Literal(utf8);
}

MemoryRow row(const QByteArray &barcode, const QByteArray &name, std::optional<double> quantity)
{
    return MemoryRow().text(BARCODE, barcode).text(ITEM_NAME, name).number(PRICE, 590).number(QUAN, quantity);
}

struct CheckCase {
    const char *name;
    bool fixedWidth;
    bool oneLinePerLabel;
    QList<QByteArray> columns;
    QList<MemoryRow> rows;
    // "ROW ENTRY KIND" per finding, errors first.
    QStringList findings;
    LabelTotals totals;
    // A text every message of the case holds, when set.
    QString messagePart;
};

QStringList described(const LabelCheckReport &report)
{
    QStringList lines;
    for (const LabelFinding &finding : report.findings) {
        lines << QStringLiteral("%1 %2 %3")
                     .arg(finding.row)
                     .arg(Big5::decode(finding.entry), finding.kind == LabelFinding::Kind::Error
                                                           ? QStringLiteral("error")
                                                           : QStringLiteral("warning"));
    }
    return lines;
}

TEST(ProductLabelCheck, findsWhatTheLabelsWouldGetWrong)
{
    const QByteArray code = big5("產品條碼(20C)");
    const QByteArray name = big5("品名(42C)");
    const QByteArray twentyOneChars = big5("棉質圓領短袖上衣男款深藍色加大尺寸特價品裝");
    const QByteArray udc = QByteArray("T") + char(0xFA) + char(0x40);
    const std::vector<CheckCase> cases = {
        {"a clean queue finds nothing",
         false,
         false,
         {code, name, "#NT"},
         {row("A0001", big5("棉T恤"), 2), row("4006381333931", big5("長褲"), 1)},
         {},
         {2, 2, 3},
         {}},
        {"a comma shifts the columns in comma layout only",
         false,
         false,
         {code, name},
         {row("A0001", "T,shirt", 1)},
         {"1 品名(42C) error"},
         {1, 1, 1},
         QStringLiteral("逗點")},
        {"a comma is harmless in fixed-width layout",
         true,
         false,
         {code, name},
         {row("A0001", "T,shirt", 1)},
         {},
         {1, 1, 1},
         {}},
        {"a fixed width cuts inside or between characters",
         true,
         false,
         {name},
         {row("A1", twentyOneChars, 1), row("A2", "x" + twentyOneChars, 1), row("A3", twentyOneChars + "xy", 1)},
         {"2 品名(42C) error", "3 品名(42C) warning"},
         {3, 3, 3},
         QStringLiteral("42")},
        {"wrong check digits of EAN-13, EAN-8 and UPC-A",
         false,
         false,
         {code},
         {row("4006381333932", "", 1), row("12345670", "", 1), row("12345678", "", 1), row("036000291452", "", 1),
          row("036000291453", "", 1), row("1234567890", "", 1)},
         {"1 BARCODE error", "3 BARCODE error", "5 BARCODE error"},
         {6, 6, 6},
         QStringLiteral("檢查碼")},
        {"counts one label a line",
         false,
         true,
         {code},
         {row("A1", "", -4), row("A2", "", 0), row("A3", "", 2.5), row("A4", "", 1000), row("", "", 1),
          row("A6", "", std::nullopt)},
         {"1 QUAN error", "2 QUAN warning", "3 QUAN warning", "4 QUAN warning", "5 BARCODE warning", "6 QUAN warning"},
         {6, 1002, 1002},
         {}},
        {"counts on one line each",
         false,
         false,
         {code},
         {row("A1", "", 2.5), row("A2", "", 3)},
         {"1 QUAN warning"},
         {2, 2, 5},
         QStringLiteral("2.5")},
        {"a user-defined character",
         false,
         false,
         {name},
         {row("A1", udc, 1)},
         {"1 品名(42C) warning"},
         {1, 1, 1},
         QStringLiteral("FA40")},
        {"control bytes the label program would break its line at",
         false,
         false,
         {name, "#ab\x1b"
                "cd"},
         {row("A1", QByteArray("ab\0cd", 5), 1), row("A2", "bell\x07", 1), row("A3", big5("價") + "\x7f", 1)},
         {"0 #ab\x1b error", "1 品名(42C) error", "2 品名(42C) error", "3 品名(42C) error"},
         {3, 3, 3},
         QStringLiteral("控制字元")},
        {"custom texts and unknown entries are checked once",
         false,
         false,
         {"#" + QByteArray(41, 'x'), "#a,b", "#" + QByteArray(39, 'y') + big5("價"), big5("不存在的欄位")},
         {row("A1", "", 1), row("A2", "", 1)},
         {"0 #a,b error", "0 #yyy error", "0 #xxx warning", "0 不存在的欄位 warning"},
         {2, 2, 2},
         {}},
        {"no column: each line would hold the count alone",
         false,
         false,
         {},
         {row("A1", "", 1)},
         {"0  error"},
         {1, 1, 1},
         QStringLiteral("沒有設定輸出欄位")},
        {"no column the export knows",
         false,
         false,
         {big5("不存在的欄位")},
         {row("A1", "", 1)},
         {"0  error", "0 不存在的欄位 warning"},
         {1, 1, 1},
         {}},
    };
    for (const CheckCase &testCase : cases) {
        SCOPED_TRACE(testCase.name);
        MemoryProductQueue queue;
        queue.rows = testCase.rows;
        ProductOutputSettings settings;
        settings.fixedWidth = testCase.fixedWidth;
        settings.oneLinePerLabel = testCase.oneLinePerLabel;
        settings.columns = testCase.columns;
        const LabelCheckReport report = checkProductQueue(queue, settings, QDate(2026, 3, 1));
        QStringList found = described(report);
        // Custom text entries are long; their first four characters name them.
        for (QString &line : found) {
            if (line.startsWith(QStringLiteral("0 #"))) {
                line = line.left(6) + line.mid(line.lastIndexOf(QLatin1Char(' ')));
            }
        }
        EXPECT_EQ(found, testCase.findings);
        EXPECT_EQ(report.totals.rows, testCase.totals.rows);
        EXPECT_EQ(report.totals.lines, testCase.totals.lines);
        EXPECT_EQ(report.totals.labels, testCase.totals.labels);
        EXPECT_EQ(report.hasErrors(), testCase.findings.join(QLatin1Char(' ')).contains(QStringLiteral("error")));
        for (const LabelFinding &finding : report.findings) {
            EXPECT_TRUE(finding.message.contains(testCase.messagePart)) << finding.message.toStdString();
        }
    }
}

TEST(ProductLabelCheck, countsBeyondReasonStopTheCheckAndTheExport)
{
    QTemporaryDir dir;
    const QString bars = dir.filePath(QStringLiteral("Bars.txt"));
    const struct {
        const char *name;
        double count;
        bool refused;
    } counts[] = {
        {"1e19", 1e19, true},       {"1e308", 1e308, true},     {"widest the field holds", 9999999, true},
        {"one over", 100000, true}, {"the most", 99999, false},
    };
    for (const bool oneLinePerLabel : {true, false}) {
        for (const auto &c : counts) {
            SCOPED_TRACE(std::string(c.name) + (oneLinePerLabel ? ", one label a line" : ", one line a row"));
            MemoryProductQueue queue;
            queue.rows = {row("A1", "", 2), row("A2", "", c.count), row("A3", "", c.count)};
            ProductOutputSettings settings;
            settings.oneLinePerLabel = oneLinePerLabel;
            settings.columns = {big5("產品條碼(20C)")};
            const LabelCheckReport report = checkProductQueue(queue, settings, QDate(2026, 3, 1));

            EXPECT_EQ(report.hasErrors(), c.refused);
            EXPECT_EQ(report.outputRefusal().startsWith(QStringLiteral("第 2 筆的張數")), c.refused)
                << report.outputRefusal().toStdString();
            const qint64 rowsLines = oneLinePerLabel ? qint64(c.count) : 1;
            EXPECT_EQ(report.totals.lines, (oneLinePerLabel ? 2 : 1) + (c.refused ? 0 : 2 * rowsLines));
            EXPECT_EQ(report.totals.labels, 2 + (c.refused ? 0 : 2 * qint64(c.count)));

            QFile::remove(bars);
            const LabelTextFileResult written = writeProductLabelTextFile(queue, settings, bars, QDate(2026, 3, 1));
            EXPECT_EQ(written.ok(), !c.refused);
            if (c.refused) {
                EXPECT_TRUE(written.error.contains(QStringLiteral("第 2 筆的張數"))) << written.error.toStdString();
                EXPECT_FALSE(QFile::exists(bars));
            }
        }
    }
}

TEST(ProductLabelCheck, moreLinesThanOneExportMayWriteStopTheCheckAndTheExport)
{
    QTemporaryDir dir;
    MemoryProductQueue queue;
    for (int r = 0; r < 11; ++r) {
        queue.rows.append(row("A" + QByteArray::number(r), "", 99999));
    }
    ProductOutputSettings settings;
    settings.oneLinePerLabel = true;
    settings.columns = {big5("產品條碼(20C)")};
    const LabelCheckReport report = checkProductQueue(queue, settings, QDate(2026, 3, 1));
    EXPECT_EQ(report.totals.lines, 11 * 99999);
    EXPECT_TRUE(report.outputRefusal().contains(QStringLiteral("最多 1000000 行")))
        << report.outputRefusal().toStdString();

    const QString bars = dir.filePath(QStringLiteral("Bars.txt"));
    const LabelTextFileResult written = writeProductLabelTextFile(queue, settings, bars, QDate(2026, 3, 1));
    EXPECT_FALSE(written.ok());
    EXPECT_TRUE(written.error.contains(QStringLiteral("最多 1000000 行"))) << written.error.toStdString();
    EXPECT_FALSE(QFile::exists(bars));
}

TEST(ProductLabelCheck, cardsCarryTheValuesTheExportWrites)
{
    MemoryProductQueue queue;
    queue.rows = {row("A1", big5("棉T恤"), 2), row("", "", 1), row("A3", "x", 1)};
    ProductOutputSettings settings;
    settings.fixedWidth = true;
    settings.oneLinePerLabel = true;
    settings.columns = {big5("品名(42C)"), "#NT"};
    ProductLabelCards cards(queue, settings, QDate(2026, 3, 1));
    ASSERT_EQ(cards.report().totals.lines, 3);
    const QList<int> rows = {cards.card(0).row, cards.card(1).row, cards.card(2).row};
    EXPECT_EQ(rows, QList<int>({1, 1, 3}));
    const LabelCard first = cards.card(1);
    EXPECT_EQ(first.barcode, "A1");
    ASSERT_EQ(first.columns.size(), 2u);
    EXPECT_EQ(first.columns[0].second, big5("棉T恤") + QByteArray(37, ' '));
    EXPECT_EQ(first.columns[1].second, "NT");
    EXPECT_EQ(first.quantity, "1");
}
} // namespace
