#pragma once

#include <QByteArray>
#include <QList>

// The 25 column entries (the most the settings keep) both exports write in
// the benchmark, with what the bare reference writer needs to write the same
// value by hand.
struct BenchColumn {
    enum Kind { Text, Number, SpecialOrListPrice, SpecialPrice, Today, Custom };
    const char *entry; // UTF-8
    Kind kind;
    const char *field;
    int width;
};

const QList<BenchColumn> &benchColumns();
// The entries as Big5, for the program's own export.
QList<QByteArray> benchColumnEntries();
