// Times the product import and export on the demo back office's synthetic
// product master, each beside a bare shapelib reference measured in the same
// run, and reports medians, ratios and peak memory. Every measurement is a
// fresh process of this program (or of ogr2ogr), so ru_maxrss is that run's
// own peak. Figures only; nothing is asserted.
#include "BenchColumns.h"
#include "MeasuredRun.h"
#include "References.h"
#include "SavedReplyFill.h"
#include "app/QueueTables.h"
#include "common/BenchBackoffice.h"
#include "components/Clock.h"
#include "components/TextHelpers.h"
#include "components/TextRecorder.h"
#include "exchange/ServerExchange.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueAccess.h"
#include "productlabels/ProductExport.h"
#include "productlabels/ProductImport.h"
#include "productlabels/ProductLabelCheck.h"
#include "productlabels/ProductLabelLines.h"
#include "productlabels/ProductQueueTable.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <shapefil.h>

namespace {

constexpr char password[] = "0000";

struct Options {
    int runs = 5;
    int products = 100000;
    int logRecorderRows = 10000;
    QString backoffice;
    QString workDirectory;
};

QString self()
{
    return QCoreApplication::applicationFilePath();
}

ProductOutputSettings benchSettings(bool fixedWidth)
{
    ProductOutputSettings settings;
    settings.fixedWidth = fixedWidth;
    settings.columns = benchColumnEntries();
    return settings;
}

// --- measuring children -----------------------------------------------------

int childImport(const QString &server, const QString &directory)
{
    const LinkSettings link{server.toLatin1(), "A", password};
    ServerExchange exchange([&] { return link; });
    LabelQueue queue(ProductQueueTable::fields());
    const DbfStatus opened = queue.open(QDir(directory).filePath(ProductQueueTable::fileName()));
    if (!opened.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(opened.error()));
        return 1;
    }
    QueueWriter writer(queue, ProductQueueTable::side());
    const ImportOutcome outcome = runProductImport(exchange, ProductConditions(), ExpansionValues(), writer);
    if (outcome.kind != ImportOutcome::Kind::Completed) {
        std::fprintf(stderr, "import: %s %s\n", qPrintable(outcome.message), qPrintable(exchange.statusLine()));
        return 1;
    }
    return 0;
}

int childExport(const QString &directory, bool fixedWidth, const QString &today)
{
    LabelQueue queue(ProductQueueTable::fields());
    if (!queue.open(QDir(directory).filePath(ProductQueueTable::fileName())).ok()) {
        return 1;
    }
    QueueReader reader(queue, ProductQueueTable::side());
    const QDate date = QDate::fromString(today, QStringLiteral("yyyy/MM/dd"));
    const FixedClock clock{QDateTime(date, QTime(12, 0))};
    const ExportResult result =
        exportProductLabels(reader, benchSettings(fixedWidth), QDir(directory).filePath(QStringLiteral("ours")), clock);
    if (result.kind != ExportResult::Kind::Written) {
        std::fprintf(stderr, "export: %s\n", qPrintable(result.message));
        return 1;
    }
    return 0;
}

// The check of the same rows and settings as childExport, which writes nothing.
int childCheck(const QString &directory, bool fixedWidth, const QString &today)
{
    LabelQueue queue(ProductQueueTable::fields());
    if (!queue.open(QDir(directory).filePath(ProductQueueTable::fileName())).ok()) {
        return 1;
    }
    QueueReader reader(queue, ProductQueueTable::side());
    const LabelCheckReport report =
        checkProductQueue(reader, benchSettings(fixedWidth), QDate::fromString(today, QStringLiteral("yyyy/MM/dd")));
    return report.totals.rows == reader.rowCount() ? 0 : 1;
}

// The export as the recorder would make it: one open, append and close per
// value and per line end, over the first rows of the queue.
int childExportPerPiece(const QString &directory, bool fixedWidth, int rows, const QString &today)
{
    LabelQueue queue(ProductQueueTable::fields());
    if (!queue.open(QDir(directory).filePath(ProductQueueTable::fileName())).ok()) {
        return 1;
    }
    QueueReader reader(queue, ProductQueueTable::side());
    const ProductLabelLines lines(benchSettings(fixedWidth), QDate::fromString(today, QStringLiteral("yyyy/MM/dd")));
    TextRecorder recorder;
    recorder.setDirectory(QDir(directory).filePath(QStringLiteral("perpiece")));
    recorder.setFileName(QStringLiteral("Bars"));
    recorder.setFileExtension(QStringLiteral("txt"));
    QFile::remove(recorder.path());
    QByteArray value;
    for (int row = 0; row < rows && row < reader.rowCount(); ++row) {
        if (!reader.read(row).isEmpty()) {
            return 1;
        }
        for (qint64 copy = 0; copy < lines.repeatCount(reader); ++copy) {
            for (const ProductColumn &column : lines.columns()) {
                value.clear();
                appendProductColumn(value, column, reader, lines.layout(), lines.today());
                recorder.writeText(value);
            }
            recorder.writeLine(
                LabelTextRules::quantityText(reader.number(ProductQueueTable::QUAN), lines.oneLinePerLabel()));
        }
    }
    return 0;
}

