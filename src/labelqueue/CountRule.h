#pragma once

#include <QString>

#include <optional>

// How a rule turns a row's label count into the count it prints. The steps
// run in this order, each left out by its neutral value: the base (the row's
// count, or a fixed number for every row), times the factor, plus the spares
// and the percentage of the count so far (rounded up to whole labels), the
// rounding of a count that is not whole, then the least and the most a row
// gets. Rows whose count is 0 or empty are left alone unless zeroRowsToo
// (an empty count then counts as 0); a result below 0 is never written.
struct CountRule {
    enum class Rounding { Up, Down, Nearest };

    std::optional<double> fixedCount; // the base: empty keeps the row's count
    double factor = 1;
    double sparesPerRow = 0;
    double percent = 0;
    Rounding rounding = Rounding::Up;
    std::optional<double> minimum;
    std::optional<double> maximum;
    bool zeroRowsToo = false;
};

// What a rule makes of one row's count: the new count, or why the row keeps its own.
struct CountRuleResult {
    enum class LeftAlone { No, ZeroCount, EmptyCount, Negative };

    LeftAlone leftAlone = LeftAlone::No;
    double count = 0; // the new count, or the negative result that was not written

    bool applies() const { return leftAlone == LeftAlone::No; }
};

CountRuleResult applyCountRule(const CountRule &rule, std::optional<double> count);

// "張數為 0", "張數空白", "結果為負數（-3）".
QString leftAloneReason(const CountRuleResult &result);

// The rule's steps as typed (the dialog's fields, the command's options, the
// stored rule's keys). An empty text leaves its step out.
struct CountRuleTexts {
    enum class Field { Fixed, Factor, Spares, Percent, Rounding, Minimum, Maximum };

    QString fixedCount;
    QString factor;
    QString sparesPerRow;
    QString percent;
    QString rounding; // "up", "down" or "nearest"; empty is up
    QString minimum;
    QString maximum;
    bool zeroRowsToo = false;
};

// A rule read from texts, or the field that is wrong and why.
struct CountRuleParse {
    std::optional<CountRule> rule;
    CountRuleTexts::Field field = CountRuleTexts::Field::Fixed;
    QString problem; // "不是 0 以上的整數：「abc」"
};

CountRuleParse parseCountRule(const CountRuleTexts &texts);
// The texts that parse back to rule.
CountRuleTexts countRuleTexts(const CountRule &rule);
// How the windows name a field: "每筆加".
QString countRuleFieldTitle(CountRuleTexts::Field field);
