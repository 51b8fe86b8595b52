#include "components/DecimalText.h"

#include <charconv>
#include <cmath>

namespace DecimalText {

namespace {
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
} // namespace

std::optional<double> parse(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == ' ') {
        ++begin;
    }
    while (end > begin && text[end - 1] == ' ') {
        --end;
    }
    const QByteArrayView number = text.sliced(begin, end - begin);

    qsizetype at = 0;
    bool negative = false;
    if (at < number.size() && (number[at] == '+' || number[at] == '-')) {
        negative = number[at] == '-';
        ++at;
    }
    const qsizetype digitsStart = at;
    qsizetype digits = 0;
    while (at < number.size() && isDigit(number[at])) {
        ++at;
        ++digits;
    }
    if (at < number.size() && number[at] == '.') {
        ++at;
        while (at < number.size() && isDigit(number[at])) {
            ++at;
            ++digits;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (at < number.size() && (number[at] == 'e' || number[at] == 'E')) {
        ++at;
        if (at < number.size() && (number[at] == '+' || number[at] == '-')) {
            ++at;
        }
        qsizetype exponentDigits = 0;
        while (at < number.size() && isDigit(number[at])) {
            ++at;
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return std::nullopt;
        }
    }
    if (at != number.size()) {
        return std::nullopt;
    }

    // from_chars takes no "+", and "5." or ".5" only with the point inside digits it knows.
    const char *first = number.data() + digitsStart;
    const char *last = number.data() + number.size();
    double value = 0;
    const std::from_chars_result result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != last || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

QByteArray general(double value)
{
    if (!std::isfinite(value)) {
        return QByteArray();
    }
    if (value == 0) {
        return QByteArrayLiteral("0");
    }
    char buffer[64];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    QByteArray text(buffer, result.ptr - buffer);
    const qsizetype exponentAt = text.indexOf('e');
    if (exponentAt < 0) {
        return text;
    }
    // "1e+20" -> "1E20", "1e-05" -> "1E-5".
    QByteArray exponent = text.mid(exponentAt + 1);
    const bool negativeExponent = exponent.startsWith('-');
    if (exponent.startsWith('+') || exponent.startsWith('-')) {
        exponent.remove(0, 1);
    }
    while (exponent.size() > 1 && exponent.startsWith('0')) {
        exponent.remove(0, 1);
    }
    text.truncate(exponentAt);
    text.append('E');
    if (negativeExponent) {
        text.append('-');
    }
    return text.append(exponent);
}

QByteArray general(std::optional<double> value)
{
    return value ? general(*value) : QByteArray();
}

} // namespace DecimalText
