#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// Numbers as the server replies write them: always "." for the decimal point
// and never a thousands separator, whatever the system's number formats say.
namespace DecimalText {

// The number a reply value stands for: blanks around it, an optional sign,
// digits with an optional "." and fraction (".5" and "5." too), an optional
// exponent ("1.5E3"). Anything else is no number: an empty or blank text,
// thousands separators, a "," decimal point, hex, "INF" and "NAN", and values
// beyond the range of a double.
std::optional<double> parse(QByteArrayView text);

// Writes value with exactly decimals digits after the point, as a dBase
// numeric field holds it, rounded halves away from zero on the value's
// shortest decimal form (the text that reads back as the same double), so
// 99.995 becomes "100.00" as its text says, not "99.99" as the binary number
// just below it would. Never "-0". Returns the length written, or 0 when more
// than capacity characters are needed.
int roundedFixed(double value, int decimals, char *out, int capacity);

} // namespace DecimalText
