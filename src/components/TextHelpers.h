#pragma once

#include <QByteArray>
#include <QDate>

// Fixed-width texts for the export and settings files. Texts are Big5 bytes and
// every width counts bytes, so a Chinese character counts two and a cut may fall
// inside one; the label program reads the files by byte columns.

// Left-aligned (width > 0) or right-aligned (width < 0) in |width| bytes, filled
// with spaces; a longer text keeps its first |width| bytes whatever the sign.
QByteArray PadText(const QByteArray &text, int width);

// Decimal digits with zeros in front up to width; never cut. The zeros go in
// front of a minus sign too (-5 to width 4 gives "00-5").
QByteArray ZeroPad(int width, qint64 value);

// The text count times over; empty for a count of 0 or less.
QByteArray RepeatText(const QByteArray &text, int count);

// "yyyymmdd".
QByteArray DateToDigits(const QDate &date);

// "yyyy/mm/dd".
QByteArray DateToSlashedText(const QDate &date);
