#include "components/NumberText.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberText, generalTextKeepsFifteenDigitsWithoutTrailingZeros)
{
    struct Case {
        double value;
        const char *text;
    } cases[] = {
        {3, "3"},
        {2.5, "2.5"},
        {1200, "1200"},
        {0.1 + 0.2, "0.3"},
        {-4.75, "-4.75"},
        {123456789.12, "123456789.12"},
        {0.00005, "0.00005"},
        {8.3375315193120106e-05, "0.0000833753151931201"},
        {790.55, "790.55"},
        {123456789012345.0, "123456789012345"},
        {1234567890.123456789, "1234567890.12346"},
        {1e15, "1E15"},
        {-2.5e-6, "-2.5E-6"},
        {0, "0"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(generalNumberText(c.value), QByteArray(c.text));
    }
}

TEST(NumberText, groupedWholeTextRoundsHalvesAwayFromZero)
{
    struct Case {
        double value;
        const char *text;
    } cases[] = {
        {1234.5, "1,235"}, {999, "999"}, {1000, "1,000"}, {-1234567.5, "-1,234,568"},
        {0.4, "0"},        {2.5, "3"},   {-0.4, "0"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(groupedWholeNumberText(c.value), QByteArray(c.text));
    }
}

TEST(NumberText, groupedTextKeepsTheDecimalsOfTheGeneralText)
{
    struct Case {
        double value;
        const char *text;
    } cases[] = {
        {1780, "1,780"}, {1780.5, "1,780.5"}, {999, "999"}, {-1234567.25, "-1,234,567.25"},
        {0.5, "0.5"},    {1e15, "1E15"},      {0, "0"},     {100000, "100,000"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(groupedNumberText(c.value), QByteArray(c.text));
    }
}

} // namespace
