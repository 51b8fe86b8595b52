#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// Numbers as the queue tables, the server replies and the label text files
// write them: always "." for the decimal point and never a thousands
// separator, whatever the system's number formats say.
namespace DecimalText {

// The number a reply value stands for: blanks around it, an optional sign,
// digits with an optional "." and fraction (".5" and "5." too), an optional
// exponent ("1.5E3"). Anything else is no number: an empty or blank text,
// thousands separators, a "," decimal point, hex, "INF" and "NAN", and values
// beyond the range of a double.
std::optional<double> parse(QByteArrayView text);

// General number text: at most 15 significant digits, no thousands
// separators, no trailing zeros after the point and no point without a
// fraction (3, 2.5, 1200, 0.1); very large or very small values in exponent
// form without a plus sign or leading exponent zeros (1E20, 1E-5). Negative
// zero is "0"; a value that is not finite gives the empty text.
QByteArray general(double value);
// The empty text for an empty field.
QByteArray general(std::optional<double> value);

} // namespace DecimalText
