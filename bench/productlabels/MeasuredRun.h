#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// One run of a program in a fresh process: wall time from start to exit and
// the process's own peak resident set size (ru_maxrss from wait4).
struct MeasuredRun {
    bool ok = false; // started and exited with status 0
    double milliseconds = 0;
    long maxRssKiB = 0;
};

MeasuredRun runMeasured(const QString &program, const QStringList &arguments, const QString &workingDirectory = {});

struct Summary {
    double medianMs = 0;
    long peakRssKiB = 0; // the largest of the runs
    int runs = 0;
};

struct Variant {
    QString label;
    QString program;
    QStringList arguments;
    std::function<void()> beforeEach; // prepares a fresh run, outside the timing
};

// Runs each variant count times, taking turns (a, b, a, b, ...) so that a
// change in the machine's load falls on all of them alike. A failing run
// leaves its variant's summary with runs 0.
QList<Summary> measureInTurns(int count, const QList<Variant> &variants);

// Prints "what  median (peak)  ratio x base's median (target <= target)".
void reportBeside(const char *what, const Summary &measured, const Summary &base, const char *baseName, double target);
