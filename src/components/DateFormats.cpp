#include "components/DateFormats.h"

#include <QLocale>

namespace DateFormats {
namespace {
QString &shortDateFormat()
{
    static QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    return format;
}

QString &longTimeFormat()
{
    static QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    return format;
}
} // namespace

QString shortDate() { return shortDateFormat(); }
QString longTime() { return longTimeFormat(); }
void setShortDate(const QString &format) { shortDateFormat() = format; }
void setLongTime(const QString &format) { longTimeFormat() = format; }

void useLabelWindowFormats()
{
    setShortDate(QStringLiteral("yyyy/MM/dd"));
    setLongTime(QStringLiteral("HH:mm:ss"));
}

QString dateTime(const QDateTime &at)
{
    return at.toString(shortDateFormat()) + QLatin1Char(' ') + at.toString(longTimeFormat());
}

QString date(const QDate &day) { return day.toString(shortDateFormat()); }

} // namespace DateFormats
