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

    // from_chars takes no "+", so the sign is applied here.
    const char *first = number.data() + digitsStart;
    const char *last = number.data() + number.size();
    double value = 0;
    const std::from_chars_result result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != last || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

} // namespace DecimalText
