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

TEST(Big5, userDefinedAreasMapAsCodePage950AndRoundTrip)
{
    struct Case {
        const char *name;
        QByteArray bytes;
        char16_t unit; // 0: a common character outside the private use area
    } cases[] = {
        {"FA40 first of FA-FE", "\xfa\x40", 0xE000}, {"FA7E then FAA1 follow on", "\xfa\xa1", 0xE03F},
        {"FEFE last of FA-FE", "\xfe\xfe", 0xE310},  {"8E40 first of 8E-A0", "\x8e\x40", 0xE311},
        {"A0FE last of 8E-A0", "\xa0\xfe", 0xEEB7},  {"8140 first of 81-8D", "\x81\x40", 0xEEB8},
        {"8DFE last of 81-8D", "\x8d\xfe", 0xF6B0},  {"C6A1 first of C6-C8", "\xc6\xa1", 0xF6B1},
        {"C8FE last of C6-C8", "\xc8\xfe", 0xF848},  {"C67E just before C6A1", "\xc6\x7e", 0},
        {"C940 just after C8FE", "\xc9\x40", 0},     {"F9FE just before FA40", "\xf9\xfe", 0},
        {"A140 just after A0FE", "\xa1\x40", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString text = Big5::decode(c.bytes);
        ASSERT_EQ(text.size(), 1);
        const char16_t unit = text.at(0).unicode();
        if (c.unit) {
            EXPECT_EQ(unit, c.unit);
        } else {
            EXPECT_TRUE(unit < 0xE000 || unit > 0xF8FF) << std::hex << unit;
            EXPECT_NE(unit, 0xFFFD);
        }
        const QString inName = QStringLiteral("王") + text + QStringLiteral("明");
        const Big5::Encoding encoded = Big5::encode(inName);
        ASSERT_TRUE(encoded.ok()) << qPrintable(encoded.errorText());
        EXPECT_EQ(encoded.bytes,
                  Big5::encode(QStringLiteral("王")).bytes + c.bytes + Big5::encode(QStringLiteral("明")).bytes);
        EXPECT_EQ(Big5::decode(encoded.bytes), inName);
    }
}

TEST(Big5, outsideTheUserDefinedAreasStaysUnmapped)
{
    // A bad trail byte after a user-area lead byte, and private use
    // characters just past the areas.
    EXPECT_EQ(Big5::decode(QByteArray("\xfa\x30")), QStringLiteral("\uFFFD0"));
    EXPECT_EQ(Big5::decode(QByteArray("\xfa\x7f")), QStringLiteral("\uFFFD\x7f"));
    EXPECT_FALSE(Big5::canEncode(QStringView(u"\uF849")));
    EXPECT_FALSE(Big5::canEncode(QString(QChar(0xDFFF))));
    EXPECT_EQ(Big5::encode(QStringView(u"a\uE000\uF849")).badIndex, 2);
}
