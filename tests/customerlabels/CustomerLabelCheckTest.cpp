#include "customerlabels/CustomerLabelCheck.h"

#include "MemoryCustomerRows.h"
#include "components/Big5.h"
#include "labelqueue/LabelTextWriter.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
using namespace CustomerQueueTable;

QByteArray big5(const char *utf8)
{
    return Big5::fromUtf8Literal(utf8);
}

CustomerRow row(const QByteArray &barcode, const QByteArray &name, std::optional<double> quantity)
{
    return CustomerRow().text(BAR_NO, barcode).text(CUST_NAME, name).quan(quantity);
}

CustomerOutputSettings settingsOf(bool fixedWidth, bool oneLinePerLabel, const QList<QByteArray> &columns)
{
    CustomerOutputSettings settings;
    settings.fixedWidth = fixedWidth;
    settings.oneLinePerLabel = oneLinePerLabel;
    settings.columns = columns;
    return settings;
}

// "ROW ENTRY KIND" per finding; a custom text entry is named by its first
// four characters.
QStringList described(const LabelCheckReport &report)
{
    QStringList lines;
    for (const LabelFinding &finding : report.findings) {
        QString entry = Big5::decode(finding.entry);
        if (entry.startsWith(QLatin1Char('#'))) {
            entry.truncate(4);
        }
        lines << QStringLiteral("%1 %2 %3")
                     .arg(finding.row)
                     .arg(entry, finding.kind == LabelFinding::Kind::Error ? QStringLiteral("error")
                                                                           : QStringLiteral("warning"));
    }
    return lines;
}

TEST(CustomerLabelCheck, findsWhatTheLabelsWouldGetWrong)
{
    const QByteArray code = big5("條碼(20C)");
    const QByteArray name = big5("姓名(50C)");
    const QByteArray address = big5("地址(100C)");
    // 25 characters: exactly the 50 bytes of the name column.
    const QByteArray longName = big5("歐陽司馬上官皇甫端木令狐慕容長孫宇文諸葛東方尉遲公孫軒轅").left(50);
    const QByteArray udc = QByteArray("Rd ") + char(0xFA) + char(0x40);
    struct Case {
        const char *name;
        bool fixedWidth;
        bool oneLinePerLabel;
        QList<QByteArray> columns;
        QList<CustomerRow> rows;
        QStringList findings; // errors first
        LabelTotals totals;
    };
    const Case cases[] = {
        {"a clean queue finds nothing",
         false,
         false,
         {code, name, big5("會員卡號(20C)"), "#VIP"},
         {row("C0001", big5("林美玲"), 2), row("4006381333931", big5("吳佳蓉"), 1)},
         {},
         {2, 2, 3}},
        {"a comma shifts the columns in comma layout; a row without BAR_NO is not looked at",
         false,
         false,
         {code, name},
         {row("C0001", "Lin,Mei", 1), row("", "Wu,Jia", 1)},
         {"1 姓名(50C) error", "2 BAR_NO warning"},
         {2, 1, 1}},
        {"a comma is harmless in fixed-width layout",
         true,
         false,
         {code, name},
         {row("C0001", "Lin,Mei", 1)},
         {},
         {1, 1, 1}},
        {"the name's 50 bytes cut inside or between characters",
         true,
         false,
         {name},
         {row("C1", longName, 1), row("C2", "A" + longName, 1), row("C3", longName + "xy", 1)},
         {"2 姓名(50C) error", "3 姓名(50C) warning"},
         {3, 3, 3}},
        {"a wrong check digit in BAR_NO",
         false,
         false,
         {code},
         {row("4006381333932", "", 1), row("036000291452", "", 1), row("C0001", "", 1)},
         {"1 BAR_NO error"},
         {3, 3, 3}},
        {"counts one label a line from QUAN",
         false,
         true,
         {code},
         {row("C1", "", -4), row("C2", "", 0), row("C3", "", 2.5), row("C4", "", 1000), row("C5", "", std::nullopt)},
         {"1 QUAN error", "2 QUAN warning", "3 QUAN warning", "4 QUAN warning", "5 QUAN warning"},
         {5, 1002, 1002}},
        {"a user-defined character in the address",
         false,
         false,
         {address},
         {CustomerRow().text(BAR_NO, "C1").text(ADDRESS, udc).quan(1)},
         {"1 地址(100C) warning"},
         {1, 1, 1}},
        {"custom texts and entries of the product list are checked once",
         false,
         false,
         {"#a,b", big5("品名(42C)"), "#" + QByteArray(41, 'x')},
         {row("C1", "", 1), row("C2", "", 1)},
         {"0 #a,b error", "0 品名(42C) warning", "0 #xxx warning"},
         {2, 2, 2}},
    };
    for (const Case &testCase : cases) {
        SCOPED_TRACE(testCase.name);
        MemoryCustomerRows queue;
        queue.rows = testCase.rows;
        const LabelCheckReport report =
            checkCustomerQueue(queue, settingsOf(testCase.fixedWidth, testCase.oneLinePerLabel, testCase.columns));
        EXPECT_EQ(described(report), testCase.findings);
        EXPECT_EQ(report.totals.rows, testCase.totals.rows);
        EXPECT_EQ(report.totals.lines, testCase.totals.lines);
        EXPECT_EQ(report.totals.labels, testCase.totals.labels);
        EXPECT_EQ(report.hasErrors(), testCase.findings.join(QLatin1Char(' ')).contains(QStringLiteral("error")));
    }
}

