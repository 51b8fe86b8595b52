#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>

// A broken invariant is a finding like a crash: say which and stop, so
// libFuzzer keeps the input.
#define FUZZ_CHECK(condition, detail)                                                                                  \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n  %s\n", __FILE__, __LINE__, #condition,                \
                         QString(detail).toUtf8().constData());                                                        \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

inline QString hexOf(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.left(200).toHex(' '));
}
