// Times Post of the whole product master from barlabel-backoffice and reports
// the reply size, the median wall time and the peak resident set size. Each
// measurement runs in a fresh process of this program, so its ru_maxrss is the
// peak of one exchange alone (figures only; nothing is asserted).
#include "common/BenchBackoffice.h"
#include "common/LoopbackServer.h"
#include "exchange/ServerExchange.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr char script[] = "qelvoitemseek.php";
// Empty conditions: every product, with the prices of branch A.
constexpr char requestBody[] = "bran_no=A&link_pass=0000&c14=&c14a=&s14=&s14a=";

struct Options {
    int runs = 5;
    int products = 100000;
    QString backoffice;
    int floodMiB = 0;          // a reply of this many MiB of bare line feeds instead of the back office
    bool floodUnsized = false; // the flood without a Content-Length, ended by closing
    QString measureServer;     // set in a measuring child
    bool baseline = false;     // a measuring child that skips the exchange
};

struct Measurement {
    bool ok = false;
    qint64 replyBytes = 0;
    qint64 replyLines = 0;
    double milliseconds = 0;
    qint64 maxRssKiB = 0;
};

long peakRssKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The child's side: one exchange, one line of figures on stdout.
int measure(const Options &options)
{
    qint64 bytes = 0;
    qint64 lines = 0;
    bool ok = true;
    double milliseconds = 0;
    if (!options.baseline) {
        const LinkSettings link{options.measureServer.toLatin1(), "A", "0000"};
        ServerExchange exchange([&] { return link; });
        exchange.setRequestBody(requestBody);
        QElapsedTimer timer;
        timer.start();
        ok = exchange.post(QString::fromLatin1(script));
        milliseconds = double(timer.nsecsElapsed()) / 1e6;
        bytes = exchange.reply().body().size();
        lines = exchange.reply().count();
        if (!ok) {
            std::fprintf(stderr, "%s\n", qPrintable(exchange.statusLine() + u' ' + exchange.lastResult().reason));
        }
    }
    std::printf("ok=%d bytes=%lld lines=%lld ms=%.1f maxrss_kib=%ld\n", ok ? 1 : 0, bytes, lines, milliseconds,
                peakRssKiB());
    return ok ? 0 : 1;
}

Measurement runChild(const QStringList &arguments)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    child.waitForFinished(-1);
    const QString output = QString::fromLatin1(child.readAllStandardOutput());
    static const QRegularExpression pattern(
        QStringLiteral("ok=(\\d) bytes=(\\d+) lines=(\\d+) ms=([\\d.]+) maxrss_kib=(\\d+)"));
    const QRegularExpressionMatch match = pattern.match(output);
    Measurement result;
    if (match.hasMatch()) {
        result.ok = match.captured(1) == u'1';
        result.replyBytes = match.captured(2).toLongLong();
        result.replyLines = match.captured(3).toLongLong();
        result.milliseconds = match.captured(4).toDouble();
        result.maxRssKiB = match.captured(5).toLongLong();
    }
    return result;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// A server that answers every request with floodMiB MiB of line feeds, announced
// by a Content-Length unless unsized.
std::unique_ptr<LoopbackServer> startFlood(int floodMiB, bool unsized)
{
    return std::make_unique<LoopbackServer>([floodMiB, unsized](LoopbackServer::Connection &connection) {
        const QByteArray mebibyte(1024 * 1024, '\n');
        const QByteArray length = QByteArray::number(qint64(floodMiB) * mebibyte.size());
        connection.send(unsized ? QByteArrayLiteral("HTTP/1.0 200 OK\r\n\r\n")
                                : "HTTP/1.0 200 OK\r\nContent-Length: " + length + "\r\n\r\n");
        for (int i = 0; i < floodMiB && connection.send(mebibyte); ++i) {
        }
        connection.closeWrite();
    });
}