// --- the lead ---------------------------------------------------------------

bool saveReply(const QString &server, const QString &path)
{
    const LinkSettings link{server.toLatin1(), "A", password};
    ServerExchange exchange([&] { return link; });
    exchange.setRequestBody(productImportRequest(ProductConditions(), link, ExpansionValues()));
    if (!exchange.post(QString::fromLatin1(productImportScript))) {
        return false;
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(exchange.reply().body().data(), exchange.reply().body().size()) == exchange.reply().body().size();
}

int recordCount(const QString &dbfPath)
{
    DBFHandle dbf = DBFOpen(dbfPath.toLocal8Bit().constData(), "rb");
    if (!dbf) {
        return -1;
    }
    const int count = DBFGetRecordCount(dbf);
    DBFClose(dbf);
    return count;
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
    std::printf("%-28s ours %8.0f ms (%6.1f MiB)  reference %8.0f ms (%6.1f MiB)  ratio %.2f (target <= %.1f)\n", what,
                ours.medianMs, double(ours.peakRssKiB) / 1024, reference.medianMs, double(reference.peakRssKiB) / 1024,
                ratio, target);
}

int lead(const Options &options)
{
    QTemporaryDir temporary;
    const QString work = options.workDirectory.isEmpty() ? temporary.path() : options.workDirectory;
    const QString today = QString::fromLatin1(DateToSlashedText(QDate::currentDate()));
    QProcess backoffice;
    const QString server = startBackoffice(backoffice, options.backoffice, options.products);
    if (server.isEmpty()) {
        std::fprintf(stderr, "could not start %s\n", qPrintable(options.backoffice));
        return 1;
    }
    std::printf("back office with %d synthetic products on %s; work directory %s; %d runs each\n", options.products,
                qPrintable(server), qPrintable(work), options.runs);
    const QString replyPath = QDir(work).filePath(QStringLiteral("reply.txt"));
    if (!saveReply(server, replyPath)) {
        std::fprintf(stderr, "could not fetch the product master\n");
        return 1;
    }
    std::printf("reply: %.1f MiB\n\n", double(QFile(replyPath).size()) / (1024 * 1024));

    const QString oursDir = QDir(work).filePath(QStringLiteral("import"));
    const QString fillDir = QDir(work).filePath(QStringLiteral("fill"));
    const QString referenceDir = QDir(work).filePath(QStringLiteral("reference"));
    const QList<Summary> imports = measureInTurns(
        options.runs,
        {{QStringLiteral("import"),
          self(),
          {QStringLiteral("--child-import"), server, oursDir},
          [&] {
              freshDirectory(oursDir);
              createQueueTables(oursDir);
          }},
         {QStringLiteral("import reference"),
          self(),
          {QStringLiteral("--child-import-reference"), replyPath, QDir(referenceDir).filePath("bar1.dbf")},
          [&] { freshDirectory(referenceDir); }},
         {QStringLiteral("fill from the saved reply"),
          self(),
          {QStringLiteral("--child-fill"), replyPath, fillDir},
          [&] {
              freshDirectory(fillDir);
              createQueueTables(fillDir);
          }},
         {QStringLiteral("fetch alone"), self(), {QStringLiteral("--child-fetch"), server, QProcess::nullDevice()}, [] {
          }}});
    backoffice.closeWriteChannel();
    backoffice.waitForFinished(5000);
    const int rows = recordCount(QDir(oursDir).filePath(QStringLiteral("bar1.dbf")));
    std::printf("rows: ours %d, reference %d\n\n", rows,
                recordCount(QDir(referenceDir).filePath(QStringLiteral("bar1.dbf"))));

    struct ExportFigures {
        Summary ours;
        Summary reference;
        Summary check;
        Summary perPiece;
        bool identical = false;
    } exports[2];
    QDir().mkpath(QDir(oursDir).filePath(QStringLiteral("ours")));
    for (const bool fixedWidth : {false, true}) {
        const QString layout = fixedWidth ? QStringLiteral("fixed") : QStringLiteral("comma");
        ExportFigures &figures = exports[fixedWidth];
        const QList<Summary> measured =
            measureInTurns(options.runs, {{QStringLiteral("export ") + layout,
                                           self(),
                                           {QStringLiteral("--child-export"), oursDir, layout, today},
                                           {}},
                                          {QStringLiteral("export reference ") + layout,
                                           self(),
                                           {QStringLiteral("--child-export-reference"), oursDir, layout, today},
                                           {}},
                                          {QStringLiteral("check ") + layout,
                                           self(),
                                           {QStringLiteral("--child-check"), oursDir, layout, today},
                                           {}}});
        figures.ours = measured[0];
        figures.reference = measured[1];
        figures.check = measured[2];
        figures.identical = digest(QDir(oursDir).filePath(QStringLiteral("ours/Bars.txt"))) ==
                            digest(QDir(oursDir).filePath(QStringLiteral("reference.txt")));
        figures.perPiece = measureInTurns(1, {{QStringLiteral("export per piece ") + layout,
                                               self(),
                                               {QStringLiteral("--child-export-per-piece"), oursDir, layout,
                                                QString::number(options.logRecorderRows), today},
                                               [&] { freshDirectory(QDir(oursDir).filePath("perpiece")); }}})[0];
    }

    const QString ogr2ogr = QStandardPaths::findExecutable(QStringLiteral("ogr2ogr"));
    Summary ogrToCsv;
    Summary ogrToDbf;
    if (!ogr2ogr.isEmpty()) {
        const QString ogrDir = QDir(work).filePath(QStringLiteral("ogr"));
        const QString csv = QDir(ogrDir).filePath(QStringLiteral("bar1.csv"));
        const QString dbf = QDir(ogrDir).filePath(QStringLiteral("fromcsv.dbf"));
        // Bytes as they are: no recoding of the Big5 texts on either side.
        const QStringList asBytes{QStringLiteral("--config"), QStringLiteral("SHAPE_ENCODING"), QString()};
        freshDirectory(ogrDir);
        const QList<Summary> measured = measureInTurns(
            options.runs, {{QStringLiteral("ogr2ogr DBF to CSV"), ogr2ogr,
                            asBytes + QStringList{QStringLiteral("-f"), QStringLiteral("CSV"), csv,
                                                  QDir(oursDir).filePath(QStringLiteral("bar1.dbf"))},
                            [&] { QFile::remove(csv); }},
                           {QStringLiteral("ogr2ogr CSV to DBF"), ogr2ogr,
                            asBytes + QStringList{QStringLiteral("-f"), QStringLiteral("ESRI Shapefile"), dbf, csv},
                            [&] { QFile::remove(dbf); }}});
        ogrToCsv = measured[0];
        ogrToDbf = measured[1];
    }
    const Summary &importOurs = imports[0];
    const Summary &importReference = imports[1];

    std::printf("\nmedians of %d runs (peak RSS the largest of the runs)\n", options.runs);
    report("import (exchange+fill+commit)", importOurs, importReference, 2.0);
    std::printf("%-28s peak RSS %.1f MiB (target < 250 MiB); without the exchange (fill and commit from the saved "
                "reply) %.0f ms, %.2f x the reference\n",
                "", double(importOurs.peakRssKiB) / 1024, imports[2].medianMs,
                importReference.medianMs > 0 ? imports[2].medianMs / importReference.medianMs : 0);
    const double fetchAndLoad = imports[3].medianMs + importReference.medianMs;
    std::printf("%-28s against the fetch alone (%.0f ms) plus the reference: %.2f (target <= 1.15)\n", "",
                imports[3].medianMs, fetchAndLoad > 0 ? importOurs.medianMs / fetchAndLoad : 0);
    for (const bool fixedWidth : {false, true}) {
        const ExportFigures &figures = exports[fixedWidth];
        report(fixedWidth ? "export, fixed width" : "export, comma", figures.ours, figures.reference, 1.5);
        const double perPieceMs =
            figures.perPiece.medianMs * double(rows) / double(std::min(options.logRecorderRows, rows));
        std::printf("%-28s same bytes as the reference: %s; one open+close per piece: %.0f ms for %d rows, "
                    "about %.0f ms for all %d (%.0f x ours)\n",
                    "", figures.identical ? "yes" : "NO", figures.perPiece.medianMs,
                    std::min(options.logRecorderRows, rows), perPieceMs, rows,
                    figures.ours.medianMs > 0 ? perPieceMs / figures.ours.medianMs : 0);
        reportBeside(fixedWidth ? "check, fixed width" : "check, comma", figures.check, figures.ours, "the export",
                     0.5);
    }
    if (ogr2ogr.isEmpty()) {
        std::printf("ogr2ogr not found (apt-get install gdal-bin); no comparison\n");
    } else {
        std::printf("%-28s %8.0f ms (%6.1f MiB); our export (comma) / ogr2ogr = %.2f\n", "ogr2ogr DBF to CSV",
                    ogrToCsv.medianMs, double(ogrToCsv.peakRssKiB) / 1024,
                    ogrToCsv.medianMs > 0 ? exports[0].ours.medianMs / ogrToCsv.medianMs : 0);
        std::printf("%-28s %8.0f ms (%6.1f MiB); our import / ogr2ogr = %.2f\n", "ogr2ogr CSV to DBF",
                    ogrToDbf.medianMs, double(ogrToDbf.peakRssKiB) / 1024,
                    ogrToDbf.medianMs > 0 ? importOurs.medianMs / ogrToDbf.medianMs : 0);
    }
    return 0;
}

bool parseOptions(const QStringList &arguments, Options &options)
{
    options.backoffice = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("barlabel-backoffice"));
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        bool ok = hasValue;
        if (argument == QLatin1String("--runs") && hasValue) {
            options.runs = arguments.at(++i).toInt(&ok);
            ok = ok && options.runs > 0;
        } else if (argument == QLatin1String("--products") && hasValue) {
            options.products = arguments.at(++i).toInt(&ok);
        } else if (argument == QLatin1String("--per-piece-rows") && hasValue) {
            options.logRecorderRows = arguments.at(++i).toInt(&ok);
            ok = ok && options.logRecorderRows > 0;
        } else if (argument == QLatin1String("--backoffice") && hasValue) {
            options.backoffice = arguments.at(++i);
        } else if (argument == QLatin1String("--work") && hasValue) {
            options.workDirectory = arguments.at(++i);
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
    const QStringList arguments = QCoreApplication::arguments();
    const QString mode = arguments.value(1);
    if (mode == QLatin1String("--child-import") && arguments.size() == 4) {
        return childImport(arguments[2], arguments[3]);
    }
    if (mode == QLatin1String("--child-fetch") && arguments.size() == 4) {
        return saveReply(arguments[2], arguments[3]) ? 0 : 1;
    }
    if (mode == QLatin1String("--child-fill") && arguments.size() == 4) {
        return fillFromSavedReply(arguments[2], arguments[3], 1);
    }
    if (mode == QLatin1String("--child-import-reference") && arguments.size() == 4) {
        return referenceImport(argv[2], argv[3]) < 0 ? 1 : 0;
    }
    if (mode == QLatin1String("--child-export") && arguments.size() == 5) {
        return childExport(arguments[2], arguments[3] == QLatin1String("fixed"), arguments[4]);
    }
    if (mode == QLatin1String("--child-export-reference") && arguments.size() == 5) {
        const QByteArray dbf = QDir(arguments[2]).filePath(QStringLiteral("bar1.dbf")).toLocal8Bit();
        const QByteArray text = QDir(arguments[2]).filePath(QStringLiteral("reference.txt")).toLocal8Bit();
        return referenceExport(dbf.constData(), text.constData(), arguments[3] == QLatin1String("fixed"),
                               benchColumns(), argv[4]) < 0
                   ? 1
                   : 0;
    }
    if (mode == QLatin1String("--child-check") && arguments.size() == 5) {
        return childCheck(arguments[2], arguments[3] == QLatin1String("fixed"), arguments[4]);
    }
    if (mode == QLatin1String("--child-export-per-piece") && arguments.size() == 6) {
        return childExportPerPiece(arguments[2], arguments[3] == QLatin1String("fixed"), arguments[4].toInt(),
                                   arguments[5]);
    }
    Options options;
    if (!parseOptions(arguments, options)) {
        std::fprintf(stderr, "usage: bench_productlabels [--runs N] [--products N] [--per-piece-rows N] "
                             "[--backoffice PATH] [--work DIR]\n");
        return 2;
    }
    return lead(options);
}
