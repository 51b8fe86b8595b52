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
