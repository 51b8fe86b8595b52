#pragma once

#include <QByteArray>
#include <QString>

// Conversion between Qt's Unicode text and the Big5 (code page 950) bytes that
// every stored, sent and exported text of the program is made of. The
// end-user-defined areas (0x8140-0xA0FE, 0xC6A1-0xC8FE, 0xFA40-0xFEFE) map to
// the private use area U+E000-U+F848 as on Windows, both ways.
namespace Big5 {

struct Encoding {
    QByteArray bytes;
    // Index (in UTF-16 code units) of the first character that Big5 cannot
    // hold, or -1 when the whole text converted.
    qsizetype badIndex = -1;
    QString badCharacter;

    bool ok() const { return badIndex < 0; }
    // "「X」無法以 Big5 表示" style message for the user; empty when ok().
    QString errorText() const;
};

Encoding encode(QStringView text);
bool canEncode(QStringView text);

// For the program's own fixed texts, which are known to be Big5-encodable.
QByteArray fromUtf8Literal(const char *utf8);

// For display: a byte sequence that is not Big5 shows as U+FFFD, one per bad byte.
QString decode(const QByteArray &bytes);
QString decode(const char *data, qsizetype size);

} // namespace Big5
