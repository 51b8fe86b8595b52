#include "components/IniText.h"

#include <gtest/gtest.h>

namespace {

// Blanks, mixed case, comments, LF and CR LF lines, a key outside any section,
// a repeated section and a repeated key: the text the lookups below run on.
const QByteArray hostile = "stray=outside\r\n"
                           "[Setting]\r\n"
                           "  Server = 192.168.1.10  \r\n"
                           ";Branch=commented\n"
                           "Branch=01\n"
                           "branch=02\r\n"
                           "Empty=\r\n"
                           "Spaced =   \r\n"
                           "NoEquals\r\n"
                           "\r\n"
                           "[ other ]\r\n"
                           "Server=wrong\r\n"
                           "[SETTING]\r\n"
                           "Server=second\r\n"
                           "Late=only-in-second\r\n"
                           "[SET] trailing\r\n"
                           "Name=\xb1\xf8\xbd\x58\r\n"
                           "Last=no line end";

} // namespace

TEST(IniText, lookupFollowsProfileRules)
{
    struct Case {
        const char *name;
        QByteArray section;
        QByteArray key;
        std::optional<QByteArray> expected;
    } cases[] = {
        {"blanks around key and value", "SETTING", "server", QByteArray("192.168.1.10")},
        {"first duplicate wins, comment skipped", "setting", "BRANCH", QByteArray("01")},
        {"present but empty", "SETTING", "Empty", QByteArray("")},
        {"only blanks after equals", "SETTING", "Spaced", QByteArray("")},
        {"line without equals is no key", "SETTING", "NoEquals", std::nullopt},
        {"key in repeated section found", "SETTING", "Late", QByteArray("only-in-second")},
        {"key before any section is in none", "SETTING", "stray", std::nullopt},
        {"blanks inside brackets", "OTHER", "server", QByteArray("wrong")},
        {"text after the bracket ignored", "set", "name", QByteArray("\xb1\xf8\xbd\x58")},
        {"last line without line end", "SET", "Last", QByteArray("no line end")},
        {"missing section", "NONE", "Server", std::nullopt},
        {"missing key", "SET", "Server", std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IniText::lookup(hostile, c.section, c.key), c.expected);
    }
}

TEST(IniText, namesFoldAsciiCaseButNotBig5TrailBytes)
{
    EXPECT_TRUE(IniText::sameName("barprint", "BARPRINT"));
    EXPECT_TRUE(IniText::sameName(" Fn1 ", "FN1"));
    // \xa4\x61 and \xa4\x41 are two different characters whose trail bytes are
    // the ASCII letters a and A.
    EXPECT_FALSE(IniText::sameName("\xa4\x61", "\xa4\x41"));
    EXPECT_TRUE(IniText::sameName("x\xa4\x61", "X\xa4\x61"));
}

TEST(IniText, longValueCutAtLimitButNeverInsideACharacter)
{
    const QByteArray ascii(3000, 'a');
    EXPECT_EQ(IniText::lookup("[S]\nK=" + ascii, "S", "K")->size(), IniText::MaxValueBytes);
    // Byte 2047 is the lead byte of a double-byte character.
    const QByteArray big5 = QByteArray(2046, 'a') + "\xb1\xf8" + "tail";
    EXPECT_EQ(*IniText::lookup("[S]\nK=" + big5, "S", "K"), QByteArray(2046, 'a'));
}

TEST(IniText, assignChangesOnlyTheValueAndKeepsEveryOtherByte)
{
    struct Case {
        const char *name;
        QByteArray before;
        QByteArray section;
        QByteArray key;
        QByteArray value;
        QByteArray after;
    } cases[] = {
        {"new file", "", "SET", "CHK1", "1", "[SET]\r\nCHK1=1\r\n"},
        {"existing key keeps its spelling, blanks and line end", "[Set]\n  chk1 =  0  \n[X]\r\n", "SET", "CHK1", "1",
         "[Set]\n  chk1 =  1\n[X]\r\n"},
        {"first duplicate replaced", "[S]\r\nK=a\r\nK=b\r\n", "S", "k", "c", "[S]\r\nK=c\r\nK=b\r\n"},
        {"empty value replaced", "[S]\r\nK=\r\nL=2\r\n", "S", "K", "v", "[S]\r\nK=v\r\nL=2\r\n"},
        {"new key after the section's last line, before blank lines", "[S]\r\nA=1\r\n\r\n[T]\r\nB=2\r\n", "s", "C", "3",
         "[S]\r\nA=1\r\nC=3\r\n\r\n[T]\r\nB=2\r\n"},
        {"new key in the first of repeated sections", "[S]\r\nA=1\r\n[T]\r\n[S]\r\nB=2\r\n", "S", "C", "3",
         "[S]\r\nA=1\r\nC=3\r\n[T]\r\n[S]\r\nB=2\r\n"},
        {"new key after a last line without line end", "[S]\r\nA=1", "S", "B", "2", "[S]\r\nA=1\r\nB=2\r\n"},
        {"new section at the end", "; note\n[S]\nA=1\n", "barprint", "FN1", "/opt/label/run",
         "; note\n[S]\nA=1\n[barprint]\r\nFN1=/opt/label/run\r\n"},
        {"new section after a text without line end", "[S]\r\nA=1", "T", "B", "", "[S]\r\nA=1\r\n[T]\r\nB=\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(IniText::entryProblem(c.section, c.key, c.value).isEmpty());
        const QByteArray after = IniText::assign(c.before, c.section, c.key, c.value);
        EXPECT_EQ(after, c.after);
        EXPECT_EQ(IniText::lookup(after, c.section, c.key), c.value);
    }
}

TEST(IniText, refusesEntriesThatWouldNotReadBack)
{
    struct Case {
        const char *name;
        QByteArray section;
        QByteArray key;
        QByteArray value;
    } cases[] = {
        {"line break in value", "S", "K", "a\r\n[S]\r\nK=b"},
        {"line feed in key", "S", "K\nL", "v"},
        {"line break in section", "S\r\nX", "K", "v"},
        {"equals in key", "S", "K=L", "v"},
        {"key reads as section", "S", "[K]", "v"},
        {"key reads as comment", "S", ";K", "v"},
        {"blank key", "S", " ", "v"},
        {"blank section", " ", "K", "v"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(IniText::entryProblem(c.section, c.key, c.value).isEmpty());
    }
}
