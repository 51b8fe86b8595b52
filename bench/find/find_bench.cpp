// Finding rows in a large "bar1.dbf" as the find bar does: each keystroke of
// a few typed texts starts a search on the event loop, and the time until the
// grid's model shows the rows found is measured, with the longest stretch the
// event loop was kept from its other work (a zero timer's longest gap). Then
// the export of the rows found (through a subset of the queue) is timed
// against the export of a queue holding only those rows.

#include "components/Big5.h"
#include "components/Clock.h"
#include "labelqueue/DbfTable.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/LabelQueueModel.h"
#include "labelqueue/QueueAccess.h"
#include "labelqueue/QueueFinder.h"
#include "labelqueue/QueueRowSubset.h"
#include "productlabels/BenchColumns.h"
#include "productlabels/ProductExport.h"
#include "productlabels/ProductQueueTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace ProductQueueTable;

int fail(const QString &message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    return 1;
}

QByteArray big5(const char *utf8)
{
    return Big5::encode(QString::fromUtf8(utf8)).bytes;
}

// Rows shaped like an import of the product master, with names, colours,
// sizes and suppliers that differ from row to row; only rows whose number
// passes keep are written.
QString buildTable(const QString &path, int rows, const std::function<bool(int)> &keep = {})
{
    QFile::remove(path);
    const auto created = DbfTable::create(path, fields());
    if (!created.ok()) {
        return created.error();
    }
    LabelQueue queue(fields());
    if (const DbfStatus opened = queue.open(path); !opened.ok()) {
        return opened.error();
    }
    const QByteArray kinds[] = {big5("棉質圓領短袖上衣"), big5("牛仔長褲"), big5("休閒運動鞋"), big5("羊毛外套"),
                                big5("絲質襯衫")};
    const QByteArray colours[] = {big5("黑"), big5("白"), big5("藏青"), big5("紅")};
    const QByteArray sizes[] = {"S", "M", "L", "XL"};
    const QByteArray supplier = big5("大同紡織");
    if (const DbfStatus locked = queue.lock(TableFileLock::Mode::Exclusive); !locked.ok()) {
        return locked.error();
    }
    for (int row = 0; row < rows; ++row) {
        if (keep && !keep(row)) {
            continue;
        }
        DbfRecord record = queue.blankRecord();
        const QByteArray item = "A" + QByteArray::number(100000 + row / 16);
        const bool ok =
            record.setNumber(QUAN, 1 + row % 3).ok() && record.setText(ITEM_NO, item).ok() &&
            record.setText(BARCODE, item + QByteArray::number(row % 16).rightJustified(2, '0')).ok() &&
            record.setText(ITEM_NAME, kinds[row % 5] + " " + item).ok() &&
            record.setText(COLOR, colours[(row / 4) % 4]).ok() && record.setText(SIZES, sizes[row % 4]).ok() &&
            record.setNumber(PRICE, 590 + row % 7 * 100).ok() && record.setNumber(MEMBER, 490 + row % 7 * 100).ok() &&
            record.setText(SUPP_NO, "S" + QByteArray::number(row % 40)).ok() &&
            record.setText(CUST_ABBR, supplier).ok() && record.setText(BUYDAT1, "2024/03/15").ok() &&
            record.setText(S_ITEM, "S,M,L,XL").ok() && record.setNumber(UNIT_Q, 1).ok();
        if (!ok) {
            return QStringLiteral("a value does not fit row %1").arg(row);
        }
        if (const DbfStatus appended = queue.append(record); !appended.ok()) {
            return appended.error();
        }
    }
    queue.unlock();
    return queue.close().error();
}

struct Keystroke {
    QString text;
    double milliseconds = 0;
    double longestBlockMilliseconds = 0;
    int matches = 0;
};