// Every card, its columns joined as the layout joins them, is the line the
// export wrote for it, cuts, blanks for line breaks and commas included.
TEST(CustomerLabelCheck, cardsAreTheExportedLinesFieldByField)
{
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    MemoryCustomerRows queue;
    queue.rows = {
        row("C0001", "A" + big5("歐陽司馬上官皇甫端木令狐慕容長孫宇文諸葛東方尉遲公孫軒轅"), 2)
            .text(ADDRESS, big5("台北市\r\n信義路")),
        row("", big5("沒有條碼"), 1),
        row("C0003", "Lin,Mei", 0),
        row("C0004", big5("林美玲"), 1.5).text(CARD_NO, "M0004"),
    };
    const QList<QByteArray> columns = {big5("條碼(20C)"), big5("姓名(50C)"), "#" + QByteArray(45, 'v'),
                                       big5("地址(100C)"), big5("會員卡號(20C)")};
    for (const bool fixedWidth : {false, true}) {
        for (const bool oneLinePerLabel : {false, true}) {
            SCOPED_TRACE(QStringLiteral("fixed %1, one a line %2").arg(fixedWidth).arg(oneLinePerLabel).toStdString());
            const CustomerOutputSettings settings = settingsOf(fixedWidth, oneLinePerLabel, columns);
            const QString path = directory.filePath(QStringLiteral("Bars.txt"));
            ASSERT_TRUE(writeLabelTextFile(queue, CustomerLabelLines(settings), BAR_NO, path).error.isEmpty());
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            QList<QByteArray> written = file.readAll().split('\n');
            written.removeLast();

            CustomerLabelCards cards(queue, settings);
            ASSERT_EQ(cards.report().totals.lines, written.size());
            const QList<int> expectedRows = oneLinePerLabel ? QList<int>{1, 1, 4, 4} : QList<int>{1, 3, 4};
            QList<int> rows;
            for (qint64 line = 0; line < written.size(); ++line) {
                const LabelCard card = cards.card(line);
                rows << card.row;
                QByteArray joined;
                for (const auto &[entry, value] : card.columns) {
                    joined += value + (fixedWidth ? "" : ",");
                }
                EXPECT_EQ(joined + card.quantity + "\r", written[line]) << "line " << line;
                EXPECT_EQ(card.barcode, queue.rows[card.row - 1].texts[BAR_NO]);
            }
            EXPECT_EQ(rows, expectedRows);
        }
    }
}
} // namespace
