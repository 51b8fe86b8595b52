#include "components/Big5.h"
#include "labelqueue/LabelCards.h"
#include "labelqueue/LabelCheck.h"
#include "labelqueue/proof/LabelProofSheet.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// One card a row, each with a Chinese name and its barcode.
class BarcodeCards : public LabelCardSource
{
public:
    explicit BarcodeCards(const QList<QByteArray> &barcodes)
        : barcodes_(barcodes)
    {
        LabelChecker checker(LabelTextRules::Layout::Comma, false, int(barcodes.size()));
        for (int row = 0; row < barcodes.size(); ++row) {
            checker.beginRow(row + 1, "BARCODE", barcodes[row], "QUAN", 1);
        }
        report_ = checker.finish();
    }
    const LabelCheckReport &report() const override { return report_; }
    LabelCard card(qint64 line) override
    {
        return {int(line) + 1, barcodes_[int(line)], {{Big5::fromUtf8Literal("品名(42C)"), Big5::fromUtf8Literal("棉質圓領T恤")}},
                "1"};
    }

private:
    QList<QByteArray> barcodes_;
    LabelCheckReport report_;
};

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(LabelProofSheet, aScannerReadsEveryBarcodeOfTheSheetAsTheQueueHoldsIt)
{
    if (QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) {
        GTEST_SKIP() << "zbar-tools and poppler-utils read the sheet back";
    }
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("proof.pdf"));
    BarcodeCards cards({"4006381333931", "96385074", "036000291452", "A0001-BK-XL"});
    ASSERT_EQ(writeLabelProofSheet(cards, pdf), QString());

    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("200"), QStringLiteral("-png"), pdf,
                                     dir.filePath(QStringLiteral("page"))});
    QStringList read = run(QStringLiteral("zbarimg"), {QStringLiteral("-q"), QStringLiteral("-Supca.enable"),
                                                      dir.filePath(QStringLiteral("page-1.png"))})
                           .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    read.sort();
    EXPECT_EQ(read, (QStringList{"CODE-128:A0001-BK-XL", "EAN-13:4006381333931", "EAN-8:96385074",
                                 "UPC-A:036000291452"}));
}

TEST(LabelProofSheet, aSheetThatCannotBeFinishedLeavesTheOldFileAlone)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("proof.pdf"));
    ASSERT_TRUE(QFile(pdf).open(QIODevice::WriteOnly));
    QList<QByteArray> barcodes;
    for (int row = 0; row < 200; ++row) {
        barcodes << "A" + QByteArray::number(row);
    }
    BarcodeCards cards(barcodes);
    const QString stopped = writeLabelProofSheet(cards, pdf, [](qint64 done, qint64) { return done < 100; });
    EXPECT_FALSE(stopped.isEmpty());
    EXPECT_EQ(QFile(pdf).size(), 0) << "the old file stays as it was";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"proof.pdf"}) << "no temporary file is left";

    const QString failure = writeLabelProofSheet(cards, dir.filePath(QStringLiteral("missing/proof.pdf")));
    EXPECT_TRUE(failure.startsWith(QStringLiteral("無法寫入 "))) << failure.toStdString();
}

} // namespace
