#include "components/DecimalText.h"

#include <gtest/gtest.h>

TEST(DecimalText, parseTakesWhatTheRepliesWriteAndNothingElse)
{
    struct Case {
        const char *text;
        std::optional<double> expected;
    } cases[] = {
        {"3", 3},
        {"-2.5", -2.5},
        {"+7", 7},
        {" 12 ", 12},
        {".5", 0.5},
        {"5.", 5},
        {"1.5E3", 1500},
        {"2e-2", 0.02},
        {"0", 0},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"1,200", std::nullopt},
        {"2,5", std::nullopt},
        {"0x1F", std::nullopt},
        {"INF", std::nullopt},
        {"NAN", std::nullopt},
        {"1e", std::nullopt},
        {"1e400", std::nullopt},
        {"-", std::nullopt},
        {".", std::nullopt},
        {"12abc", std::nullopt},
        {"1 2", std::nullopt},
        {"\t3", std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DecimalText::parse(c.text), c.expected);
    }
}

TEST(DecimalText, roundedFixedRoundsTheDecimalTextHalvesAwayFromZero)
{
    struct Case {
        double value;
        int decimals;
        const char *expected;
    } cases[] = {
        {99.995, 2, "100.00"},
        {1.005, 2, "1.01"}, // the double is 1.00499999999999989...
        {-1.005, 2, "-1.01"},
        {9.995, 2, "10.00"},
        {123456789.125, 2, "123456789.13"},
        {2.5, 0, "3"},
        {-2.5, 0, "-3"},
        {0.5, 0, "1"},
        {0.05, 0, "0"},
        {0.005, 2, "0.01"},
        {0.004, 2, "0.00"},
        {-0.004, 2, "0.00"},
        {-0.0, 2, "0.00"},
        {0, 0, "0"},
        {1e-7, 2, "0.00"},
        {12, 2, "12.00"},
        {-3.25, 1, "-3.3"},
        {0.125, 5, "0.12500"},
        {1e20, 0, "100000000000000000000"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " with " << c.decimals << " decimals");
        char out[64];
        const int length = DecimalText::roundedFixed(c.value, c.decimals, out, int(sizeof out));
        EXPECT_EQ(std::string(out, size_t(length)), c.expected);
    }
    char small[6];
    EXPECT_EQ(DecimalText::roundedFixed(99.995, 2, small, 6), 6);
    EXPECT_EQ(DecimalText::roundedFixed(999.995, 2, small, 6), 0);
    EXPECT_EQ(DecimalText::roundedFixed(1e300, 2, small, 6), 0);
}
