#include "backoffice/BackofficeFixture.h"

namespace {

const QString kBlackTeeM = QStringLiteral("bran_no=%1&link_pass=%2&sitem=A1001-BK-M&eitem=A1001-BK-M");

} // namespace

TEST_F(Backoffice, productRecordHoldsTheThirtySevenFieldsInOrder)
{
    const Reply reply = post("qelvoitemseek.php", kBlackTeeM.arg(QStringLiteral("01"), QStringLiteral("1234")) +
                                                      QStringLiteral("&c14=&c14a=&s14=&s14a="));
    ASSERT_TRUE(reply.wellFramed);
    ASSERT_EQ(reply.records.size(), 1);
    const QList<QByteArray> &record = reply.records.first();
    ASSERT_EQ(record.size(), 37);
    QStringList values;
    for (const QByteArray &value : record) {
        values.append(Big5::decode(value));
    }
    const QStringList expected = {
        QStringLiteral("1"),             // QUAN
        QStringLiteral("A1001-BK-M"),    // ITEM_NO
        QStringLiteral("4712345000060"), // BARCODE
        QStringLiteral("棉質圓領T恤"),   // ITEM_NAME
        QStringLiteral("黑色"),          // COLOR
        QStringLiteral("M"),             // SIZES
        QStringLiteral("件"),            // UNIT
        QStringLiteral("590"),           // PRICE
        QStringLiteral("490"),           // MEMBER
        QStringLiteral("S001"),          // SUPP_NO
        QStringLiteral("宏織紡織"),      // CUST_ABBR
        QStringLiteral("A1001"),         // ITEM1
        QStringLiteral("春季新品"),      // NOTES
        QStringLiteral("03/01"),         // BUYDAT
        QStringLiteral("2024/03/01"),    // BUYDAT1
        QStringLiteral("20240301"),      // BUYDAT2
        QString(),                       // C_ITEM
        QString(),                       // S_ITEM
        QStringLiteral("薇瑪"),          // KIND_NAME
        QStringLiteral("上衣"),          // CATE_NAME
        QStringLiteral("表布：棉100%"),  // NOTEA1
        QStringLiteral("羅紋：棉95% 彈性纖維5%"),
        QStringLiteral("洗滌：30度以下溫水手洗"),
        QStringLiteral("不可漂白"),
        QStringLiteral("陰乾，避免曝曬"),
        QStringLiteral("低溫熨燙"),
        QStringLiteral("深淺色衣物分開洗滌"),
        QStringLiteral("產地：台灣"),
        QString(),
        QString(),                              // NOTEA10
        QStringLiteral("650"),                  // LPRICE
        QStringLiteral("350"),                  // CASH1
        QStringLiteral("Black"),                // ENG_COLOR
        QStringLiteral("Cotton Crew-neck Tee"), // ENG_NAME
        QStringLiteral("HZ-T2301"),             // SUPP_INO
        QStringLiteral("宏織紡織股份有限公司"), // SUPP_NAME
        QStringLiteral("1"),                    // UNIT_Q
    };
    EXPECT_EQ(values, expected);
}

TEST_F(Backoffice, pricesAreThoseOfTheBranchSentAsBranNo)
{
    struct Case {
        const char *branch;
        const char *password;
        const char *price;
        const char *special;
    } cases[] = {
        {"A", "0000", "590", "490"},
        {"01", "1234", "590", "490"},
        {"02", "5678", "590", "450"},
        {"02", "0000", "590", "450"}, // head office importing with a store's prices
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.branch) + "/" + c.password);
        const Reply reply =
            post("qelvoitemseek.php", kBlackTeeM.arg(QString::fromUtf8(c.branch), QString::fromUtf8(c.password)));
        ASSERT_EQ(reply.records.size(), 1);
        EXPECT_EQ(reply.records[0][7], c.price);
        EXPECT_EQ(reply.records[0][8], c.special);
    }
    const Reply byBarcode =
        post("qelvoitemseek.php", QStringLiteral("bran_no=02&link_pass=5678&barcode=4712345000046"));
    ASSERT_EQ(byBarcode.records.size(), 1);
    EXPECT_EQ(byBarcode.records[0][1], "A1001-WH-XL");
}

