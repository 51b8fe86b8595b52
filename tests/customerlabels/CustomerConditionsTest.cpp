#include "customerlabels/CustomerConditions.h"

#include "customerlabels/CustomerQueueTable.h"
#include "exchange/ServerReply.h"
#include "labelqueue/FillQueueFromReply.h"

#include <gtest/gtest.h>

namespace {
const LinkSettings ownLink{"127.0.0.1", "01", "1234"};
const QDate midYear(2026, 6, 10);
} // namespace

TEST(CustomerConditions, requestHoldsTheFilledPiecesInOrder)
{
    CustomerConditions everything;
    everything.scust = "C0001";
    everything.ecust = "C0009";
    everything.cust_name = " Lin ";
    everything.cust_tel = "02";
    everything.mobile = "09";
    everything.club_no = "V1";
    everything.branch = " 02 ";
    everything.sdat = "2024/01/01";
    everything.edat = "2024/12/31";
    everything.birthdayDays = 30;
    CustomerConditions cardBarcode;
    cardBarcode.barcodeFromCustomerCode = false;
    CustomerConditions blankDates;
    blankDates.sdat = "    /  /  ";
    blankDates.edat = "/  /";
    blankDates.branch = "  ";
    CustomerConditions startDateOnly;
    startDateOnly.sdat = "2024/03/05";

    struct Case {
        const char *name;
        CustomerConditions conditions;
        QByteArray expected;
    } cases[] = {
        {"nothing filled", CustomerConditions(), "bran_no=01&link_pass=1234&mcust=Y"},
        {"card barcode", cardBarcode, "bran_no=01&link_pass=1234&mcust=N"},
        {"every piece, values as typed but the branch trimmed", everything,
         "bran_no=01&link_pass=1234&scust=C0001&ecust=C0009&cust_name= Lin &cust_tel=02&mobile=09&club_no=V1"
         "&tbran=02&sdat=2024/01/01&edat=2024/12/31&sborn=0601&eborn=0710&mcust=Y"},
        {"blank dates and a blank branch send nothing", blankDates, "bran_no=01&link_pass=1234&mcust=Y"},
        {"start date without end date", startDateOnly, "bran_no=01&link_pass=1234&sdat=2024/03/05&mcust=Y"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(customerImportRequest(c.conditions, ownLink, midYear), c.expected);
    }
}

TEST(CustomerConditions, birthdayWindowRunsPastDecemberAsMonthsAbove12)
{
    struct Case {
        QDate today;
        int days;
        QByteArray start;
        QByteArray end;
    } cases[] = {
        {QDate(2026, 12, 20), 20, "1201", "1309"}, {QDate(2026, 12, 15), 30, "1201", "1314"},
        {QDate(2026, 12, 1), 0, "1201", "1201"},   {QDate(2026, 11, 30), 1, "1101", "1201"},
        {QDate(2026, 1, 31), 29, "0101", "0301"},  {QDate(2026, 12, 31), 400, "1201", "1404"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.today.toString(Qt::ISODate).toStdString() + " +" + std::to_string(c.days));
        const BirthdayWindow window = birthdayWindow(c.today, c.days);
        EXPECT_EQ(window.start, c.start);
        EXPECT_EQ(window.end, c.end);
    }
    CustomerConditions conditions;
    conditions.birthdayDays = 20;
    EXPECT_TRUE(
        customerImportRequest(conditions, ownLink, QDate(2026, 12, 20)).endsWith("&sborn=1201&eborn=1309&mcust=Y"));
}

namespace {
class Rows : public ReplyRecordSink
{
public:
    QString append(const ReplyRecord &record) override
    {
        quantities << record.numbers[0].value_or(-1);
        barcodes << record.texts[CustomerQueueTable::BAR_NO].toByteArray();
        return QString();
    }
    QList<double> quantities;
    QList<QByteArray> barcodes;
};

QByteArray record(const QByteArray &quantity, const QByteArray &barcode, int extraLines = 0)
{
    QByteArray lines = quantity + "\r\n";
    for (int field = CustomerQueueTable::CUST_NO; field < CustomerQueueTable::BAR_NO; ++field) {
        lines += "v" + QByteArray::number(field) + "\r\n";
    }
    lines += barcode + "\r\n";
    for (int extra = 0; extra < extraLines; ++extra) {
        lines += "more\r\n";
    }
    return lines + "---------------------\r\n";
}
} // namespace

TEST(CustomerConditions, onlyCopiesAbove1ReplaceTheQuantities)
{
    const ServerReply reply("DataOk\r\n" + record("2", "C1") + record("5", "C2") + "EOT\r\n");
    const struct {
        int copies;
        QList<double> quantities;
    } cases[] = {{0, {2, 5}}, {1, {2, 5}}, {3, {3, 3}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.copies);
        CustomerConditions conditions;
        conditions.copies = c.copies;
        FillOptions options;
        options.countOverride = customerCountOverride(conditions);
        Rows rows;
        ASSERT_TRUE(fillQueueFromReply(reply, rows, CustomerQueueTable::side(), options).ok());
        EXPECT_EQ(rows.quantities, c.quantities);
        EXPECT_EQ(rows.barcodes, (QList<QByteArray>{"C1", "C2"}));
    }
}

TEST(CustomerConditions, aThirteenthLineStopsTheFillAndKeepsTheRowsBefore)
{
    const ServerReply reply("DataOk\r\n" + record("1", "C1") + record("1", "C2", 1) + record("1", "C3") + "EOT\r\n");
    Rows rows;
    FillOptions options;
    const FillResult result = fillQueueFromReply(reply, rows, CustomerQueueTable::side(), options);
    EXPECT_EQ(rows.barcodes, QList<QByteArray>{"C1"});
    EXPECT_EQ(result.rowsAdded, 1);
    EXPECT_TRUE(result.error.contains(QStringLiteral("第 2 筆客戶資料超過 12 個值"))) << result.error.toStdString();
    EXPECT_TRUE(result.error.contains(QStringLiteral("more"))) << result.error.toStdString();
}

TEST(CustomerConditions, branchConditionIsTheTrimmedChoiceOrNothing)
{
    const struct {
        const char *name;
        QByteArray chosen;
        QByteArray expected;
    } cases[] = {
        {"trimmed", " 02 ", "&tbran=02"},
        {"any branch", "", ""},
        {"blanks only", "  ", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(customerBranchCondition(c.chosen), c.expected);
    }
}
