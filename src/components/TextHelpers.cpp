#include "components/TextHelpers.h"

QByteArray PadText(const QByteArray &text, int width)
{
    const qsizetype mag = width < 0 ? -qsizetype(width) : qsizetype(width);
    if (text.size() >= mag) {
        return text.first(mag);
    }
    QByteArray padded;
    padded.reserve(mag);
    if (width > 0) {
        padded.append(text).append(mag - text.size(), ' ');
    } else {
        padded.append(mag - text.size(), ' ').append(text);
    }
    return padded;
}

QByteArray ZeroPad(int width, qint64 value)
{
    QByteArray digits = QByteArray::number(value);
    if (digits.size() < width) {
        digits.prepend(width - digits.size(), '0');
    }
    return digits;
}

QByteArray RepeatText(const QByteArray &text, int count)
{
    return count > 0 ? text.repeated(count) : QByteArray();
}

QByteArray DateToDigits(const QDate &date)
{
    return ZeroPad(4, date.year()) + ZeroPad(2, date.month()) + ZeroPad(2, date.day());
}

QByteArray DateToSlashedText(const QDate &date)
{
    const QByteArray digits = DateToDigits(date);
    return digits.mid(0, 4) + '/' + digits.mid(4, 2) + '/' + digits.mid(6, 2);
}
