#pragma once

#include "labelqueue/DbfResult.h"

#include <QByteArray>
#include <QList>
#include <QString>

class QIODevice;

enum class DbfFieldType { Text, Numeric };

// A field as this program names and uses it. The width and decimals are those
// of the tables the program creates; a table made elsewhere may differ.
struct DbfFieldSpec {
    QByteArray name;
    DbfFieldType type = DbfFieldType::Text;
    int width = 0;
    int decimals = 0;
    // A field the program never reads or writes: a table without it still opens.
    bool required = true;
};

// One field descriptor as the file holds it.
struct DbfFileField {
    QByteArray name;
    char type = 'C';
    int width = 0;
    int decimals = 0;
    int offset = 0; // within the record; byte 0 is the deletion flag
};

struct DbfHeader {
    quint8 version = 0;
    quint8 languageDriver = 0;
    int recordCount = 0;
    int headerLength = 0;
    int recordLength = 0;
    bool unfinishedImport = false;
    QList<DbfFileField> fields;
    // The whole header as read, kept so that emptying the table keeps it byte for byte.
    QByteArray bytes;
};

// Reads the header and checks it against the real size of the file. shapelib
// trusts every number it reads, so nothing reaches it unless this passed.
DbfResult<DbfHeader> readDbfHeader(QIODevice &file, const QString &displayName);

// The code page byte of tables this program creates: CP950 (Traditional Chinese, Big5).
constexpr quint8 DbfCodePageCp950 = 0x78;
constexpr char DbfEndOfFile = 0x1A;
// dBase's flag of an unfinished transaction. An import holding the table sets
// it while the header does not count all the rows it wrote: rows past the
// count are then a cut-short import's, never counted, not damage.
constexpr int DbfUnfinishedFlagOffset = 14;

// The first byte of every row: blank for a live row, "*" for a deleted one.
inline bool isDeletionFlag(char c)
{
    return c == ' ' || c == '*';
}
