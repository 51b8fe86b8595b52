#include "labelqueue/RecordDigest.h"

#include <QtEndian>

#include <algorithm>

quint64 recordDigest(const char *bytes, int length)
{
    const auto step = [](quint64 lane, quint64 word) {
        lane = (lane ^ word) * 0xff51afd7ed558ccdULL;
        return lane ^ (lane >> 32);
    };
    // Four lanes keep it about as fast as reading the bytes.
    quint64 lanes[4] = {1, 2, 3, 4 + quint64(length)};
    int at = 0;
    for (; at + 32 <= length; at += 32) {
        for (int lane = 0; lane < 4; ++lane) {
            lanes[lane] = step(lanes[lane], qFromLittleEndian<quint64>(bytes + at + 8 * lane));
        }
    }
    for (; at < length; at += 8) {
        char word[8] = {};
        std::copy_n(bytes + at, std::min(8, length - at), word);
        lanes[0] = step(lanes[0], qFromLittleEndian<quint64>(word));
    }
    return step(step(step(lanes[0], lanes[1]), lanes[2]), lanes[3]);
}

QByteArray recordDigests(const QByteArray &records, int length)
{
    const int rows = int(records.size() / length);
    QByteArray digests(qsizetype(rows) * 8, Qt::Uninitialized);
    for (int row = 0; row < rows; ++row) {
        qToLittleEndian(recordDigest(records.constData() + qsizetype(row) * length, length), digests.data() + 8 * row);
    }
    return digests;
}

quint64 storedDigest(const QByteArray &digests, int row)
{
    return qFromLittleEndian<quint64>(digests.constData() + 8 * qsizetype(row));
}
