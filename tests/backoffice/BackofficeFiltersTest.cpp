#include "backoffice/BackofficeFixture.h"

// Each condition key narrows the reply; the records are told apart by their
// item code (products) or customer code (customers), both at position 1.
TEST_F(Backoffice, everyConditionKeyFilters)
{
    struct Case {
        const char *name;
        const char *script;
        QString conditions;
        QStringList codes;
    } cases[] = {
        {"group and size",
         "qelvoitemseek.php",
         QStringLiteral("bran_no=A&link_pass=0000&item1=B2001&sizes=30"),
         {QStringLiteral("B2001-BK-30"), QStringLiteral("B2001-NV-30")}},
        {"item range, end code takes its variants",
         "qelvoitemseek.php",
         QStringLiteral("bran_no=A&link_pass=0000&sitem=C6001&eitem=C6002"),
         {QStringLiteral("C6001-BK"), QStringLiteral("C6001-BR"), QStringLiteral("C6002-BK"),
          QStringLiteral("C6002-GY"), QStringLiteral("C6002-WH")}},
        {"colour by name",
         "qelvoitemseek.php",
         QStringLiteral("bran_no=A&link_pass=0000&color=紅色"),
         {QStringLiteral("A1001-RD-L"), QStringLiteral("A1001-RD-M"), QStringLiteral("A1001-RD-S"),
          QStringLiteral("A1001-RD-XL")}},
        {"supplier, brand and category",
         "qelvoitemseek.php",
         QStringLiteral("bran_no=A&link_pass=0000&supp_no=S003&kind_no=K03&cate_no=C04&sizes=M"),
         {QStringLiteral("J4001-BE-M"), QStringLiteral("J4001-BK-M"), QStringLiteral("J4001-NV-M")}},
        {"stock of the branch only",
         "qelvoitemseek.php",
         QStringLiteral("bran_no=01&link_pass=1234&item1=A1003&isquan=Y"),
         {QStringLiteral("A1003-NV-120"), QStringLiteral("A1003-NV-130"), QStringLiteral("A1003-PK-110"),
          QStringLiteral("A1003-PK-120")}},
        {"consignment receipts",
         "qelvobuyseek.php",
         QStringLiteral("bran_no=A&link_pass=0000&mbran=02&cbran=02&is_buyc=Y"),
         {QStringLiteral("D3001-PK-S"), QStringLiteral("D3001-PK-M"), QStringLiteral("D3001-WH-M")}},
        {"receipts by date",
         "qelvobuyseek.php",
         QStringLiteral("bran_no=01&link_pass=1234&mbran=01&cbran=01&sdat=2024/04/01&edat=2024/04/30"),
         {QStringLiteral("J4001-BK-L"), QStringLiteral("J4001-NV-M")}},
        {"receipts by supplier",
         "qelvobuyseek.php",
         QStringLiteral("bran_no=A&link_pass=0000&mbran=A&cbran=A&cust_no=S004&is_buyc=N"),
         {QStringLiteral("C6001-BK"), QStringLiteral("C6001-BR")}},
        {"stock-take by number",
         "qelvoinvi.php",
         QStringLiteral("bran_no=A&link_pass=0000&sb_no=I240415001&eb_no=I240415001"),
         {QStringLiteral("C6001-BK"), QStringLiteral("C6002-WH"), QStringLiteral("C6002-BK"),
          QStringLiteral("K5001-GY-M")}},
        {"transfers by branch and end date only",
         "qelvoallotseek.php",
         QStringLiteral("bran_no=A&link_pass=0000&mbran=A&cbran=&edat=2024/03/02"),
         {QStringLiteral("A1001-WH-M"), QStringLiteral("A1001-WH-L"), QStringLiteral("A1001-BK-M"),
          QStringLiteral("A1001-NV-L"), QStringLiteral("C6002-GY")}},
        {"purchase orders by number from",
         "qelvobuyoseek.php",
         QStringLiteral("bran_no=A&link_pass=0000&kind=A&mbran=A&cbran=A&sb_no=O240310001&is_last=N"),
         {QStringLiteral("J4001-BE-M"), QStringLiteral("J4001-BE-L")}},
        {"wholesale shipments by date",
         "qelvobuyoseek.php",
         QStringLiteral("bran_no=A&link_pass=0000&kind=B&mbran=01&cbran=01&sdat=2024/03/01&edat=2024/03/31"),
         {QStringLiteral("B2002-KH-32")}},
        {"consignment shipments",
         "qelvobuyoseek.php",
         QStringLiteral("bran_no=A&link_pass=0000&kind=C&mbran=02&cbran=02&sdat=2024/04/01"),
         {QStringLiteral("K5001-BR-L")}},
        {"sales of one register",
         "qelvobuyoseek.php",
         QStringLiteral("bran_no=01&link_pass=1234&kind=D&mbran=01&cbran=01&mach_no=02&is_last=N"),
         {QStringLiteral("J4001-BK-M")}},
        {"last receipt of a register",
         "qelvobuyoseek.php",
         QStringLiteral("bran_no=01&link_pass=1234&kind=D&mbran=01&cbran=01&mach_no=01&is_last=Y"),
         {QStringLiteral("K5001-GY-S"), QStringLiteral("A1002-NV-L")}},
        {"last receipt within the dates",
         "qelvobuyoseek.php",
         QStringLiteral("bran_no=01&link_pass=1234&kind=D&mbran=01&cbran=01&mach_no=01&is_last=Y"
                        "&sdat=2024/04/01&edat=2024/04/01"),
         {QStringLiteral("C6002-BK")}},
        {"a store's receipts by supplier",
         "qelvobuyseek.php",
         QStringLiteral("bran_no=01&link_pass=1234&mbran=01&cbran=01&cust_no=S001&is_buyc=N"),
         {QStringLiteral("A1001-RD-S"), QStringLiteral("A1001-RD-M"), QStringLiteral("A1001-RD-L")}},
        {"a store's stock-takes by date",
         "qelvoinvi.php",
         QStringLiteral("bran_no=02&link_pass=5678&mbran=02&sdat=2024/04/01"),
         {QStringLiteral("J4001-BK-L"), QStringLiteral("K5001-GY-S")}},
        {"last receipt of another register",
         "qelvobuyoseek.php",
         QStringLiteral("bran_no=02&link_pass=5678&kind=D&mbran=02&cbran=02&mach_no=02&is_last=Y"),
         {QStringLiteral("A1001-NV-M")}},
        {"customer name contains",
         "qelvocust2seek.php",
         QStringLiteral("bran_no=A&link_pass=0000&cust_name=王&mcust=Y"),
         {QStringLiteral("C0001")}},
        {"customer code range",
         "qelvocust2seek.php",
         QStringLiteral("bran_no=A&link_pass=0000&scust=C0003&ecust=C0005&mcust=Y"),
         {QStringLiteral("C0003"), QStringLiteral("C0004"), QStringLiteral("C0005")}},
        {"telephone and mobile contain",
         "qelvocust2seek.php",
         QStringLiteral("bran_no=A&link_pass=0000&cust_tel=2771&mobile=345&mcust=Y"),
         {QStringLiteral("C0001")}},
        {"member type and branch",
         "qelvocust2seek.php",
         QStringLiteral("bran_no=A&link_pass=0000&club_no=V2&tbran=01&mcust=Y"),
         {QStringLiteral("C0002"), QStringLiteral("C0012"), QStringLiteral("C0013")}},
        {"registered between",
         "qelvocust2seek.php",
         QStringLiteral("bran_no=A&link_pass=0000&sdat=2024/03/01&edat=2024/04/30&mcust=Y"),
         {QStringLiteral("C0007"), QStringLiteral("C0008"), QStringLiteral("C0012")}},
        {"birthdays over the new year",
         "qelvocust2seek.php",
         QStringLiteral("bran_no=A&link_pass=0000&sborn=1201&eborn=1309&mcust=Y"),
         {QStringLiteral("C0001"), QStringLiteral("C0002"), QStringLiteral("C0005"), QStringLiteral("C0009")}},
        {"birthdays in January",
         "qelvocust2seek.php",
         QStringLiteral("bran_no=A&link_pass=0000&sborn=0101&eborn=0131&mcust=Y"),
         {QStringLiteral("C0002"), QStringLiteral("C0006")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Reply reply = post(c.script, c.conditions);
        EXPECT_TRUE(reply.wellFramed);
        EXPECT_EQ(column(reply, 1), c.codes);
    }
}

TEST_F(Backoffice, documentRowsCarryTheDocumentQuantity)
{
    const Reply stock = post("qelvoitemseek.php", QStringLiteral("bran_no=01&link_pass=1234&item1=A1003&isquan=Y"));
    EXPECT_EQ(column(stock, 0),
              (QStringList{QStringLiteral("3"), QStringLiteral("10"), QStringLiteral("8"), QStringLiteral("4")}));
    const Reply receipt =
        post("qelvobuyseek.php", QStringLiteral("bran_no=A&link_pass=0000&mbran=A&sb_no=P240301001&eb_no=P240301001"));
    EXPECT_EQ(column(receipt, 0),
              (QStringList{QStringLiteral("24"), QStringLiteral("24"), QStringLiteral("18"), QStringLiteral("12")}));
}

// Each filter keeps some of a store's documents of a kind and drops others: a
// strict, non-empty part of the records the store gets without it.
TEST_F(Backoffice, withinAStoreEachFilterNarrowsEveryKind)
{
    const struct {
        const char *login;
        const char *script;
        const char *kind; // of the documents the script serves
        const char *number;
        const char *date;
        const char *narrower; // a supplier or register condition, where the kind has one
    } cases[] = {
        {"bran_no=01&link_pass=1234", "qelvobuyseek.php", "", "P240315001", "2024/04/02", "&cust_no=S002"},
        {"bran_no=01&link_pass=1234", "qelvoinvi.php", "", "I240430002", "2024/02/29", nullptr},
        {"bran_no=01&link_pass=1234", "qelvoallotseek.php", "", "T240325001", "2024/04/25", nullptr},
        {"bran_no=01&link_pass=1234", "qelvobuyoseek.php", "&kind=A", "O240412001", "2024/02/22", nullptr},
        {"bran_no=01&link_pass=1234", "qelvobuyoseek.php", "&kind=B", "W240418001", "2024/03/22", nullptr},
        {"bran_no=01&link_pass=1234", "qelvobuyoseek.php", "&kind=C", "G240301001", "2024/04/16", nullptr},
        {"bran_no=01&link_pass=1234", "qelvobuyoseek.php", "&kind=D", "R01010003", "2024/04/01", "&mach_no=02"},
        {"bran_no=02&link_pass=5678", "qelvobuyseek.php", "", "P240318001", "2024/02/27", "&cust_no=S003"},
        {"bran_no=02&link_pass=5678", "qelvoinvi.php", "", "I240229002", "2024/03/31", nullptr},
        {"bran_no=02&link_pass=5678", "qelvoallotseek.php", "", "T240305001", "2024/04/08", nullptr},
        {"bran_no=02&link_pass=5678", "qelvobuyoseek.php", "&kind=A", "O240405001", "2024/03/20", nullptr},
        {"bran_no=02&link_pass=5678", "qelvobuyoseek.php", "&kind=B", "W240306001", "2024/04/26", nullptr},
        {"bran_no=02&link_pass=5678", "qelvobuyoseek.php", "&kind=C", "G240228001", "2024/04/10", nullptr},
        {"bran_no=02&link_pass=5678", "qelvobuyoseek.php", "&kind=D", "R02020001", "2024/04/02", "&mach_no=01"},
    };
    for (const auto &c : cases) {
        const QString all = QString::fromLatin1(c.login) + QString::fromLatin1(c.kind);
        const Reply whole = post(c.script, all);
        QStringList filters{QStringLiteral("&sb_no=%1&eb_no=%1").arg(QString::fromLatin1(c.number)),
                            QStringLiteral("&sdat=%1&edat=%1").arg(QString::fromLatin1(c.date))};
        if (c.narrower) {
            filters.append(QString::fromLatin1(c.narrower));
        }
        for (const QString &filter : filters) {
            SCOPED_TRACE(c.script + QString(all + filter).toStdString());
            const Reply part = post(c.script, all + filter);
            EXPECT_FALSE(part.records.isEmpty());
            EXPECT_LT(part.records.size(), whole.records.size());
            QList<QList<QByteArray>> left = whole.records;
            for (const QList<QByteArray> &record : part.records) {
                EXPECT_TRUE(left.removeOne(record)) << "a record the store does not get without the filter";
            }
        }
    }
}

TEST_F(Backoffice, nothingMatchingAnswersNoData)
{
    struct Case {
        const char *script;
        const char *conditions;
    } cases[] = {
        {"qelvoitemseek.php", "bran_no=A&link_pass=0000&item1=NONE"},
        {"qelvobuyseek.php", "bran_no=A&link_pass=0000&mbran=A&cbran=A&sdat=2030/01/01"},
        {"qelvoinvi.php", "bran_no=A&link_pass=0000&sb_no=X"},
        {"qelvoallotseek.php", "bran_no=A&link_pass=0000&mbran=02&cbran=02&edat=2024/01/01"},
        {"qelvobuyoseek.php", "bran_no=A&link_pass=0000&kind=A&mbran=01&cbran=01&sb_no=P"},
        {"qelvocust2seek.php", "bran_no=A&link_pass=0000&cust_name=%&mcust=Y"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.script);
        const RawReply raw = rawHttpPost(server_->port(), c.script, c.conditions);
        EXPECT_EQ(raw.body, "NoData\r\n");
    }
}