int lead(const Options &options)
{
    QProcess backoffice;
    std::unique_ptr<LoopbackServer> flood;
    QString server;
    if (options.floodMiB > 0) {
        flood = startFlood(options.floodMiB, options.floodUnsized);
        server = QString::fromLatin1(flood->serverText());
        std::printf("flood of %d MiB of line feeds on %s\n", options.floodMiB, qPrintable(server));
    } else {
        QElapsedTimer startup;
        startup.start();
        server = startBackoffice(backoffice, options.backoffice, options.products);
        if (server.isEmpty()) {
            std::fprintf(stderr, "could not start %s\n", qPrintable(options.backoffice));
            return 1;
        }
        std::printf("back office with %d synthetic products on %s (ready after %.1f s)\n", options.products,
                    qPrintable(server), double(startup.elapsed()) / 1000);
    }

    const Measurement baseline = runChild({QStringLiteral("--baseline")});
    std::vector<double> times;
    qint64 peakRss = 0;
    Measurement last;
    for (int run = 1; run <= options.runs; ++run) {
        last = runChild({QStringLiteral("--measure"), server});
        // A flood is never a complete reply: it is judged and refused, which is what is measured.
        if (!last.ok && !flood) {
            std::fprintf(stderr, "run %d: the exchange failed\n", run);
            return 1;
        }
        std::printf("run %d: %.1f ms, peak RSS %.1f MiB\n", run, last.milliseconds, double(last.maxRssKiB) / 1024);
        std::fflush(stdout);
        times.push_back(last.milliseconds);
        peakRss = std::max(peakRss, last.maxRssKiB);
    }
    if (!flood) {
        backoffice.closeWriteChannel();
        if (!backoffice.waitForFinished(5000)) {
            backoffice.kill();
            backoffice.waitForFinished();
        }
    }

    const double replyMiB = double(last.replyBytes) / (1024 * 1024);
    const double peakMiB = double(peakRss) / 1024;
    std::printf("\nreply:            %lld bytes (%.1f MiB), %lld lines\n", last.replyBytes, replyMiB, last.replyLines);
    std::printf("median wall time: %.0f ms over %d runs (%s)\n", median(times), options.runs,
                flood ? "no target for a flood" : "target < 1500 ms");
    const double baselineMiB = double(baseline.maxRssKiB) / 1024;
    std::printf("peak RSS:         %.1f MiB = %.2f x reply (target < %s); a process without the exchange: %.1f "
                "MiB, so the exchange took %.2f x the reply\n",
                peakMiB, peakMiB / replyMiB, flood ? "2 x + a constant" : "3 x", baselineMiB,
                (peakMiB - baselineMiB) / replyMiB);
    return 0;
}

bool parseOptions(const QStringList &arguments, Options &options)
{
    options.backoffice = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("barlabel-backoffice"));
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        bool ok = true;
        if (argument == QLatin1String("--runs") && hasValue) {
            options.runs = arguments.at(++i).toInt(&ok);
            ok = ok && options.runs > 0;
        } else if (argument == QLatin1String("--products") && hasValue) {
            options.products = arguments.at(++i).toInt(&ok);
            ok = ok && options.products >= 0;
        } else if (argument == QLatin1String("--flood") && hasValue) {
            options.floodMiB = arguments.at(++i).toInt(&ok);
            ok = ok && options.floodMiB > 0 && options.floodMiB < 256;
        } else if (argument == QLatin1String("--unsized")) {
            options.floodUnsized = true;
        } else if (argument == QLatin1String("--backoffice") && hasValue) {
            options.backoffice = arguments.at(++i);
        } else if (argument == QLatin1String("--measure") && hasValue) {
            options.measureServer = arguments.at(++i);
        } else if (argument == QLatin1String("--baseline")) {
            options.baseline = true;
        } else {
            ok = false;
        }
        if (!ok) {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Options options;
    if (!parseOptions(QCoreApplication::arguments(), options)) {
        std::fprintf(stderr,
                     "usage: bench_post [--runs N] [--products N] [--backoffice PATH] [--flood MIB [--unsized]]\n");
        return 2;
    }
    if (options.baseline || !options.measureServer.isEmpty()) {
        return measure(options);
    }
    return lead(options);
}
