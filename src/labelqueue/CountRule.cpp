#include "labelqueue/CountRule.h"

#include "components/DecimalText.h"
#include "components/NumberText.h"

#include <algorithm>
#include <cmath>

namespace {

using Field = CountRuleTexts::Field;

// Decimal steps land a hair off whole numbers (1.1 × 10 is 11.000000000000002,
// which rounded up would be 12): a count is taken at six decimals before it is rounded.
double settled(double value)
{
    return std::abs(value) < 1e12 ? std::round(value * 1e6) / 1e6 : value;
}

double rounded(double value, CountRule::Rounding rounding)
{
    switch (rounding) {
    case CountRule::Rounding::Down:
        return std::floor(value);
    case CountRule::Rounding::Nearest:
        return std::floor(value + 0.5);
    case CountRule::Rounding::Up:
        break;
    }
    return std::ceil(value);
}

enum class Kind { AnyNumber, WholeNumber };

// Fills value from text, or says what is wrong with it; empty text keeps value.
QString readNumber(const QString &text, Kind kind, double &value)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        return QString();
    }
    const bool ascii = std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) { return c.unicode() < 128; });
    const std::optional<double> number = ascii ? DecimalText::parse(trimmed.toLatin1()) : std::nullopt;
    if (!number) {
        return QStringLiteral("不是數字：「%1」").arg(trimmed);
    }
    if (*number < 0 || (kind == Kind::WholeNumber && *number != std::floor(*number))) {
        return kind == Kind::WholeNumber ? QStringLiteral("要是 0 以上的整數，不是 %1").arg(trimmed)
                                         : QStringLiteral("要是 0 以上的數字，不是 %1").arg(trimmed);
    }
    value = *number;
    return QString();
}

const struct {
    CountRule::Rounding rounding;
    const char *text;
} roundingTexts[] = {
    {CountRule::Rounding::Up, "up"},
    {CountRule::Rounding::Down, "down"},
    {CountRule::Rounding::Nearest, "nearest"},
};

} // namespace

CountRuleResult applyCountRule(const CountRule &rule, std::optional<double> count)
{
    CountRuleResult result;
    if ((!count || *count == 0) && !rule.zeroRowsToo) {
        result.leftAlone = count ? CountRuleResult::LeftAlone::ZeroCount : CountRuleResult::LeftAlone::EmptyCount;
        return result;
    }
    double value = settled(rule.fixedCount.value_or(count.value_or(0)) * rule.factor);
    value = settled(value + rule.sparesPerRow + std::ceil(settled(value * rule.percent / 100)));
    value = rounded(value, rule.rounding);
    if (value < 0) {
        result.leftAlone = CountRuleResult::LeftAlone::Negative;
        result.count = value;
        return result;
    }
    if (rule.minimum) {
        value = std::max(value, *rule.minimum);
    }
    if (rule.maximum) {
        value = std::min(value, *rule.maximum);
    }
    result.count = value + 0.0; // never -0
    return result;
}

QString leftAloneReason(const CountRuleResult &result)
{
    switch (result.leftAlone) {
    case CountRuleResult::LeftAlone::ZeroCount:
        return QStringLiteral("張數為 0");
    case CountRuleResult::LeftAlone::EmptyCount:
        return QStringLiteral("張數空白");
    case CountRuleResult::LeftAlone::Negative:
        return QStringLiteral("結果為負數（%1）").arg(QString::fromLatin1(generalNumberText(result.count)));
    case CountRuleResult::LeftAlone::No:
        break;
    }
    return QString();
}

CountRuleParse parseCountRule(const CountRuleTexts &texts)
{
    CountRuleParse parse;
    CountRule rule;
    rule.zeroRowsToo = texts.zeroRowsToo;
    const auto wrong = [&parse](Field field, const QString &problem) {
        parse.field = field;
        parse.problem = problem;
        return parse;
    };
    double fixed = -1;
    double minimum = -1;
    double maximum = -1;
    const struct {
        Field field;
        const QString &text;
        Kind kind;
        double &value;
    } numbers[] = {
        {Field::Fixed, texts.fixedCount, Kind::WholeNumber, fixed},
        {Field::Factor, texts.factor, Kind::AnyNumber, rule.factor},
        {Field::Spares, texts.sparesPerRow, Kind::WholeNumber, rule.sparesPerRow},
        {Field::Percent, texts.percent, Kind::AnyNumber, rule.percent},
        {Field::Minimum, texts.minimum, Kind::WholeNumber, minimum},
        {Field::Maximum, texts.maximum, Kind::WholeNumber, maximum},
    };
    for (const auto &number : numbers) {
        const QString problem = readNumber(number.text, number.kind, number.value);
        if (!problem.isEmpty()) {
            return wrong(number.field, problem);
        }
    }
    const QString rounding = texts.rounding.trimmed();
    const auto named = std::find_if(std::begin(roundingTexts), std::end(roundingTexts),
                                    [&](const auto &entry) { return rounding == QLatin1String(entry.text); });
    if (named == std::end(roundingTexts) && !rounding.isEmpty()) {
        return wrong(Field::Rounding, QStringLiteral("要是 up、down 或 nearest，不是 %1").arg(rounding));
    }
    rule.rounding = rounding.isEmpty() ? CountRule::Rounding::Up : named->rounding;
    if (fixed >= 0) {
        rule.fixedCount = fixed;
    }
    if (minimum >= 0) {
        rule.minimum = minimum;
    }
    if (maximum >= 0) {
        rule.maximum = maximum;
    }
    if (rule.minimum && rule.maximum && *rule.minimum > *rule.maximum) {
        return wrong(Field::Minimum,
                     QStringLiteral("%1 大於%2 %3")
                         .arg(texts.minimum.trimmed(), countRuleFieldTitle(Field::Maximum), texts.maximum.trimmed()));
    }
    parse.rule = rule;
    return parse;
}

CountRuleTexts countRuleTexts(const CountRule &rule)
{
    const auto text = [](std::optional<double> value) {
        return value ? QString::fromLatin1(generalNumberText(*value)) : QString();
    };
    CountRuleTexts texts;
    texts.fixedCount = text(rule.fixedCount);
    texts.factor = text(rule.factor);
    texts.sparesPerRow = text(rule.sparesPerRow);
    texts.percent = text(rule.percent);
    for (const auto &entry : roundingTexts) {
        if (entry.rounding == rule.rounding) {
            texts.rounding = QLatin1String(entry.text);
        }
    }
    texts.minimum = text(rule.minimum);
    texts.maximum = text(rule.maximum);
    texts.zeroRowsToo = rule.zeroRowsToo;
    return texts;
}

QString countRuleFieldTitle(CountRuleTexts::Field field)
{
    switch (field) {
    case Field::Fixed:
        return QStringLiteral("每筆固定");
    case Field::Factor:
        return QStringLiteral("乘以");
    case Field::Spares:
        return QStringLiteral("每筆加");
    case Field::Percent:
        return QStringLiteral("再加百分比");
    case Field::Rounding:
        return QStringLiteral("非整數");
    case Field::Minimum:
        return QStringLiteral("每筆至少");
    case Field::Maximum:
        break;
    }
    return QStringLiteral("每筆至多");
}
