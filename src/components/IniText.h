#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The settings-file text as the Windows profile functions read and write it,
// apart from any file: "[section]" lines open sections, "key=value" lines hold
// keys. Names compare without regard to ASCII case (Big5 double-byte characters
// compare exactly), blanks around names and values are ignored, lines starting
// with ';' are comments, and the first occurrence of a key wins, also across
// repeated sections of the same name. Lines end in CR LF or LF.
namespace IniText {

// A read yields at most this many bytes of a value (a profile read's buffer).
constexpr qsizetype MaxValueBytes = 2047;

bool sameName(const QByteArray &a, const QByteArray &b);

// The value of key in section, blanks removed and cut to MaxValueBytes (never
// inside a double-byte character); nullopt when the key is not there.
std::optional<QByteArray> lookup(const QByteArray &text, const QByteArray &section, const QByteArray &key);

// Why section/key/value cannot be stored as one line each (a line break, a key
// that would read as something else); empty when they can.
QString entryProblem(const QByteArray &section, const QByteArray &key, const QByteArray &value);

// The text with key in section set to value. An existing key keeps its line and
// only its value changes; a new key goes after the last line of the section's
// first occurrence; a new section goes at the end. Every other byte is kept;
// added lines end in CR LF. Requires entryProblem() to be empty.
QByteArray assign(const QByteArray &text, const QByteArray &section, const QByteArray &key, const QByteArray &value);

} // namespace IniText
