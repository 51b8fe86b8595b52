#include "components/FloatText.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// Tables write a blank as a middle dot so the columns can be read.
QString dots(const char *text)
{
    return QString::fromUtf8(text).replace(u'·', u' ');
}

std::string str(const QString &text)
{
    return text.toStdString();
}

} // namespace

TEST(FloatText, layoutsOfANumber)
{
    struct Case {
        int intNum;
        int decNum;
        double number;
        const char *grouped;
        const char *plain;
    } cases[] = {
        {6, 2, 1234.5, "···1,234.50", "···1234.50"},
        {6, 2, -1234.5, "··-1,234.50", "··-1234.50"},
        {6, 0, 0, "·······0", "······0"},
        {3, 0, 5, "···5", "···5"},
        {3, 0, 123, "·123", "·123"},
        {3, 0, -123, "-123", "·***"},
        {3, 2, 1234, "1,234.00", "·***.00"},
        {9, 0, 1234567, "···1,234,567", "···1234567"},
        {6, 2, -0.001, "·······0.00", "······0.00"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1/%2 %3").arg(c.intNum).arg(c.decNum).arg(c.number).toStdString());
        EXPECT_EQ(str(FloatText::grouped(c.number, c.intNum, c.decNum)), str(dots(c.grouped)));
        EXPECT_EQ(str(FloatText::plain(c.number, c.intNum, c.decNum)), str(dots(c.plain)));
    }
}

TEST(FloatText, editingLayoutOfTypedText)
{
    struct Case {
        const char *name;
        int intNum;
        int decNum;
        const char *text;
        const char *expected;
    } cases[] = {
        {"empty", 6, 2, "", "······.00"},
        {"digits beyond the slot drop", 3, 0, "1234", "123"},
        {"no point: slot then decimals", 6, 2, "12345678", "123456.78"},
        {"integer part never shortened", 3, 2, "1234.5", "1234.50"},
        {"inner blanks and commas go", 6, 2, "·1·2,3.4", "123···.40"},
        {"decimals cut to the field", 6, 2, "1.2345", "1·····.23"},
        {"lone sign", 3, 0, "-", "-··"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(str(FloatText::editing(dots(c.text), c.intNum, c.decNum)), str(dots(c.expected)));
    }
}

TEST(FloatText, parseReadsOnlyWholeNumbers)
{
    struct Case {
        const char *text;
        double expected;
    } cases[] = {
        {"", 0},
        {"······.00", 0},
        {"-··", 0},
        {"-", 0},
        {"1·2", 0},
        {"abc", 0},
        {"1e5", 0},
        {"1234··.50", 1234.5},
        {"··-1,234.50", -1234.5},
        {"-5·", -5},
        {"-·····.50", -0.5},
        {"12.123456789012", 12.123456789},
        {"99999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
         "99999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
         "99999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
         "9999",
         0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FloatText::parse(dots(c.text)), c.expected);
    }
}

TEST(FloatText, cutDecidesOnTheWholeDroppedPart)
{
    struct Case {
        const char *name;
        double x;
        int decNum;
        CutMode mode;
        double expected;
    } cases[] = {
        {"half rounds up", 2.5, 0, CutMode::Rounding, 3},
        {"half gets up", 2.5, 0, CutMode::Getting, 3},
        {"half cuts down", 2.5, 0, CutMode::Cutting, 2},
        {"carry into integer", 0.996, 2, CutMode::Rounding, 1.0},
        {"negative rounds away from zero", -3.6, 0, CutMode::Rounding, -4},
        {"negative gets away from zero", -2.1, 0, CutMode::Getting, -3},
        {"negative cuts toward zero", -2.59, 1, CutMode::Cutting, -2.5},
        {"carry to a new digit", 999.5, 0, CutMode::Rounding, 1000},
        // A single dropped digit must not decide alone.
        {"just under half stays down", 2.4449, 2, CutMode::Rounding, 2.44},
        {"any remainder gets up", 2.0001, 2, CutMode::Getting, 2.01},
        {"decimal half, binary just under", 2.675, 2, CutMode::Rounding, 2.68},
        {"nothing dropped", 1.5, 2, CutMode::Getting, 1.5},
        {"tiny negative is zero", -0.001, 2, CutMode::Rounding, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const double cut = FloatText::cut(c.x, c.decNum, c.mode);
        EXPECT_EQ(cut, c.expected);
        EXPECT_FALSE(std::signbit(cut) && cut == 0.0);
    }
}
