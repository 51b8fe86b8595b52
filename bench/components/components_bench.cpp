// Prints how long the per-value helpers and the recorder take for an export of
// 100,000 rows (figures only; nothing is asserted).
#include "components/TextHelpers.h"
#include "components/TextRecorder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int rows = 100000;
constexpr int columns = 10;

void report(const char *what, qint64 nanoseconds, qint64 operations)
{
    std::printf("%-40s %8.1f ms  %6.1f ns/op\n", what, nanoseconds / 1e6, double(nanoseconds) / double(operations));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QByteArray name("\xb1\xf8\xbd\x58 ABC");
    const QDate day(2024, 3, 15);
    qsizetype sink = 0;
    QElapsedTimer timer;

    timer.start();
    for (int i = 0; i < rows * columns; ++i) {
        sink += PadText(name, (i % 2) ? 20 : -20).size();
    }
    report("PadText", timer.nsecsElapsed(), qint64(rows) * columns);

    timer.start();
    for (int i = 0; i < rows * columns; ++i) {
        sink += ZeroPad(8, i).size();
    }
    report("ZeroPad", timer.nsecsElapsed(), qint64(rows) * columns);

    timer.start();
    for (int i = 0; i < rows; ++i) {
        sink += DateToSlashedText(day.addDays(i % 400)).size();
    }
    report("DateToSlashedText", timer.nsecsElapsed(), rows);

    QTemporaryDir dir;
    TextRecorder recorder;
    recorder.setDirectory(dir.path());
    recorder.setFileName(QStringLiteral("Bars"));
    recorder.setFileExtension(QStringLiteral("txt"));
    timer.start();
    for (int i = 0; i < rows; ++i) {
        for (int c = 0; c < columns; ++c) {
            recorder.writeText(PadText(name, 20));
        }
        recorder.writeLine(QByteArray());
    }
    report("TextRecorder, one open per piece", timer.nsecsElapsed(), qint64(rows) * (columns + 1));
    std::printf("(checksum %lld)\n", static_cast<long long>(sink));
    return 0;
}
