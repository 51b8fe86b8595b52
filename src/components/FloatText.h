#pragma once

#include <QString>

// How a number with a fixed count of integer and decimal digits is cut, shown
// and read back by the numeric entry field. The decimal point is always "."
// and the thousands separator always ",", whatever the system's formats say.
enum class CutMode { Rounding, Getting, Cutting };

namespace FloatText {

// x cut to decNum decimals: Rounding adds a unit of the last kept place (away
// from zero) when the dropped part is half a unit or more, Getting when it is
// anything above zero, Cutting never. Decided on the number's shortest decimal
// form, so 2.4449 rounds to 2.44 and 2.675 to 2.68.
double cut(double x, int decNum, CutMode mode);

// x rounded to decNum decimals, in fixed notation without separators; never "-0".
QString fixed(double x, int decNum);

// The layout shown without the focus when thousands separators are on:
// right-aligned with at least one leading blank when it fits, as it comes when not.
QString grouped(double x, int intNum, int decNum);

// The layout shown without the focus when separators are off: right-aligned in
// intNum + 1 characters; an integer part wider than intNum shows as asterisks.
QString plain(double x, int intNum, int decNum);

// The layout kept while the field has the focus: the integer digits left-aligned
// in a slot of intNum characters, then "." and decNum decimals.
QString editing(const QString &text, int intNum, int decNum);

// The number a text stands for; 0 for a text that is not a number.
double parse(const QString &text);

} // namespace FloatText
