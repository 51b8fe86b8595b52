#include "components/Big5.h"

#include <gtest/gtest.h>

TEST(Big5, roundTripsChineseAndAscii)
{
    const QString text = QStringLiteral("條碼列印作業(Velmar) 123");
    const Big5::Encoding encoded = Big5::encode(text);
    ASSERT_TRUE(encoded.ok());
    EXPECT_EQ(encoded.bytes.left(4), QByteArray("\xb1\xf8\xbd\x58"));
    EXPECT_EQ(encoded.bytes.size(), 6 * 2 + 12);
    EXPECT_EQ(Big5::decode(encoded.bytes), text);
}

TEST(Big5, reportsFirstCharacterItCannotHold)
{
    struct Case {
        const char *name;
        QString text;
        qsizetype badIndex;
        QString badCharacter;
    } cases[] = {
        {"simplified", QStringLiteral("条码"), 0, QStringLiteral("条")},
        {"after good text", QStringLiteral("AB條碼é"), 4, QStringLiteral("é")},
        {"emoji pair", QStringLiteral("x😀y"), 1, QStringLiteral("😀")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Big5::Encoding encoded = Big5::encode(c.text);
        EXPECT_FALSE(encoded.ok());
        EXPECT_TRUE(encoded.bytes.isEmpty());
        EXPECT_EQ(encoded.badIndex, c.badIndex);
        EXPECT_EQ(encoded.badCharacter, c.badCharacter);
        EXPECT_TRUE(encoded.errorText().contains(c.badCharacter));
        EXPECT_FALSE(Big5::canEncode(c.text));
    }
}

TEST(Big5, decodeMarksEachBadByteAndKeepsTheRest)
{
    // A lone lead byte at the end and an undefined pair in the middle.
    EXPECT_EQ(Big5::decode(QByteArray("A\xff"
                                      "B\xb1")),
              QStringLiteral("A\uFFFDB\uFFFD"));
    EXPECT_EQ(Big5::decode(QByteArray()), QString());
    EXPECT_EQ(Big5::fromUtf8Literal("密碼錯誤"), Big5::encode(QStringLiteral("密碼錯誤")).bytes);
}
