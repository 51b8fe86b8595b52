#include "labelqueue/LabelTextRules.h"

#include "components/TextHelpers.h"

#include <gtest/gtest.h>

using LabelTextRules::Layout;

TEST(LabelTextRules, valuesFollowTheLayout)
{
    // 長褲 in Big5, four bytes.
    const QByteArray trousers("\xaa\xf8\xbf\xc7");
    struct Case {
        const char *name;
        QByteArray value;
        int width;
        Layout layout;
        QByteArray expected;
    } cases[] = {
        {"comma keeps the value whole", "A,B", 2, Layout::Comma, "A,B,"},
        {"fixed pads", "A0001", 8, Layout::FixedWidth, "A0001   "},
        {"fixed cuts", "ABCDEFGHIJ", 4, Layout::FixedWidth, "ABCD"},
        {"fixed counts bytes", trousers, 6, Layout::FixedWidth, trousers + "  "},
        {"fixed may cut a character", trousers, 3, Layout::FixedWidth, trousers.left(3)},
        {"fixed empty value", "", 8, Layout::FixedWidth, "        "},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray line(">");
        LabelTextRules::appendValue(line, c.value, c.width, c.layout);
        EXPECT_EQ(line, ">" + c.expected);
        if (c.layout == Layout::FixedWidth) {
            EXPECT_EQ(c.expected, PadText(c.value, c.width));
        }
    }
}

TEST(LabelTextRules, customTextIsCutToFortyBytesAndNeverPadded)
{
    const QByteArray fortyOne(41, 'x');
    QByteArray line;
    LabelTextRules::appendCustomText(line, "#NT", Layout::FixedWidth);
    EXPECT_EQ(line, "NT");
    line.clear();
    LabelTextRules::appendCustomText(line, "#NT", Layout::Comma);
    EXPECT_EQ(line, "NT,");
    line.clear();
    LabelTextRules::appendCustomText(line, QByteArray("#" + fortyOne), Layout::Comma);
    EXPECT_EQ(line, fortyOne.left(40) + ",");
}

TEST(LabelTextRules, labelCountRoundsHalfToEven)
{
    struct Case {
        std::optional<double> quantity;
        qint64 expected;
    } cases[] = {
        {2.5, 2}, {3.5, 4}, {0.5, 0}, {1.5, 2}, {2.4, 2}, {2.6, 3}, {0, 0}, {-3, 0}, {std::nullopt, 0}, {7, 7},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.quantity.value_or(-99));
        EXPECT_EQ(LabelTextRules::labelCount(c.quantity, true), c.expected);
        EXPECT_EQ(LabelTextRules::labelCount(c.quantity, false), 1);
    }
    EXPECT_EQ(LabelTextRules::quantityText(2.5, false), "2.5");
    EXPECT_EQ(LabelTextRules::quantityText(2.5, true), "1");
    EXPECT_EQ(LabelTextRules::quantityText(std::nullopt, false), "");
}
