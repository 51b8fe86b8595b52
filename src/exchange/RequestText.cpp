#include "exchange/RequestText.h"

#include <QStringBuilder>

namespace RequestText {

QByteArray linkStart(const QByteArray &branch, const QByteArray &password)
{
    return QByteArrayLiteral("bran_no=") + branch + QByteArrayLiteral("&link_pass=") + password;
}

QByteArray linkStart(const LinkSettings &link)
{
    return linkStart(link.branch, link.password);
}

QByteArray trimmedBlanks(const QByteArray &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && quint8(text.at(begin)) <= ' ') {
        ++begin;
    }
    while (end > begin && quint8(text.at(end - 1)) <= ' ') {
        --end;
    }
    return text.sliced(begin, end - begin);
}

bool isGiven(const QByteArray &text)
{
    return !trimmedBlanks(text).isEmpty();
}

void addWhenNotEmpty(QByteArray &request, const char *key, const QByteArray &value)
{
    if (!value.isEmpty()) {
        request.append(key).append(value);
    }
}

} // namespace RequestText