TEST_F(Backoffice, colourAndSizeGroupsExpandAsRequested)
{
    struct Case {
        const char *name;
        QString keys;
        QString colours;
        QString sizes;
    } cases[] = {
        {"no expansion", QStringLiteral("&c14=&c14a=&s14=&s14a="), QString(), QString()},
        {"group colours", QStringLiteral("&c14=Y&c14a=/&s14=&s14a="), QStringLiteral("白色/黑色/深藍/紅色"), QString()},
        {"own colour first", QStringLiteral("&c14=C&c14a=/&s14=&s14a="), QStringLiteral("黑色(白色/黑色/深藍/紅色)"),
         QString()},
        {"group sizes, + taken literally", QStringLiteral("&c14=&c14a=&s14=Y&s14a=+"), QString(),
         QStringLiteral("S+M+L+XL")},
        {"own size first, % taken literally", QStringLiteral("&c14=&c14a=&s14=C&s14a=%20"), QString(),
         QStringLiteral("M(S%20M%20L%20XL)")},
        {"Big5 separator", QStringLiteral("&c14=Y&c14a=、&s14=Y&s14a="), QStringLiteral("白色、黑色、深藍、紅色"),
         QStringLiteral("SMLXL")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Reply reply =
            post("qelvoitemseek.php", kBlackTeeM.arg(QStringLiteral("01"), QStringLiteral("1234")) + c.keys);
        ASSERT_EQ(reply.records.size(), 1);
        EXPECT_EQ(Big5::decode(reply.records[0][16]), c.colours);
        EXPECT_EQ(Big5::decode(reply.records[0][17]), c.sizes);
    }

    // Document scripts expand the same way.
    const Reply transfer =
        post("qelvoallotseek.php", QStringLiteral("bran_no=01&link_pass=1234&mbran=01&cbran=01&sb_no=T240320001"
                                                  "&eb_no=T240320001&s14=Y&s14a=/"));
    ASSERT_EQ(transfer.records.size(), 1);
    EXPECT_EQ(Big5::decode(transfer.records[0][17]), QStringLiteral("28/30/32/34"));

    const Reply refused = post("qelvoitemseek.php",
                               kBlackTeeM.arg(QStringLiteral("01"), QStringLiteral("1234")) + QStringLiteral("&c14=X"));
    EXPECT_EQ(refused.status, QStringLiteral("展開參數錯誤 : c14=X"));
}

TEST_F(Backoffice, customerRecordHoldsTwelveLinesWithTheBarcodeLast)
{
    struct Case {
        const char *name;
        QString conditions;
        QString barcode;
    } cases[] = {
        {"barcode from the customer code", QStringLiteral("&scust=C0001&ecust=C0001&mcust=Y"), QStringLiteral("C0001")},
        {"barcode from the card number", QStringLiteral("&scust=C0001&ecust=C0001&mcust=N"), QStringLiteral("M000101")},
        {"no card, no barcode", QStringLiteral("&scust=C0010&ecust=C0010&mcust=N"), QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Reply reply = post("qelvocust2seek.php", QStringLiteral("bran_no=A&link_pass=0000") + c.conditions);
        ASSERT_TRUE(reply.wellFramed);
        ASSERT_EQ(reply.records.size(), 1);
        ASSERT_EQ(reply.records[0].size(), 12);
        EXPECT_EQ(Big5::decode(reply.records[0][11]), c.barcode);
    }
    const Reply reply = post("qelvocust2seek.php", QStringLiteral("bran_no=A&link_pass=0000&scust=C0002&ecust=C0002"));
    ASSERT_EQ(reply.records.size(), 1);
    QStringList values;
    for (const QByteArray &value : reply.records[0]) {
        values.append(Big5::decode(value));
    }
    EXPECT_EQ(values, (QStringList{QStringLiteral("1"), QStringLiteral("C0002"), QStringLiteral("林美玲"),
                                   QStringLiteral("晶華科技股份有限公司"), QStringLiteral("02-2751-8899"),
                                   QStringLiteral("0928-111-222"), QStringLiteral("V2"), QStringLiteral("金卡會員"),
                                   QStringLiteral("110"), QStringLiteral("台北市信義區松仁路100號12樓"),
                                   QStringLiteral("M000102"), QStringLiteral("C0002")}));
}
