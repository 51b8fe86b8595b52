// Prints how long barlabel takes from its start to a mapped main window (the
// start-up link test with a loopback back office included) beside a bare Qt
// Widgets program showing one window, as a ratio. Runs alternate, so a change
// in the machine's load falls on both. Uses the display it is given
// (DISPLAY, or QT_QPA_PLATFORM=offscreen). Figures only; nothing is asserted.
#include "common/BenchBackoffice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <vector>

extern char **environ;

namespace {
struct Run {
    double mappedMs = 0; // from spawn to the window's first exposure
    double wallMs = 0;   // from spawn to exit
    double cpuMs = 0;
    long peakRssKiB = 0;
};

double nowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1000 + double(now.tv_nsec) / 1e6;
}

bool runOnce(const QByteArray &program, const QString &mappedFile, Run &run)
{
    char *argv[] = {const_cast<char *>(program.constData()), nullptr};
    pid_t pid = 0;
    QFile::remove(mappedFile);
    const double start = nowMs();
    qputenv("BENCH_SPAWNED_AT_MS", QByteArray::number(start, 'f', 3));
    if (posix_spawn(&pid, program.constData(), nullptr, nullptr, argv, environ) != 0) {
        return false;
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.wallMs = nowMs() - start;
    run.cpuMs = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000 +
                double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
    run.peakRssKiB = usage.ru_maxrss;
    QFile mapped(mappedFile);
    if (!mapped.open(QIODevice::ReadOnly)) {
        return false;
    }
    run.mappedMs = mapped.readAll().toDouble();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int runs = 21;
    const QStringList arguments = QCoreApplication::arguments();
    for (int i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments.at(i) == QStringLiteral("--runs")) {
            runs = std::max(1, arguments.at(i + 1).toInt());
        }
    }
    const QString binDir = QCoreApplication::applicationDirPath();
    QProcess backoffice;
    const QString server = startBackoffice(backoffice, binDir + QStringLiteral("/barlabel-backoffice"), 10);
    if (server.isEmpty()) {
        std::fprintf(stderr, "the back office did not start\n");
        return 1;
    }
    QTemporaryDir programDir;
    QFile ini(programDir.filePath(QStringLiteral("SysSet.ini")));
    if (!ini.open(QIODevice::WriteOnly) ||
        ini.write("[SETTING]\r\nSERVER=" + server.toLatin1() + "\r\nBRAN_NO=01\r\nPASSWD=1234\r\nOPRICE=0\r\n") < 0) {
        return 1;
    }
    ini.close();
    qputenv("BARLABEL_PROGRAM_DIR", QFile::encodeName(programDir.path()));
    const QString mappedFile = programDir.filePath(QStringLiteral("mapped.txt"));
    qputenv("BENCH_MAPPED_FILE", QFile::encodeName(mappedFile));

    const QByteArray programs[] = {QFile::encodeName(binDir + QStringLiteral("/startup_barlabel")),
                                   QFile::encodeName(binDir + QStringLiteral("/startup_bare"))};
    const char *const names[] = {"barlabel main window", "bare Qt window"};
    std::vector<double> mapped[2], wall[2], cpu[2];
    long peak[2] = {0, 0};
    std::printf("display: %s; %d runs each, alternating\n",
                qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")
                    ? qgetenv("DISPLAY").constData()
                    : qgetenv("QT_QPA_PLATFORM").constData(),
                runs);
    for (int run = 0; run < runs; ++run) {
        for (int which = 0; which < 2; ++which) {
            Run measured;
            if (!runOnce(programs[which], mappedFile, measured)) {
                std::fprintf(stderr, "%s did not end cleanly\n", programs[which].constData());
                return 1;
            }
            mapped[which].push_back(measured.mappedMs);
            wall[which].push_back(measured.wallMs);
            cpu[which].push_back(measured.cpuMs);
            peak[which] = std::max(peak[which], measured.peakRssKiB);
        }
    }
    for (int which = 0; which < 2; ++which) {
        std::printf("%-22s median %6.1f ms to mapped (%6.1f ms to its end), CPU %6.1f ms, peak RSS %5.1f MiB\n",
                    names[which], median(mapped[which]), median(wall[which]), median(cpu[which]),
                    double(peak[which]) / 1024);
    }
    std::printf("ratio to mapped: %.2f (target <= 1.5); CPU to the end: %.2f\n", median(mapped[0]) / median(mapped[1]),
                median(cpu[0]) / median(cpu[1]));
    backoffice.closeWriteChannel();
    backoffice.waitForFinished(10000);
    return 0;
}
