#include "components/TextHelpers.h"

#include <climits>
#include <gtest/gtest.h>

TEST(TextHelpers, padTextAlignsByBytesAndCutsFromTheStart)
{
    // 條碼 in Big5: four bytes.
    const QByteArray chinese("\xb1\xf8\xbd\x58");
    struct Case {
        const char *name;
        QByteArray text;
        int width;
        QByteArray expected;
    } cases[] = {
        {"left aligned", "AB", 5, "AB   "},
        {"right aligned", "AB", -5, "   AB"},
        {"cut, positive", "ABCDEF", 3, "ABC"},
        {"cut, negative", "ABCDEF", -3, "ABC"},
        {"exact width", "ABC", 3, "ABC"},
        {"zero width", "ABC", 0, ""},
        {"empty text", "", -2, "  "},
        {"double-byte counts two", chinese, 6, chinese + "  "},
        {"cut inside a double-byte character", chinese, 3, "\xb1\xf8\xbd"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PadText(c.text, c.width), c.expected);
    }
}

TEST(TextHelpers, zeroPadNeverCutsAndPutsZerosBeforeTheSign)
{
    struct Case {
        int width;
        qint64 value;
        QByteArray expected;
    } cases[] = {
        {2, 7, "07"},
        {2, 123, "123"},
        {4, -5, "00-5"},
        {0, 0, "0"},
        {-3, 42, "42"},
        {12, 4294967296LL, "004294967296"},
        {1, LLONG_MIN, "-9223372036854775808"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected.constData());
        EXPECT_EQ(ZeroPad(c.width, c.value), c.expected);
    }
}

TEST(TextHelpers, repeatTextIsEmptyForNoCount)
{
    EXPECT_EQ(RepeatText("ab", 3), "ababab");
    EXPECT_EQ(RepeatText("ab", 0), "");
    EXPECT_EQ(RepeatText("ab", -2), "");
}

TEST(TextHelpers, datesAsDigitsAndSlashedText)
{
    struct Case {
        QDate date;
        QByteArray digits;
        QByteArray slashed;
    } cases[] = {
        {QDate(2009, 10, 22), "20091022", "2009/10/22"},
        {QDate(2010, 3, 1), "20100301", "2010/03/01"},
        {QDate(987, 1, 9), "09870109", "0987/01/09"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.digits.constData());
        EXPECT_EQ(DateToDigits(c.date), c.digits);
        EXPECT_EQ(DateToSlashedText(c.date), c.slashed);
    }
}
