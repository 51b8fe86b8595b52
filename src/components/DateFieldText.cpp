#include "components/DateFieldText.h"

#include <QDate>

namespace {

constexpr qsizetype width = 10;

bool isSlashPosition(qsizetype index)
{
    return index == 4 || index == 7;
}

bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

int number(const QByteArray &text, qsizetype from, qsizetype count)
{
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        value = value * 10 + (text.at(i) - '0');
    }
    return value;
}

} // namespace

namespace DateFieldText {

QByteArray blank()
{
    return QByteArrayLiteral("    /  /  ");
}

bool isBlank(const QByteArray &text)
{
    return text.trimmed() == "/  /";
}

bool isValid(const QByteArray &text)
{
    if (text.size() != width) {
        return false;
    }
    for (qsizetype i = 0; i < width; ++i) {
        if (isSlashPosition(i) ? text.at(i) != '/' : !isAsciiDigit(text.at(i))) {
            return false;
        }
    }
    const int year = number(text, 0, 4);
    return year >= 1 && QDate(year, number(text, 5, 2), number(text, 8, 2)).isValid();
}

Exit checkOnExit(const QByteArray &text)
{
    if (isBlank(text)) {
        return Exit::Blank;
    }
    return isValid(text) ? Exit::Valid : Exit::Malformed;
}

std::optional<QByteArray> fromTyped(const QString &typed)
{
    if (typed.isEmpty()) {
        return blank();
    }
    if (typed.size() != width) {
        return std::nullopt;
    }
    const QByteArray text = typed.toLatin1();
    for (qsizetype i = 0; i < width; ++i) {
        const QChar c = typed.at(i);
        const bool fits = isSlashPosition(i) ? c == u'/' : (c == u' ' || (c >= u'0' && c <= u'9'));
        if (!fits) {
            return std::nullopt;
        }
    }
    return text;
}

} // namespace DateFieldText
