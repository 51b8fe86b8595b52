#include "components/DateText.h"

#include <QByteArray>
#include <QDate>

namespace DateText {

bool isBlank(QByteArrayView text)
{
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            return false;
        }
    }
    return true;
}

bool isValid(QByteArrayView text)
{
    const QList<QByteArray> parts = text.toByteArray().split('/');
    if (parts.size() != 3) {
        return false;
    }
    int numbers[3] = {};
    for (int i = 0; i < 3; ++i) {
        const QByteArray digits = parts[i].trimmed();
        bool ok = !digits.isEmpty() && digits.size() <= 4;
        for (char c : digits) {
            ok = ok && c >= '0' && c <= '9';
        }
        if (!ok) {
            return false;
        }
        numbers[i] = digits.toInt();
    }
    return numbers[0] >= 1 && QDate(numbers[0], numbers[1], numbers[2]).isValid();
}

} // namespace DateText
