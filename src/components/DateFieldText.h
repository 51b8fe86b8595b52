#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The text of a masked date field "9999/99/99": ten characters, "/" fixed at
// the 5th and 8th, a digit or a blank (an unfilled position) everywhere else.
// The field sends this text unchanged, blanks included.
namespace DateFieldText {

inline constexpr char malformedDateMessage[] = "日期格式錯誤 !!";

// A field with no digit typed: "    /  /  ".
QByteArray blank();

// Nothing typed: the text without surrounding blanks is "/  /".
bool isBlank(const QByteArray &text);

// A whole year/month/day that is a day of the calendar: all eight digits
// typed, year 1 to 9999 ("2024/02/30", "2024/13/01" and "2024/03/5 " are not).
bool isValid(const QByteArray &text);

// What leaving the field finds.
enum class Exit {
    Blank,     // nothing to check
    Valid,     // a start date is copied into the end date
    Malformed, // malformedDateMessage, the focus goes back to the field
};
Exit checkOnExit(const QByteArray &text);

// A text typed into the mask from elsewhere (the command line): an empty text
// is a blank date; otherwise it must fill the mask's ten positions, digits or
// blanks where digits go and "/" where the mask has them. Empty when it does
// not fit the mask.
std::optional<QByteArray> fromTyped(const QString &typed);

} // namespace DateFieldText
