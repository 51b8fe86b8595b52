#include "components/DecimalText.h"

#include <algorithm>
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

int roundedFixed(double value, int decimals, char *out, int capacity)
{
    if (!std::isfinite(value) || decimals < 0) {
        return 0;
    }
    // The shortest form: "-9.9995e+01" is the digits 99995 with the point after two of them.
    char shortest[32];
    const std::to_chars_result written =
        std::to_chars(shortest, shortest + sizeof shortest, value, std::chars_format::scientific);
    if (written.ec != std::errc()) {
        return 0;
    }
    const char *at = shortest;
    const bool negative = *at == '-';
    at += negative ? 1 : 0;
    char digits[24];
    int digitCount = 0;
    for (; at != written.ptr && *at != 'e'; ++at) {
        if (isDigit(*at)) {
            digits[digitCount++] = *at;
        }
    }
    // The text is not terminated: the exponent is read within it.
    int exponent = 0;
    const char *exponentStart = at + 1 < written.ptr && at[1] == '+' ? at + 2 : at + 1;
    std::from_chars(exponentStart, written.ptr, exponent);
    // The digits that stay: those before the point and decimals after it.
    const int kept = exponent + 1 + decimals;
    char rounded[512];
    if (kept > capacity + 1 || kept >= int(sizeof rounded)) {
        return 0;
    }
    int length = std::max(kept, 0);
    for (int i = 0; i < length; ++i) {
        rounded[i] = i < digitCount ? digits[i] : '0';
    }
    if (kept >= 0 && kept < digitCount && digits[kept] >= '5') {
        int i = length - 1;
        while (i >= 0 && rounded[i] == '9') {
            rounded[i--] = '0';
        }
        if (i >= 0) {
            ++rounded[i];
        } else {
            std::copy_backward(rounded, rounded + length, rounded + length + 1);
            rounded[0] = '1';
            ++length;
        }
    }
    const bool zero = std::all_of(rounded, rounded + length, [](char c) { return c == '0'; });
    const int integerDigits = std::max(length - decimals, 1);
    const int total = (negative && !zero ? 1 : 0) + integerDigits + (decimals > 0 ? 1 + decimals : 0);
    if (total > capacity) {
        return 0;
    }
    // The rounded digits right-aligned in integerDigits + decimals places, zeros before them.
    const int places = integerDigits + decimals;
    char *end = out;
    if (negative && !zero) {
        *end++ = '-';
    }
    for (int place = 0; place < places; ++place) {
        if (place == integerDigits) {
            *end++ = '.';
        }
        const int index = place - (places - length);
        *end++ = index >= 0 ? rounded[index] : '0';
    }
    return int(end - out);
}

} // namespace DecimalText
