#pragma once

#include <QDateTime>
#include <QString>

// The program-wide short date and long time formats (Qt format strings).
// They start as the system locale's and the label windows switch them to
// year/month/day and 24-hour time whenever they are shown.
namespace DateFormats {

QString shortDate();
QString longTime();
void setShortDate(const QString &format);
void setLongTime(const QString &format);
void useLabelWindowFormats();

// Short date, a space, long time: the form of the exchange status line.
QString dateTime(const QDateTime &at);
QString date(const QDate &day);

} // namespace DateFormats
