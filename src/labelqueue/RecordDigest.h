#pragma once

#include <QByteArray>

// A record's 64-bit digest, the same in every process on every machine
// (words are read little-endian). Any one changed 8-byte word always changes
// it, since every step is one-to-one.
quint64 recordDigest(const char *bytes, int length);
// Eight bytes, little-endian, for each whole record in records.
QByteArray recordDigests(const QByteArray &records, int length);
// The row's digest in what recordDigests() made.
quint64 storedDigest(const QByteArray &digests, int row);
