#include "components/NumberText.h"

#include <charconv>
#include <cmath>

QByteArray generalNumberText(double value)
{
    if (value == 0 || !std::isfinite(value)) {
        return value == 0 ? QByteArray("0") : QByteArray::number(value);
    }
    const double magnitude = std::abs(value);
    if (magnitude >= 1e15 || magnitude < 1e-5) {
        // Scientific as the general format writes it: 1.5E20, 2E-6.
        const QByteArray text = QByteArray::number(value, 'e', 14);
        const qsizetype e = text.indexOf('e');
        QByteArray mantissa = text.left(e);
        while (mantissa.endsWith('0')) {
            mantissa.chop(1);
        }
        if (mantissa.endsWith('.')) {
            mantissa.chop(1);
        }
        mantissa += 'E';
        mantissa += QByteArray::number(text.mid(e + 1).toInt());
        return mantissa;
    }
    // Most values (prices, counts) have a shortest exact form of at most 15
    // significant digits; that form is then what rounding to 15 digits gives,
    // and std::to_chars finds it far faster than a rounding to 15 digits does.
    char shortest[64];
    const std::to_chars_result written =
        std::to_chars(shortest, shortest + sizeof shortest, value, std::chars_format::fixed);
    if (written.ec == std::errc()) {
        int significant = 0;
        bool leading = true;
        for (const char *c = shortest; c != written.ptr; ++c) {
            if (*c >= '1' && *c <= '9') {
                leading = false;
            }
            if (*c >= '0' && *c <= '9' && !leading) {
                ++significant;
            }
        }
        if (significant <= 15) {
            return QByteArray(shortest, written.ptr - shortest);
        }
    }
    QByteArray text = QByteArray::number(value, 'g', 15);
    if (text.contains('e')) {
        // Between 0.00001 and 0.0001 'g' turns scientific; the general format does not.
        text = QByteArray::number(value, 'f', 20);
        while (text.endsWith('0')) {
            text.chop(1);
        }
    }
    return text;
}

namespace {

QByteArray groupThousands(const QByteArray &digits)
{
    QByteArray grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += ',';
        }
        grouped += digits.at(i);
    }
    return grouped;
}

} // namespace

QByteArray groupedWholeNumberText(double value)
{
    const double rounded = std::round(value);
    if (!std::isfinite(rounded)) {
        return QByteArray::number(value);
    }
    QByteArray grouped = groupThousands(QByteArray::number(std::abs(rounded), 'f', 0));
    if (rounded < 0) {
        grouped.prepend('-');
    }
    return grouped;
}

QByteArray groupedNumberText(double value)
{
    const QByteArray general = generalNumberText(value);
    if (general.contains('E') || !std::isfinite(value)) {
        return general;
    }
    const bool negative = general.startsWith('-');
    const QByteArray unsignedText = negative ? general.mid(1) : general;
    const qsizetype point = unsignedText.indexOf('.');
    const QByteArray whole = point < 0 ? unsignedText : unsignedText.left(point);
    QByteArray grouped = groupThousands(whole);
    if (point >= 0) {
        grouped.append(unsignedText.mid(point));
    }
    if (negative) {
        grouped.prepend('-');
    }
    return grouped;
}
