// Times the purchase import of one large receipt from the demo back office
// beside the bare shapelib loader of the product import's benchmark, each run
// a fresh process, and reports medians, the ratio and peak memory. Figures
// only; nothing is asserted.
#include "MeasuredRun.h"
#include "References.h"
#include "SavedReplyFill.h"
#include "app/QueueTables.h"
#include "common/BenchBackoffice.h"
#include "exchange/ServerExchange.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueAccess.h"
#include "productlabels/DocumentImportRun.h"
#include "productlabels/DocumentRequest.h"
#include "productlabels/ProductQueueTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr char receipt[] = "PZ00000001";

struct Options {
    int runs = 5;
    int lines = 20000;
    QString backoffice;
    QString workDirectory;
};

DocumentConditions theReceipt()
{
    DocumentConditions conditions;
    conditions.mbran = "A";
    conditions.cbran = "A";
    conditions.sb_no = receipt;
    conditions.eb_no = receipt;
    return conditions;
}

LinkSettings headOffice(const QString &server)
{
    return {server.toLatin1(), "A", "0000"};
}

int childImport(const QString &server, const QString &directory)
{
    const LinkSettings link = headOffice(server);
    ServerExchange exchange([&] { return link; });
    LabelQueue queue(ProductQueueTable::fields());
    if (!queue.open(QDir(directory).filePath(ProductQueueTable::fileName())).ok()) {
        return 1;
    }
    QueueWriter writer(queue, ProductQueueTable::side());
    const ImportOutcome outcome =
        runDocumentImport(exchange, DocumentImport::Purchase, theReceipt(), ExpansionValues(), writer);
    if (outcome.kind != ImportOutcome::Kind::Completed) {
        std::fprintf(stderr, "import: %s %s\n", qPrintable(outcome.message), qPrintable(exchange.statusLine()));
        return 1;
    }
    return 0;
}

