// Opening the product label window over a large "bar1.dbf": each run is a
// fresh process that constructs ProductLabelWindow, shows it and waits until the
// grid's viewport has been painted once. With --preview it then presses
// "檢查預覽" under 25 output columns and waits for the first painted cards.

#include "components/Big5.h"
#include "components/ProfileFile.h"
#include "components/ProgramLauncher.h"
#include "components/Prompts.h"
#include "components/widgets/FocusMarkedButton.h"
#include "exchange/ServerExchange.h"
#include "labelqueue/DbfTable.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/widgets/LabelCardView.h"
#include "labelqueue/widgets/LabelCheckDialog.h"
#include "labelqueue/widgets/LabelQueueGrid.h"
#include "productlabels/BenchColumns.h"
#include "productlabels/ProductQueueModel.h"
#include "productlabels/ProductQueueTable.h"
#include "productlabels/widgets/ProductLabelWindow.h"
#include "settings/ProductOutputSettings.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

using namespace ProductQueueTable;

class SilentPrompts : public Prompts
{
public:
    void embossedMessage(const QString &text) override { shown.append(text); }
    bool confirm(const QString &text) override
    {
        shown.append(text);
        return false;
    }
    bool confirmDestructive(const QString &text) override { return confirm(text); }
    Choice chooseYesNoCancel(const QString &text) override
    {
        shown.append(text);
        return Choice::Cancel;
    }
    void plainMessage(const QString &text) override { shown.append(text); }

    QStringList shown;
};

class NoLauncher : public ProgramLauncher
{
public:
    LaunchResult start(const LaunchRequest &) override { return {LaunchResult::FileNotFound, QString()}; }
};

class PaintWatch : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            painted = true;
        }
        return false;
    }
};

bool fail(const QString &message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    return false;
}

// Rows shaped like an import of the back office's product master: Big5
// names, colours and sizes, prices and supplier fields filled.
bool buildTable(const QString &path, int rows)
{
    const auto created = DbfTable::create(path, fields());
    if (!created.ok()) {
        return fail(QStringLiteral("cannot create ") + path + QStringLiteral(": ") + created.error());
    }
    LabelQueue queue(fields());
    const DbfStatus opened = queue.open(path);
    if (!opened.ok()) {
        return fail(QStringLiteral("cannot open ") + path + QStringLiteral(": ") + opened.error());
    }
    const QByteArray name = Big5::encode(QStringLiteral("棉質圓領短袖上衣 ")).bytes;
    const QByteArray colours[] = {Big5::encode(QStringLiteral("黑")).bytes, Big5::encode(QStringLiteral("白")).bytes,
                                  Big5::encode(QStringLiteral("藏青")).bytes};
    const QByteArray sizes[] = {"S", "M", "L", "XL"};
    const QByteArray unit = Big5::encode(QStringLiteral("件")).bytes;
    const QByteArray supplierAbbr = Big5::encode(QStringLiteral("大同紡織")).bytes;
    for (int row = 0; row < rows; ++row) {
        DbfRecord record = queue.blankRecord();
        const QByteArray item = "A" + QByteArray::number(100000 + row / 12);
        const QByteArray &colour = colours[row % 3];
        const QByteArray &size = sizes[(row / 3) % 4];
        const bool ok =
            record.setNumber(QUAN, 1).ok() && record.setText(ITEM_NO, item).ok() &&
            record.setText(BARCODE, item + QByteArray::number(row % 12).rightJustified(2, '0')).ok() &&
            record.setText(ITEM_NAME, name + item).ok() && record.setText(COLOR, colour).ok() &&
            record.setText(SIZES, size).ok() && record.setText(UNIT, unit).ok() &&
            record.setNumber(PRICE, 590 + row % 7 * 100).ok() && record.setNumber(MEMBER, 490 + row % 7 * 100).ok() &&
            record.setNumber(LPRICE, 690 + row % 7 * 100).ok() && record.setNumber(CASH1, 350 + row % 7 * 50).ok() &&
            record.setText(SUPP_NO, "S" + QByteArray::number(row % 40)).ok() &&
            record.setText(CUST_ABBR, supplierAbbr).ok() && record.setText(BUYDAT1, "2024/03/15").ok() &&
            record.setText(C_ITEM, colours[0] + "," + colours[1] + "," + colours[2]).ok() &&
            record.setText(S_ITEM, "S,M,L,XL").ok() && record.setNumber(UNIT_Q, 1).ok();
        if (!ok) {
            return fail(QStringLiteral("a value does not fit row %1").arg(row));
        }
        const DbfStatus appended = queue.append(record);
        if (!appended.ok()) {
            return fail(QStringLiteral("cannot append row %1: ").arg(row) + appended.error());
        }
    }
    const DbfStatus closed = queue.close();
    return closed.ok() || fail(QStringLiteral("cannot close ") + path + QStringLiteral(": ") + closed.error());
}

// The 25 columns the export benchmark writes, stored as the window will read them.
bool storeBenchSettings(const QString &directory)
{
    ProductOutputSettings settings;
    settings.columns = benchColumnEntries();
    ProfileFile ini;
    ini.setFileName(productOutputSettingsPath(directory));
    ini.setSection("SET");
    const QString failure = storeProductOutputSettings(ini, settings);
    return failure.isEmpty() || fail(failure);
}

