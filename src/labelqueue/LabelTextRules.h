#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The rules every label text file shares (product and customer exports): one
// line per label row, each value followed by "," in comma layout or padded and
// cut to its column's width in bytes in fixed-width layout, custom texts
// unpadded, the quantity last and CR LF after every line. Values are the
// queue's Big5 bytes, written unchanged (no quotes, no escaping) but for CR
// and LF, which become blanks so that a value never breaks its line.
namespace LabelTextRules {

enum class Layout { Comma, FixedWidth };

// Bytes of a custom text ("#" + text) that reach the file.
constexpr qsizetype customTextLimit = 40;
// Most labels one row may ask for, and most lines one export may write: far
// beyond a store's day, and still a file and a print job that end.
constexpr qint64 mostLabelsPerRow = 99999;
constexpr qint64 mostLinesPerExport = 1000000;
inline constexpr char lineEnd[] = "\r\n";

// The value and "," (comma layout), or the value padded with blanks on the
// right and cut to width bytes (PadText with a positive width); a cut may fall
// inside a two-byte character, as the label program counts bytes.
void appendValue(QByteArray &line, QByteArrayView value, int width, Layout layout);

// A custom text entry's value: the text after "#", at most its first 40
// bytes, never padded; followed by "," in comma layout.
void appendCustomText(QByteArray &line, QByteArrayView entry, Layout layout);

// How many identical lines a row gives in one-label-per-line mode: its
// quantity rounded to a whole number, an exact half to the even neighbour;
// an empty quantity gives none. Otherwise a row gives one line.
qint64 labelCount(std::optional<double> quantity, bool oneLinePerLabel);

// Why a row with this count cannot go out (more than mostLabelsPerRow labels),
// or empty.
QString countRefusal(std::optional<double> quantity);
// Why an export of this many lines cannot go out, or empty.
QString lineTotalRefusal(qint64 lines);

// The quantity that ends a line: "1" in one-label-per-line mode, otherwise
// the row's quantity as general number text (empty for an empty field).
QByteArray quantityText(std::optional<double> quantity, bool oneLinePerLabel);

} // namespace LabelTextRules
