#include "labelqueue/CountRule.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

CountRule rule(const CountRuleTexts &texts)
{
    const CountRuleParse parse = parseCountRule(texts);
    EXPECT_TRUE(parse.rule) << parse.problem.toStdString();
    return parse.rule.value_or(CountRule());
}

CountRuleTexts texts(const char *fixed, const char *factor, const char *spares, const char *percent,
                     const char *rounding, const char *minimum, const char *maximum, bool zeroToo = false)
{
    CountRuleTexts t;
    t.fixedCount = QLatin1String(fixed);
    t.factor = QLatin1String(factor);
    t.sparesPerRow = QLatin1String(spares);
    t.percent = QLatin1String(percent);
    t.rounding = QLatin1String(rounding);
    t.minimum = QLatin1String(minimum);
    t.maximum = QLatin1String(maximum);
    t.zeroRowsToo = zeroToo;
    return t;
}

} // namespace

TEST(CountRuleTest, rulesTurnEachKindOfCountIntoTheExpectedCount)
{
    using LeftAlone = CountRuleResult::LeftAlone;
    constexpr auto none = std::nullopt;
    const struct {
        const char *name;
        CountRuleTexts rule;
        std::optional<double> count;
        LeftAlone leftAlone;
        double expected;
    } cases[] = {
        {"no step keeps a whole count", texts("", "", "", "", "", "", ""), 3, LeftAlone::No, 3},
        {"no step rounds a half up", texts("", "", "", "", "", "", ""), 2.5, LeftAlone::No, 3},
        {"a half rounds down", texts("", "", "", "", "down", "", ""), 2.5, LeftAlone::No, 2},
        {"a half rounds to the nearest", texts("", "", "", "", "nearest", "", ""), 2.5, LeftAlone::No, 3},
        {"two tags a piece and two spares", texts("", "2", "2", "", "", "", ""), 5, LeftAlone::No, 12},
        {"five percent is rounded up to whole labels", texts("", "", "", "5", "", "", ""), 10, LeftAlone::No, 11},
        {"a percentage that comes out whole adds no extra label", texts("", "", "", "5", "", "", ""), 100,
         LeftAlone::No, 105},
        {"a decimal factor lands on a whole count", texts("", "1.1", "", "", "", "", ""), 10, LeftAlone::No, 11},
        {"spares and percentage of the multiplied count", texts("", "2", "1", "10", "", "", ""), 15, LeftAlone::No, 34},
        {"one per line of a stock-take", texts("1", "", "", "", "", "", ""), 37, LeftAlone::No, 1},
        {"a roll holds at most 100", texts("", "", "", "", "", "", "100"), 500, LeftAlone::No, 100},
        {"at least one label", texts("", "0.1", "", "", "down", "1", ""), 4, LeftAlone::No, 1},
        {"zero is left alone", texts("", "2", "1", "", "", "", ""), 0, LeftAlone::ZeroCount, 0},
        {"empty is left alone", texts("", "2", "1", "", "", "", ""), none, LeftAlone::EmptyCount, 0},
        {"zero too: an empty count counts as 0", texts("", "2", "1", "", "", "", "", true), none, LeftAlone::No, 1},
        {"zero too with a fixed base", texts("4", "", "", "", "", "", "", true), 0, LeftAlone::No, 4},
        {"a negative count is left alone", texts("", "2", "1", "", "", "1", ""), -3, LeftAlone::Negative, -5},
        {"a negative count under a fixed base gets the base", texts("2", "", "", "", "", "", ""), -3, LeftAlone::No, 2},
        {"a huge count stays huge for the width check", texts("", "1000", "", "", "", "", ""), 9999999.99,
         LeftAlone::No, 9999999990},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        const CountRuleResult result = applyCountRule(rule(row.rule), row.count);
        EXPECT_EQ(result.leftAlone, row.leftAlone);
        EXPECT_EQ(result.count, row.expected);
    }
}

TEST(CountRuleTest, badStepsAreRefusedNamingTheirField)
{
    using Field = CountRuleTexts::Field;
    const struct {
        const char *name;
        CountRuleTexts rule;
        Field field;
    } cases[] = {
        {"a factor that is no number", texts("", "abc", "", "", "", "", ""), Field::Factor},
        {"full-width digits", texts("", "", "２", "", "", "", ""), Field::Spares},
        {"a percentage with a comma", texts("", "", "", "1,5", "", "", ""), Field::Percent},
        {"half a spare", texts("", "", "0.5", "", "", "", ""), Field::Spares},
        {"a negative factor", texts("", "-2", "", "", "", "", ""), Field::Factor},
        {"an unknown rounding", texts("", "", "", "", "sideways", "", ""), Field::Rounding},
        {"a fixed count that is not whole", texts("1.5", "", "", "", "", "", ""), Field::Fixed},
        {"the least above the most", texts("", "", "", "", "", "12", "5"), Field::Minimum},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        const CountRuleParse parse = parseCountRule(row.rule);
        EXPECT_FALSE(parse.rule);
        EXPECT_EQ(parse.field, row.field);
        EXPECT_FALSE(parse.problem.isEmpty());
    }
}

TEST(CountRuleTest, aRuleWrittenAsTextsReadsBackTheSame)
{
    const CountRule typed = rule(texts("3", "1.5", "2", "7.5", "nearest", "1", "40", true));
    const CountRule read = rule(countRuleTexts(typed));
    EXPECT_EQ(read.fixedCount, typed.fixedCount);
    EXPECT_EQ(read.factor, typed.factor);
    EXPECT_EQ(read.sparesPerRow, typed.sparesPerRow);
    EXPECT_EQ(read.percent, typed.percent);
    EXPECT_EQ(read.rounding, typed.rounding);
    EXPECT_EQ(read.minimum, typed.minimum);
    EXPECT_EQ(read.maximum, typed.maximum);
    EXPECT_EQ(read.zeroRowsToo, typed.zeroRowsToo);
}
