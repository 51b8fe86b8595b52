// Times the customer import and export on the demo back office's synthetic
// customers, each beside a bare shapelib reference measured in the same run,
// with the product benchmark's harness: every measurement is a fresh process
// of this program, taking turns with its reference. Figures only.
#include "MeasuredRun.h"
#include "ReferenceCustomerExport.h"
#include "References.h"
#include "app/QueueTables.h"
#include "common/BenchBackoffice.h"
#include "components/Big5.h"
#include "customerlabels/CustomerExport.h"
#include "customerlabels/CustomerImport.h"
#include "customerlabels/CustomerLabelCheck.h"
#include "customerlabels/CustomerQueueTable.h"
#include "exchange/ServerExchange.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueAccess.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr char password[] = "0000";

QString self()
{
    return QCoreApplication::applicationFilePath();
}

CustomerConditions everyone()
{
    CustomerConditions conditions;
    conditions.copies = 1;
    return conditions;
}

int childImport(const QString &server, const QString &directory)
{
    const LinkSettings link{server.toLatin1(), "A", password};
    ServerExchange exchange([&] { return link; });
    LabelQueue queue(CustomerQueueTable::fields());
    if (!queue.open(QDir(directory).filePath(CustomerQueueTable::fileName())).ok()) {
        return 1;
    }
    QueueWriter writer(queue, CustomerQueueTable::side());
    const ImportOutcome outcome = runCustomerImport(exchange, everyone(), QDate::currentDate(), writer);
    if (outcome.kind != ImportOutcome::Kind::Completed) {
        std::fprintf(stderr, "import: %s %s\n", qPrintable(outcome.message), qPrintable(exchange.statusLine()));
        return 1;
    }
    return 0;
}

// Every catalogue entry and a custom text.
CustomerOutputSettings benchSettings(bool fixedWidth)
{
    CustomerOutputSettings settings;
    settings.fixedWidth = fixedWidth;
    settings.columns = customerColumnCatalogue();
    settings.columns.append("#VIP");
    return settings;
}

int childExport(const QString &directory, bool fixedWidth)
{
    LabelQueue queue(CustomerQueueTable::fields());
    if (!queue.open(QDir(directory).filePath(CustomerQueueTable::fileName())).ok()) {
        return 1;
    }
    QueueReader reader(queue, CustomerQueueTable::side());
    const ExportResult result = exportCustomerLabels(reader, benchSettings(fixedWidth), directory);
    if (result.kind != ExportResult::Kind::Written) {
        std::fprintf(stderr, "export: %s\n", qPrintable(result.message));
        return 1;
    }
    return 0;
}

// The check of the same rows and settings as childExport, which writes nothing.
int childCheck(const QString &directory, bool fixedWidth)
{
    LabelQueue queue(CustomerQueueTable::fields());
    if (!queue.open(QDir(directory).filePath(CustomerQueueTable::fileName())).ok()) {
        return 1;
    }
    QueueReader reader(queue, CustomerQueueTable::side());
    return checkCustomerQueue(reader, benchSettings(fixedWidth)).totals.rows == reader.rowCount() ? 0 : 1;
}

bool saveReply(const QString &server, const QString &path)
{
    const LinkSettings link{server.toLatin1(), "A", password};
    ServerExchange exchange([&] { return link; });
    exchange.setRequestBody(customerImportRequest(everyone(), link, QDate::currentDate()));
    if (!exchange.post(QString::fromLatin1(customerImportScript))) {
        return false;
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(exchange.reply().body().data(), exchange.reply().body().size()) == exchange.reply().body().size();
}

QByteArray digest(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) ? hash.result().toHex() : QByteArray("-");
}

void freshDirectory(const QString &path)
{
    QDir(path).removeRecursively();
    QDir().mkpath(path);
}

void report(const char *what, const Summary &ours, const Summary &reference, double target)
{
    const double ratio = reference.medianMs > 0 ? ours.medianMs / reference.medianMs : 0;
    std::printf("%-22s ours %8.0f ms (%6.1f MiB)  reference %8.0f ms (%6.1f MiB)  ratio %.2f (target <= %.1f)\n", what,
                ours.medianMs, double(ours.peakRssKiB) / 1024, reference.medianMs, double(reference.peakRssKiB) / 1024,
                ratio, target);
}

