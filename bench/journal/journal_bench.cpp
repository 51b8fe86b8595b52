// The journal's cost: an import of 100,000 rows into bar1.dbf and a
// delete-all of them, each with and without the journal, and the journal's
// size after them. Prints figures only.
#include "common/BenchProductRow.h"
#include "labelqueue/DbfTable.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueJournal.h"
#include "productlabels/ProductQueueTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace ProductQueueTable;

constexpr int rows = 100000;
constexpr int runs = 5;

// As an import stores its rows: one change holding the table, each row appended.
bool importRows(LabelQueue &queue)
{
    DbfStatus status = queue.beginChange({QStringLiteral("引入"), {}, 0, true});
    for (int row = 0; row < rows && status.ok(); ++row) {
        status = queue.append(benchProductRow(queue, row));
    }
    return queue.endChange(status).ok();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Timings {
    std::vector<double> import;
    std::vector<double> deleteAll;
    qint64 journalBytes = 0;
    qint64 keptTableBytes = 0;
};

qint64 journalFileBytes(const QString &journalPath)
{
    return QFileInfo(journalPath).size() + QFileInfo(journalPath + QStringLiteral("-wal")).size();
}

// The table files delete-alls emptied, kept beside the journal for their undo.
qint64 keptTableBytes(const QString &journalPath)
{
    qint64 bytes = 0;
    const QDir folder(QueueJournal(journalPath).keptTablesPath());
    for (const QFileInfo &file : folder.entryInfoList(QDir::Files)) {
        bytes += file.size();
    }
    return bytes;
}

bool measure(const QString &dir, bool journaled, Timings &timings)
{
    const QString path = QDir(dir).filePath(QStringLiteral("bar1.dbf"));
    const QString journalPath = QueueJournal::pathBeside(path);
    QFile::remove(path);
    QFile::remove(journalPath);
    QDir(QueueJournal(journalPath).keptTablesPath()).removeRecursively();
    if (!DbfTable::create(path, fields()).ok()) {
        return false;
    }
    LabelQueue queue(fields());
    if (!queue.open(path).ok()) {
        return false;
    }
    if (journaled) {
        queue.setJournal(std::make_shared<QueueJournal>(journalPath));
    }
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        if (!importRows(queue)) {
            return false;
        }
        timings.import.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        if (!queue.empty().ok()) {
            return false;
        }
        timings.deleteAll.push_back(timer.nsecsElapsed() / 1e6);
    }
    timings.journalBytes = journalFileBytes(journalPath);
    timings.keptTableBytes = keptTableBytes(journalPath);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    Timings plain;
    Timings journaled;
    // Taken in turns so that a change in the machine's load falls on both.
    for (int round = 0; round < 2; ++round) {
        if (!measure(dir.path(), false, plain) || !measure(dir.path(), true, journaled)) {
            std::fprintf(stderr, "bench_journal: a run failed\n");
            return 1;
        }
    }
    const double importPlain = median(plain.import);
    const double importJournaled = median(journaled.import);
    const double deletePlain = median(plain.deleteAll);
    const double deleteJournaled = median(journaled.deleteAll);
    std::printf("%d rows, median of %d runs each\n", rows, 2 * runs);
    std::printf("import      without %8.1f ms  with journal %8.1f ms  ratio %.2fx\n", importPlain, importJournaled,
                importJournaled / importPlain);
    std::printf("delete-all  without %8.1f ms  with journal %8.1f ms  ratio %.2fx\n", deletePlain, deleteJournaled,
                deleteJournaled / deletePlain);
    std::printf("both        without %8.1f ms  with journal %8.1f ms  ratio %.2fx\n", importPlain + deletePlain,
                importJournaled + deleteJournaled, (importJournaled + deleteJournaled) / (importPlain + deletePlain));
    std::printf("journal after %d imports and %d delete-alls: %.1f MB, and %.1f MB of kept tables\n", runs, runs,
                journaled.journalBytes / 1e6, journaled.keptTableBytes / 1e6);
    // Past the kept number: the oldest changes go and their pages are used again.
    const QString path = QDir(dir.path()).filePath(QStringLiteral("bar1.dbf"));
    const QString journalPath = QueueJournal::pathBeside(path);
    LabelQueue queue(fields());
    const DbfStatus opened = queue.open(path);
    if (!opened.ok()) {
        std::fprintf(stderr, "bench_journal: %s\n", qPrintable(opened.error()));
        return 1;
    }
    queue.setJournal(std::make_shared<QueueJournal>(journalPath));
    const int changes = QueueJournal::keptChanges + 20;
    // Once the kept tables reach their budget, each delete-all also stores the oldest one's records.
    std::vector<double> deleteAllsPastBudget;
    for (int change = 0; change < changes; change += 2) {
        if (!importRows(queue)) {
            std::fprintf(stderr, "bench_journal: a run failed\n");
            return 1;
        }
        const bool pastBudget = keptTableBytes(journalPath) + QFileInfo(path).size() > QueueJournal::keptTablesBudget;
        QElapsedTimer timer;
        timer.start();
        if (!queue.empty().ok()) {
            std::fprintf(stderr, "bench_journal: a run failed\n");
            return 1;
        }
        if (pastBudget) {
            deleteAllsPastBudget.push_back(timer.nsecsElapsed() / 1e6);
        }
    }
    const qint64 log = QFileInfo(journalPath + QStringLiteral("-wal")).size();
    std::printf("journal after %d more changes (%d kept): %.1f MB, the write-ahead log %.1f MB of it; "
                "kept tables %.1f MB\n",
                changes, QueueJournal::keptChanges, journalFileBytes(journalPath) / 1e6, log / 1e6,
                keptTableBytes(journalPath) / 1e6);
    if (!deleteAllsPastBudget.empty()) {
        std::printf("delete-all past the kept tables' budget (%.0f MB): median %.1f ms, slowest %.1f ms, of %zu\n",
                    QueueJournal::keptTablesBudget / 1e6, median(deleteAllsPastBudget),
                    *std::max_element(deleteAllsPastBudget.begin(), deleteAllsPastBudget.end()),
                    deleteAllsPastBudget.size());
    }
    return 0;
}
