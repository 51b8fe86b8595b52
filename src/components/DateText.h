#pragma once

#include <QByteArrayView>

// The yyyy/mm/dd date texts that the import dialogs' date fields hold and send.
namespace DateText {

// No digit typed: the field's text is only its slashes and blanks.
bool isBlank(QByteArrayView text);

// Year, month and day as numbers in this order, separated by "/", blanks
// around each allowed, naming a day of the calendar (no 30 February).
bool isValid(QByteArrayView text);

} // namespace DateText

inline constexpr char badDateText[] = "日期格式錯誤 !!";
