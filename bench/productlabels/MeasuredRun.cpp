#include "MeasuredRun.h"

#include <QElapsedTimer>
#include <QList>

#include <algorithm>
#include <cstdio>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

MeasuredRun runMeasured(const QString &program, const QStringList &arguments, const QString &workingDirectory)
{
    std::vector<std::string> strings;
    strings.push_back(program.toStdString());
    for (const QString &argument : arguments) {
        strings.push_back(argument.toStdString());
    }
    std::vector<char *> argv;
    for (std::string &s : strings) {
        argv.push_back(s.data());
    }
    argv.push_back(nullptr);

    const QByteArray directory = workingDirectory.toLocal8Bit();
    MeasuredRun run;
    QElapsedTimer timer;
    timer.start();
    const pid_t pid = fork();
    if (pid < 0) {
        return run;
    }
    if (pid == 0) {
        if (!directory.isEmpty() && chdir(directory.constData()) != 0) {
            _exit(126);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) {
        return run;
    }
    run.milliseconds = double(timer.nsecsElapsed()) / 1e6;
    run.maxRssKiB = usage.ru_maxrss;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

QList<Summary> measureInTurns(int count, const QList<Variant> &variants)
{
    std::vector<std::vector<double>> times(size_t(variants.size()));
    QList<Summary> summaries(variants.size());
    QList<bool> failed(variants.size(), false);
    for (int run = 1; run <= count; ++run) {
        for (qsizetype v = 0; v < variants.size(); ++v) {
            const Variant &variant = variants[v];
            if (failed[v]) {
                continue;
            }
            if (variant.beforeEach) {
                variant.beforeEach();
            }
            const MeasuredRun measured = runMeasured(variant.program, variant.arguments);
            if (!measured.ok) {
                std::fprintf(stderr, "%s: run %d failed\n", qPrintable(variant.label), run);
                failed[v] = true;
                continue;
            }
            std::printf("  %-34s run %d: %8.1f ms, peak RSS %6.1f MiB\n", qPrintable(variant.label), run,
                        measured.milliseconds, double(measured.maxRssKiB) / 1024);
            std::fflush(stdout);
            times[size_t(v)].push_back(measured.milliseconds);
            summaries[v].peakRssKiB = std::max(summaries[v].peakRssKiB, measured.maxRssKiB);
        }
    }
    for (qsizetype v = 0; v < variants.size(); ++v) {
        std::vector<double> &t = times[size_t(v)];
        if (failed[v] || t.empty()) {
            summaries[v] = Summary();
            continue;
        }
        std::sort(t.begin(), t.end());
        const size_t middle = t.size() / 2;
        summaries[v].medianMs = t.size() % 2 ? t[middle] : (t[middle - 1] + t[middle]) / 2;
        summaries[v].runs = int(t.size());
    }
    return summaries;
}

void reportBeside(const char *what, const Summary &measured, const Summary &base, const char *baseName, double target)
{
    std::printf("%-28s ours %8.0f ms (%6.1f MiB)  %.2f x %s (target <= %.1f)\n", what, measured.medianMs,
                double(measured.peakRssKiB) / 1024, base.medianMs > 0 ? measured.medianMs / base.medianMs : 0, baseName,
                target);
}