// From pressing "檢查預覽" until the card view's first paint has finished.
double openPreview(ProductLabelWindow &window)
{
    auto *dialog = window.findChild<LabelCheckDialog *>();
    PaintWatch watch;
    dialog->cardView->viewport()->installEventFilter(&watch);
    QElapsedTimer timer;
    double milliseconds = -1;
    auto *poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, &window, [&] {
        if (watch.painted) {
            // A paint without cards (an empty queue, a failed check) is no preview.
            milliseconds = dialog->cardView->cardsPainted() > 0 ? double(timer.nsecsElapsed()) / 1e6 : -1;
            poll->stop();
            dialog->reject();
        }
    });
    // Zero-interval polls run once the events before them, the paint among them, are done.
    poll->start(0);
    timer.start();
    window.checkPreviewButton->click();
    return milliseconds;
}

// Child mode: the working directory holds "bar1.dbf". Prints
// "<milliseconds> <rows read> <peak RSS KiB> <rows in queue>", the
// milliseconds to the first painted cards with preview.
int openWindow(int argc, char **argv, const QString &directory, bool preview)
{
    QApplication app(argc, argv);
    if (!QDir::setCurrent(directory)) {
        return fail(QStringLiteral("cannot enter ") + directory), 1;
    }
    SilentPrompts prompts;
    NoLauncher launcher;
    ServerExchange exchange([] { return LinkSettings{}; });
    PaintWatch watch;

    QElapsedTimer timer;
    timer.start();
    ProductLabelWindow window(
        directory, exchange, [] { return SystemSettings{}; }, prompts, launcher);
    window.queueGrid->viewport()->installEventFilter(&watch);
    window.show();
    // The top level paints its children within one event, so once the
    // viewport's paint event has been seen and processEvents returns, it is done.
    while (!watch.painted) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    double milliseconds = double(timer.nsecsElapsed()) / 1e6;
    if (preview) {
        milliseconds = openPreview(window);
        if (milliseconds < 0) {
            return fail(QStringLiteral("the preview painted no cards")), 1;
        }
    }

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    if (!prompts.shown.isEmpty()) {
        return fail(QStringLiteral("the window said: ") + prompts.shown.join(QStringLiteral(" | "))), 1;
    }
    std::printf("%.2f %lld %ld %d\n", milliseconds, static_cast<long long>(window.queueModel().rowsRead()),
                usage.ru_maxrss, window.queueModel().rowCount());
    return 0;
}

struct Run {
    double milliseconds = 0;
    qint64 rowsRead = 0;
    long maxRssKiB = 0;
    int rows = 0;
};

bool runChild(const QString &directory, bool preview, Run &run)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM"))) {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList arguments = {QStringLiteral("--open"), directory};
    if (preview) {
        arguments << QStringLiteral("--preview");
    }
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForFinished(120000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        return fail(QStringLiteral("the window run failed"));
    }
    const QList<QByteArray> parts = child.readAllStandardOutput().trimmed().split(' ');
    if (parts.size() != 4) {
        return fail(QStringLiteral("unexpected output of the window run"));
    }
    run = {parts[0].toDouble(), parts[1].toLongLong(), parts[2].toLong(), parts[3].toInt()};
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 3 && qstrcmp(argv[1], "--open") == 0) {
        return openWindow(argc, argv, QString::fromLocal8Bit(argv[2]), argc == 4 && qstrcmp(argv[3], "--preview") == 0);
    }
    QCoreApplication app(argc, argv);
    int runs = 5;
    int rows = 100000;
    QString work;
    bool preview = false;
    const QStringList arguments = QCoreApplication::arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        const QString value = i + 1 < arguments.size() ? arguments[i + 1] : QString();
        if (arguments[i] == QStringLiteral("--preview")) {
            preview = true;
        } else if (arguments[i] == QStringLiteral("--runs")) {
            runs = std::max(1, value.toInt());
            ++i;
        } else if (arguments[i] == QStringLiteral("--rows")) {
            rows = std::max(0, value.toInt());
            ++i;
        } else if (arguments[i] == QStringLiteral("--work")) {
            work = value;
            ++i;
        }
    }
    QTemporaryDir temporary;
    if (work.isEmpty()) {
        work = temporary.path();
    } else if (!QDir().mkpath(work)) {
        return fail(QStringLiteral("cannot create ") + work), 1;
    }

    QElapsedTimer building;
    building.start();
    const QString table = QDir(work).filePath(fileName());
    QFile::remove(table);
    if (!buildTable(table, rows) || (preview && !storeBenchSettings(work))) {
        return 1;
    }
    std::printf("bar1.dbf: %d rows, %lld bytes, built in %lld ms\n", rows, static_cast<long long>(QFile(table).size()),
                static_cast<long long>(building.elapsed()));

    std::vector<double> times;
    long peakRssKiB = 0;
    Run run;
    for (int i = 0; i < runs; ++i) {
        if (!runChild(work, preview, run)) {
            return 1;
        }
        std::printf("run %d: %.1f ms to the painted %s, %lld rows read of %d, peak RSS %.1f MiB\n", i + 1,
                    run.milliseconds, preview ? "preview cards" : "grid", static_cast<long long>(run.rowsRead),
                    run.rows, run.maxRssKiB / 1024.0);
        times.push_back(run.milliseconds);
        peakRssKiB = std::max(peakRssKiB, run.maxRssKiB);
    }
    std::sort(times.begin(), times.end());
    std::printf("median %.1f ms over %d runs (target < 300 ms), peak RSS %.1f MiB, rows read %lld\n",
                times[times.size() / 2], runs, peakRssKiB / 1024.0, static_cast<long long>(run.rowsRead));
    return 0;
}
