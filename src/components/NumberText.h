#pragma once

#include <QByteArray>

// How numbers of the queue tables read as text, on screen and in exported files.

// General number text: up to 15 significant digits, no thousands separators,
// no trailing zeros after the decimal point (3, 2.5, 1200).
QByteArray generalNumberText(double value);

// The "###,##0" display format: rounded to a whole number (halves away from
// zero), thousands separated by commas (1,235).
QByteArray groupedWholeNumberText(double value);

// General number text with thousands separated by commas (1,780, 1,780.5):
// prices the format leaves open read like the "###,##0" ones beside them,
// without hiding a decimal.
QByteArray groupedNumberText(double value);