bool saveReply(const QString &server, const QString &path)
{
    const LinkSettings link = headOffice(server);
    ServerExchange exchange([&] { return link; });
    exchange.setRequestBody(documentImportRequest(DocumentImport::Purchase, theReceipt(), link, ExpansionValues()));
    if (!exchange.post(QString::fromLatin1(documentImportTraits(DocumentImport::Purchase).script))) {
        return false;
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(exchange.reply().body().data(), exchange.reply().body().size()) == exchange.reply().body().size();
}

int lead(const Options &options)
{
    QTemporaryDir temporary;
    const QString work = options.workDirectory.isEmpty() ? temporary.path() : options.workDirectory;
    QProcess backoffice;
    const QString server = startBackoffice(backoffice, options.backoffice, options.lines,
                                           {QStringLiteral("--receipt-lines"), QString::number(options.lines)});
    if (server.isEmpty()) {
        std::fprintf(stderr, "could not start %s\n", qPrintable(options.backoffice));
        return 1;
    }
    const QString replyPath = QDir(work).filePath(QStringLiteral("receipt.txt"));
    if (!saveReply(server, replyPath)) {
        std::fprintf(stderr, "could not fetch the receipt\n");
        return 1;
    }
    std::printf("receipt %s of %d lines on %s: reply %.1f MiB; work directory %s; %d runs each\n", receipt,
                options.lines, qPrintable(server), double(QFile(replyPath).size()) / (1024 * 1024), qPrintable(work),
                options.runs);
    const QString oursDir = QDir(work).filePath(QStringLiteral("import"));
    const QString referenceDir = QDir(work).filePath(QStringLiteral("reference"));
    const QString fillDir = QDir(work).filePath(QStringLiteral("fill"));
    const auto fresh = [](const QString &path, bool withTables) {
        QDir(path).removeRecursively();
        QDir().mkpath(path);
        if (withTables) {
            createQueueTables(path);
        }
    };
    const QList<Summary> measured =
        measureInTurns(options.runs, {{QStringLiteral("purchase import"),
                                       QCoreApplication::applicationFilePath(),
                                       {QStringLiteral("--child-import"), server, oursDir},
                                       [&] { fresh(oursDir, true); }},
                                      {QStringLiteral("import reference"),
                                       QCoreApplication::applicationFilePath(),
                                       {QStringLiteral("--child-import-reference"), replyPath,
                                        QDir(referenceDir).filePath(QStringLiteral("bar1.dbf"))},
                                       [&] { fresh(referenceDir, false); }},
                                      {QStringLiteral("fill from the saved reply"),
                                       QCoreApplication::applicationFilePath(),
                                       {QStringLiteral("--child-fill"), replyPath, fillDir},
                                       [&] { fresh(fillDir, true); }},
                                      {QStringLiteral("fetch alone"),
                                       QCoreApplication::applicationFilePath(),
                                       {QStringLiteral("--child-fetch"), server, QProcess::nullDevice()},
                                       [] {}}});
    backoffice.closeWriteChannel();
    backoffice.waitForFinished(5000);
    const Summary &ours = measured[0];
    const Summary &reference = measured[1];
    std::printf("medians of %d runs (peak RSS the largest of the runs)\n", options.runs);
    std::printf("purchase import (exchange+fill+commit) %8.0f ms (%6.1f MiB)  reference %8.0f ms (%6.1f MiB)  "
                "ratio %.2f (target <= 2.0)\n",
                ours.medianMs, double(ours.peakRssKiB) / 1024, reference.medianMs, double(reference.peakRssKiB) / 1024,
                reference.medianMs > 0 ? ours.medianMs / reference.medianMs : 0);
    std::printf("without the exchange (fill and commit from the saved reply) %.0f ms, %.2f x the reference\n",
                measured[2].medianMs, reference.medianMs > 0 ? measured[2].medianMs / reference.medianMs : 0);
    const double fetchAndLoad = measured[3].medianMs + reference.medianMs;
    std::printf("against the fetch alone (%.0f ms) plus the reference: %.2f (target <= 1.15)\n", measured[3].medianMs,
                fetchAndLoad > 0 ? ours.medianMs / fetchAndLoad : 0);
    return ours.runs == options.runs && reference.runs == options.runs ? 0 : 1;
}

bool parseOptions(const QStringList &arguments, Options &options)
{
    options.backoffice = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("barlabel-backoffice"));
    for (qsizetype i = 1; i + 1 < arguments.size(); i += 2) {
        const QString &name = arguments.at(i);
        const QString &value = arguments.at(i + 1);
        bool ok = true;
        if (name == QLatin1String("--runs")) {
            options.runs = value.toInt(&ok);
            ok = ok && options.runs > 0;
        } else if (name == QLatin1String("--lines")) {
            options.lines = value.toInt(&ok);
            ok = ok && options.lines > 0;
        } else if (name == QLatin1String("--backoffice")) {
            options.backoffice = value;
        } else if (name == QLatin1String("--work")) {
            options.workDirectory = value;
        } else {
            ok = false;
        }
        if (!ok) {
            return false;
        }
    }
    return arguments.size() % 2 == 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QString mode = arguments.value(1);
    if (mode == QLatin1String("--child-import") && arguments.size() == 4) {
        return childImport(arguments[2], arguments[3]);
    }
    if (mode == QLatin1String("--child-fetch") && arguments.size() == 4) {
        return saveReply(arguments[2], arguments[3]) ? 0 : 1;
    }
    if (mode == QLatin1String("--child-fill") && arguments.size() == 4) {
        return fillFromSavedReply(arguments[2], arguments[3], std::nullopt);
    }
    if (mode == QLatin1String("--child-import-reference") && arguments.size() == 4) {
        return referenceImport(argv[2], argv[3]) < 0 ? 1 : 0;
    }
    Options options;
    if (!parseOptions(arguments, options)) {
        std::fprintf(stderr, "usage: bench_purchase [--runs N] [--lines N] [--backoffice PATH] [--work DIR]\n");
        return 2;
    }
    return lead(options);
}