int lead(int runs, int customers, const QString &backofficeProgram)
{
    QTemporaryDir work;
    QProcess backoffice;
    const QString server =
        startBackoffice(backoffice, backofficeProgram, 0, {QStringLiteral("--customers"), QString::number(customers)});
    if (server.isEmpty()) {
        std::fprintf(stderr, "could not start %s\n", qPrintable(backofficeProgram));
        return 1;
    }
    const QString replyPath = work.filePath(QStringLiteral("reply.txt"));
    if (!saveReply(server, replyPath)) {
        std::fprintf(stderr, "could not fetch the customers\n");
        return 1;
    }
    std::printf("back office with %d synthetic customers on %s; reply %.1f MiB; %d runs each\n", customers,
                qPrintable(server), double(QFile(replyPath).size()) / (1024 * 1024), runs);

    const QString oursDir = work.filePath(QStringLiteral("import"));
    const QString referenceDir = work.filePath(QStringLiteral("reference"));
    const QList<Summary> imports = measureInTurns(
        runs,
        {{QStringLiteral("import"),
          self(),
          {QStringLiteral("--child-import"), server, oursDir},
          [&] {
              freshDirectory(oursDir);
              createQueueTables(oursDir);
          }},
         {QStringLiteral("import reference"),
          self(),
          {QStringLiteral("--child-import-reference"), replyPath, QDir(referenceDir).filePath("bar2.DBF")},
          [&] { freshDirectory(referenceDir); }},
         {QStringLiteral("fetch alone"), self(), {QStringLiteral("--child-fetch"), server, QProcess::nullDevice()}, [] {
          }}});
    backoffice.closeWriteChannel();
    backoffice.waitForFinished(5000);

    std::printf("\nmedians of %d runs (peak RSS the largest of the runs)\n", runs);
    report("import", imports[0], imports[1], 2.0);
    const double fetchAndLoad = imports[2].medianMs + imports[1].medianMs;
    std::printf("%-22s against the fetch alone (%.0f ms) plus the reference: %.2f (target <= 1.15)\n", "",
                imports[2].medianMs, fetchAndLoad > 0 ? imports[0].medianMs / fetchAndLoad : 0);
    for (const bool fixedWidth : {false, true}) {
        const QString layout = fixedWidth ? QStringLiteral("fixed") : QStringLiteral("comma");
        const QList<Summary> measured = measureInTurns(
            runs,
            {{QStringLiteral("export ") + layout, self(), {QStringLiteral("--child-export"), oursDir, layout}, {}},
             {QStringLiteral("export reference ") + layout,
              self(),
              {QStringLiteral("--child-export-reference"), oursDir, layout},
              {}},
             {QStringLiteral("check ") + layout, self(), {QStringLiteral("--child-check"), oursDir, layout}, {}}});
        report(fixedWidth ? "export, fixed width" : "export, comma", measured[0], measured[1], 1.5);
        const bool same = digest(QDir(oursDir).filePath(QStringLiteral("bar2/Bars.txt"))) ==
                          digest(QDir(oursDir).filePath(QStringLiteral("reference.txt")));
        std::printf("%-22s same bytes as the reference: %s\n", "", same ? "yes" : "NO");
        reportBeside(fixedWidth ? "check, fixed width" : "check, comma", measured[2], measured[0], "the export", 0.5);
    }
    return 0;
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
    if (mode == QLatin1String("--child-import-reference") && arguments.size() == 4) {
        return referenceImport(argv[2], argv[3], CustomerQueueTable::fields(), replyNames(CustomerQueueTable::side())) <
                       0
                   ? 1
                   : 0;
    }
    if (mode == QLatin1String("--child-export") && arguments.size() == 4) {
        return childExport(arguments[2], arguments[3] == QLatin1String("fixed"));
    }
    if (mode == QLatin1String("--child-check") && arguments.size() == 4) {
        return childCheck(arguments[2], arguments[3] == QLatin1String("fixed"));
    }
    if (mode == QLatin1String("--child-export-reference") && arguments.size() == 4) {
        const QByteArray dbf = QDir(arguments[2]).filePath(QStringLiteral("bar2.DBF")).toLocal8Bit();
        const QByteArray text = QDir(arguments[2]).filePath(QStringLiteral("reference.txt")).toLocal8Bit();
        return referenceCustomerExport(dbf.constData(), text.constData(), arguments[3] == QLatin1String("fixed")) < 0
                   ? 1
                   : 0;
    }
    int runs = 5;
    int customers = 100000;
    QString backoffice = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("barlabel-backoffice"));
    for (qsizetype i = 1; i < arguments.size(); i += 2) {
        if (i + 1 == arguments.size()) {
            runs = 0;
        } else if (arguments[i] == QLatin1String("--runs")) {
            runs = std::max(1, arguments[i + 1].toInt());
        } else if (arguments[i] == QLatin1String("--customers")) {
            customers = std::max(1, arguments[i + 1].toInt());
        } else if (arguments[i] == QLatin1String("--backoffice")) {
            backoffice = arguments[i + 1];
        } else {
            runs = 0;
        }
        if (runs == 0) {
            std::fprintf(stderr, "usage: bench_customerlabels [--runs N] [--customers N] [--backoffice PATH]\n");
            return 2;
        }
    }
    return lead(runs, customers, backoffice);
}
