// A count rule over every row of a 100,000-row bar1.dbf beside one product
// export of the same queue (comma layout, 25 columns). Prints figures only.
#include "common/BenchProductRow.h"
#include "components/Clock.h"
#include "labelqueue/DbfTable.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueAccess.h"
#include "labelqueue/QueueCounts.h"
#include "productlabels/BenchColumns.h"
#include "productlabels/ProductExport.h"
#include "productlabels/ProductQueueTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace ProductQueueTable;

bool fillQueue(const QString &path, int rows)
{
    if (!DbfTable::create(path, fields()).ok()) {
        return false;
    }
    LabelQueue queue(fields());
    if (!queue.open(path).ok() || !queue.lock(TableFileLock::Mode::Exclusive).ok()) {
        return false;
    }
    for (int row = 0; row < rows; ++row) {
        if (!queue.append(benchProductRow(queue, row)).ok()) {
            return false;
        }
    }
    return queue.unlock().ok();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int runs = 5;
    int rows = 100000;
    const QStringList arguments = app.arguments();
    for (int i = 1; i + 1 < arguments.size(); i += 2) {
        if (arguments[i] == QLatin1String("--runs")) {
            runs = arguments[i + 1].toInt();
        } else if (arguments[i] == QLatin1String("--rows")) {
            rows = arguments[i + 1].toInt();
        }
    }
    QTemporaryDir work;
    const QString table = QDir(work.path()).filePath(fileName());
    if (!fillQueue(table, rows)) {
        std::fprintf(stderr, "could not fill %s\n", qPrintable(table));
        return 1;
    }
    ProductOutputSettings settings;
    settings.columns = benchColumnEntries();
    const FixedClock clock{QDateTime(QDate(2024, 5, 1), QTime(12, 0))};
    LabelQueue queue(fields());
    if (!queue.open(table).ok()) {
        return 1;
    }

    std::vector<double> exports;
    std::vector<double> rules;
    std::vector<double> plans;
    QElapsedTimer timer;
    for (int run = 0; run < runs; ++run) {
        // Export and rule take turns, so a change in the machine's load falls on both.
        QueueReader reader(queue, side());
        timer.start();
        const ExportResult exported = exportProductLabels(reader, settings, work.path(), clock);
        exports.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (exported.kind != ExportResult::Kind::Written) {
            std::fprintf(stderr, "export: %s\n", qPrintable(exported.message));
            return 1;
        }
        // Every row changes each run: twice its count plus one spare, then back to a fixed 2.
        CountRuleTexts texts;
        texts.factor = run % 2 == 0 ? QStringLiteral("2") : QString();
        texts.sparesPerRow = run % 2 == 0 ? QStringLiteral("1") : QString();
        texts.fixedCount = run % 2 == 0 ? QString() : QStringLiteral("2");
        const CountRule rule = *parseCountRule(texts).rule;
        timer.start();
        const CountPlan plan = planCounts(readQueueCounts(queue, side(), CountTarget{}), rule);
        plans.push_back(double(timer.nsecsElapsed()) / 1e6);
        timer.start();
        const CountOutcome counted = applyCountRuleToQueue(queue, side(), rule, CountTarget{});
        rules.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (!counted.status.ok() || counted.plan.changes.size() != size_t(rows) ||
            plan.changes.size() != size_t(rows)) {
            std::fprintf(stderr, "rule: %s\n", qPrintable(counted.status.error()));
            return 1;
        }
    }
    std::printf("rows %d, bar1.dbf %lld bytes, Bars.txt %lld bytes, %d runs\n", rows, QFileInfo(table).size(),
                QFileInfo(productLabelTextPath(work.path())).size(), runs);
    std::printf("export (comma, 25 columns): median %.0f ms\n", median(exports));
    std::printf("count rule over every row:  median %.0f ms\n", median(rules));
    std::printf("  of which reading the counts and planning (the dry run): median %.0f ms\n", median(plans));
    std::printf("rule / export: %.2f (target at most 1)\n", median(rules) / median(exports));
    return 0;
}
