// Prints how long a proof sheet of many labels takes and how much memory it
// needs: a synthetic queue of one label a row, 20 columns each (Chinese
// names, sizes, prices) and a 13-digit barcode, written by
// writeLabelProofSheet to a temporary PDF. Figures only; nothing is asserted.
#include "components/Big5.h"
#include "labelqueue/LabelCards.h"
#include "labelqueue/LabelCheck.h"
#include "labelqueue/proof/LabelProofSheet.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int columnCount = 20;

class SyntheticCards : public LabelCardSource
{
public:
    explicit SyntheticCards(int rows)
    {
        LabelChecker checker(LabelTextRules::Layout::Comma, false, rows);
        for (int row = 0; row < rows; ++row) {
            checker.beginRow(row + 1, "BARCODE", barcode(row), "QUAN", 1);
        }
        report_ = checker.finish();
        const char *const names[] = {"品名(42C)", "顏色", "尺寸", "定價", "特價",
                                     "廠商",      "季別", "材質", "產地", "類別"};
        const char *const values[] = {"棉質圓領T恤", "深藍",     "XL",     "NT$590", "NT$399",
                                      "維瑪服飾",    "2026秋冬", "棉100%", "台灣",   "上衣"};
        for (int i = 0; i < columnCount; ++i) {
            columns_.emplace_back(Big5::fromUtf8Literal(names[i % 10]) + QByteArray::number(i / 10),
                                  Big5::fromUtf8Literal(values[i % 10]));
        }
    }
    const LabelCheckReport &report() const override { return report_; }
    LabelCard card(qint64 line) override
    {
        LabelCard card{int(line) + 1, barcode(line), columns_, "1"};
        card.columns[0].second += QByteArray::number(line);
        return card;
    }

private:
    // EAN-13 with its right check digit, as most of a store's products have.
    static QByteArray barcode(qint64 line)
    {
        QByteArray digits = QByteArray::number(471000000000 + line);
        int sum = 0;
        for (int i = 0; i < 12; ++i) {
            sum += (digits.at(i) - '0') * (i % 2 ? 3 : 1);
        }
        return digits + char('0' + (10 - sum % 10) % 10);
    }
    LabelCheckReport report_;
    std::vector<std::pair<QByteArray, QByteArray>> columns_;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int labels = 100000;
    const QStringList arguments = QApplication::arguments();
    for (int i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments.at(i) == QStringLiteral("--labels")) {
            labels = std::max(1, arguments.at(i + 1).toInt());
        }
    }
    SyntheticCards cards(labels);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("proof.pdf"));
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    const double cpuBeforeMs = double(before.ru_utime.tv_sec + before.ru_stime.tv_sec) * 1000 +
                               double(before.ru_utime.tv_usec + before.ru_stime.tv_usec) / 1000;
    QElapsedTimer timer;
    timer.start();
    const QString error = writeLabelProofSheet(cards, pdf);
    if (qEnvironmentVariableIsSet("PROOF_KEEP"))
        QFile::copy(pdf, qEnvironmentVariable("PROOF_KEEP"));
    const double ms = double(timer.elapsed());
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        return 1;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double cpuMs = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000 +
                         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000 - cpuBeforeMs;
    std::printf("%d labels of %d columns: %.0f ms (%.3f ms a label; target for 100,000: <= 25 s), CPU %.0f ms, "
                "sheet %.1f MiB, peak RSS %.1f MiB\n",
                labels, columnCount, ms, ms / labels, cpuMs, double(QFileInfo(pdf).size()) / (1024 * 1024),
                double(usage.ru_maxrss) / 1024);
    return 0;
}