// Types text after text, each a keystroke at a time, the next keystroke only
// once the rows of the last are shown.
std::vector<Keystroke> typeTexts(LabelQueue &queue, const QStringList &texts)
{
    LabelQueueModel model(queue, columns());
    QList<int> shownFields;
    for (const QueueColumn &column : columns()) {
        shownFields.append(column.field);
    }
    QueueFinder finder(queue);
    QEventLoop loop;
    QObject::connect(&finder, &QueueFinder::finished, &loop, [&] {
        model.showOnlyRecords(finder.matchesEverything() ? std::nullopt
                                                         : std::optional<std::vector<int>>(finder.matches()));
        loop.quit();
    });
    // A zero timer runs whenever the loop is free: its longest gap is the longest the window would be kept waiting.
    QElapsedTimer gap;
    double longest = 0;
    QTimer ticker;
    ticker.setInterval(0);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longest = std::max(longest, double(gap.nsecsElapsed()) / 1e6);
        gap.restart();
    });
    ticker.start();
    std::vector<Keystroke> typed;
    for (const QString &text : texts) {
        for (qsizetype length = 1; length <= text.size(); ++length) {
            Keystroke keystroke{text.left(length)};
            QElapsedTimer timer;
            timer.start();
            gap.start();
            longest = 0;
            bool done = false;
            QObject::connect(
                &finder, &QueueFinder::finished, &loop, [&] { done = true; }, Qt::SingleShotConnection);
            finder.search(keystroke.text, shownFields);
            const bool answeredAtOnce = done;
            if (!done) {
                loop.exec();
            }
            keystroke.milliseconds = double(timer.nsecsElapsed()) / 1e6;
            // The search's own first slice runs inside the keystroke's handler.
            keystroke.longestBlockMilliseconds = answeredAtOnce ? keystroke.milliseconds : longest;
            keystroke.matches = model.rowCount();
            typed.push_back(keystroke);
        }
    }
    return typed;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double timeExport(QueueRowSource &rows, const ProductOutputSettings &settings, const QString &directory,
                  QByteArray &written)
{
    QElapsedTimer timer;
    timer.start();
    const ExportResult result = exportProductLabels(rows, settings, directory, Clock::system());
    const double milliseconds = double(timer.nsecsElapsed()) / 1e6;
    QFile file(productLabelTextPath(directory));
    written = result.kind == ExportResult::Kind::Written && file.open(QIODevice::ReadOnly) ? file.readAll() : "";
    return milliseconds;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int rows = 100000;
    int runs = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        const QByteArray option = argv[i];
        (option == "--rows" ? rows : runs) = QByteArray(argv[i + 1]).toInt();
    }
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("bar1.dbf"));
    if (const QString failed = buildTable(path, rows); !failed.isEmpty()) {
        return fail(failed);
    }
    LabelQueue queue(fields());
    if (const DbfStatus opened = queue.open(path, DbfTable::Access::ReadOnly); !opened.ok()) {
        return fail(opened.error());
    }

    // Typed as staff type: an item code, a name and a colour with a size,
    // full-width as an input method gives it, a backspace, and a word no row holds.
    const QStringList texts = {QStringLiteral("A10123"),   QStringLiteral("外套 紅 XL"), QStringLiteral("ＸＬ 紅"),
                               QStringLiteral("絲質 s12"), QStringLiteral("Z"),          QStringLiteral("藏")};
    std::vector<double> all;
    std::vector<double> blocks;
    std::vector<Keystroke> worst;
    for (int run = 0; run < runs; ++run) {
        const std::vector<Keystroke> typed = typeTexts(queue, texts);
        for (const Keystroke &keystroke : typed) {
            all.push_back(keystroke.milliseconds);
            blocks.push_back(keystroke.longestBlockMilliseconds);
        }
        if (run == 0) {
            worst = typed;
        }
        for (size_t i = 0; i < typed.size(); ++i) {
            worst[i].milliseconds = std::max(worst[i].milliseconds, typed[i].milliseconds);
            worst[i].longestBlockMilliseconds =
                std::max(worst[i].longestBlockMilliseconds, typed[i].longestBlockMilliseconds);
        }
    }
    std::printf("%d rows, %d runs of %zu keystrokes (each the first of its text searches every row)\n",
                queue.rowCount(), runs, worst.size());
    std::printf("%-14s %8s %12s %14s\n", "text", "matches", "worst ms", "worst block ms");
    for (const Keystroke &keystroke : worst) {
        std::printf("%-14s %8d %12.1f %14.1f\n", qPrintable(keystroke.text), keystroke.matches, keystroke.milliseconds,
                    keystroke.longestBlockMilliseconds);
    }
    std::printf("keystroke to rows shown: median %.1f ms, worst %.1f ms; longest block of the loop %.1f ms\n",
                median(all), *std::max_element(all.begin(), all.end()),
                *std::max_element(blocks.begin(), blocks.end()));

    // The filtered export against the same rows as a queue of their own: every fourth row (the colour 紅).
    ProductOutputSettings settings;
    settings.columns = benchColumnEntries();
    QueueFinder finder(queue);
    QEventLoop loop;
    QObject::connect(&finder, &QueueFinder::finished, &loop, &QEventLoop::quit);
    QList<int> colour = {COLOR};
    finder.search(QStringLiteral("紅"), colour);
    if (finder.isSearching()) {
        loop.exec();
    }
    const std::vector<int> red = finder.matches();
    const QString ownPath = directory.filePath(QStringLiteral("own/bar1.dbf"));
    QDir().mkpath(directory.filePath(QStringLiteral("own")));
    if (const QString failed = buildTable(ownPath, rows, [](int row) { return (row / 4) % 4 == 3; });
        !failed.isEmpty()) {
        return fail(failed);
    }
    LabelQueue own(fields());
    if (const DbfStatus opened = own.open(ownPath, DbfTable::Access::ReadOnly); !opened.ok()) {
        return fail(opened.error());
    }
    std::vector<double> filtered;
    std::vector<double> alone;
    QByteArray filteredBytes;
    QByteArray aloneBytes;
    for (int run = 0; run < runs; ++run) {
        QueueReader allRows(queue, side());
        QueueRowSubset subset(allRows, queue, red);
        filtered.push_back(timeExport(subset, settings, directory.path(), filteredBytes));
        QueueReader ownRows(own, side());
        alone.push_back(timeExport(ownRows, settings, directory.filePath(QStringLiteral("own")), aloneBytes));
    }
    std::printf("export of %zu of %d rows, 25 columns: filtered %.1f ms, as a queue of their own %.1f ms (medians), "
                "ratio %.2f; same bytes: %s (%lld bytes)\n",
                red.size(), queue.rowCount(), median(filtered), median(alone), median(filtered) / median(alone),
                filteredBytes == aloneBytes && !filteredBytes.isEmpty() ? "yes" : "NO",
                static_cast<long long>(filteredBytes.size()));
    return 0;
}
