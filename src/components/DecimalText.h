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

} // namespace DecimalText
