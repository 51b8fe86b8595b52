#include "common/FullDisk.h"
#include "components/Big5.h"
#include "labelqueue/LabelCards.h"
#include "labelqueue/LabelCheck.h"
#include "labelqueue/proof/LabelProofSheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// One card a row, each with a Chinese name and its barcode.
class BarcodeCards : public LabelCardSource
{
public:
    explicit BarcodeCards(const QList<QByteArray> &barcodes, double count = 1)
        : barcodes_(barcodes)
    {
        LabelChecker checker(LabelTextRules::Layout::Comma, false, int(barcodes.size()));
        for (int row = 0; row < barcodes.size(); ++row) {
            checker.beginRow(row + 1, "BARCODE", barcodes[row], "QUAN", count);
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

const QByteArray oldSheet = "%PDF-1.4\n% yesterday's sheet\n%%EOF\n";

bool put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

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
    ASSERT_TRUE(put(pdf, oldSheet));
    QList<QByteArray> barcodes;
    for (int row = 0; row < 200; ++row) {
        barcodes << "A" + QByteArray::number(row);
    }
    BarcodeCards cards(barcodes);
    const QString stopped = writeLabelProofSheet(cards, pdf, [](qint64 done, qint64) { return done < 100; });
    EXPECT_FALSE(stopped.isEmpty());
    EXPECT_EQ(contents(pdf), oldSheet) << "the old file stays as it was";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"proof.pdf"}) << "no temporary file is left";

    const QString failure = writeLabelProofSheet(cards, dir.filePath(QStringLiteral("missing/proof.pdf")));
    EXPECT_TRUE(failure.startsWith(QStringLiteral("無法寫入 "))) << failure.toStdString();
}

TEST(LabelProofSheet, aFullDiskLeavesTheOldSheetWholeAndSaysWhy)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("proof.pdf"));
    BarcodeCards cards({"4006381333931", "96385074", "036000291452", "A0001-BK-XL"});
    ASSERT_EQ(writeLabelProofSheet(cards, pdf), QString());
    const rlim_t whole = rlim_t(QFileInfo(pdf).size());
    // No room, room for half, room for all but the last byte.
    for (const rlim_t room : {rlim_t(0), whole / 2, whole - 1}) {
        SCOPED_TRACE(room);
        ASSERT_TRUE(put(pdf, oldSheet));
        QString failure;
        {
            const FullDisk full(room);
            failure = writeLabelProofSheet(cards, pdf);
        }
        EXPECT_TRUE(failure.startsWith(QStringLiteral("無法寫入 "))) << failure.toStdString();
        EXPECT_EQ(contents(pdf), oldSheet);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"proof.pdf"});
    }
}

TEST(LabelProofSheet, aCountBeyondReasonIsRefusedWithItsRowNamed)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("proof.pdf"));
    for (const double count : {1e19, 1e308, 9999999.0, 100000.0}) {
        SCOPED_TRACE(count);
        BarcodeCards cards({"A0001"}, count);
        const QString refused = writeLabelProofSheet(cards, pdf);
        EXPECT_TRUE(refused.contains(QStringLiteral("第 1 筆的張數"))) << refused.toStdString();
        EXPECT_FALSE(QFile::exists(pdf));
    }
}

TEST(LabelProofSheet, neverReplacesAnythingButAnOldSheet)
{
    QTemporaryDir dir;
    const auto at = [&](const char *name) { return dir.filePath(QString::fromLatin1(name)); };
    const QByteArray table = QByteArray("\x03\x7e\x03\x01", 4) + QByteArray(60, '\0');
    const QByteArray settings = "[SETTING]\r\nSERVER=127.0.0.1/bar\r\n";
    ASSERT_TRUE(put(at("bar1.dbf"), table));
    ASSERT_TRUE(put(at("SysSet.ini"), settings));
    ASSERT_TRUE(put(at("Bars.txt"), "A0001,1\r\n"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(at("pipe")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(at("pipe"), at("link.pdf")));
    BarcodeCards cards({"A0001"});
    for (const char *name : {"bar1.dbf", "SysSet.ini", "Bars.txt", "pipe", "link.pdf"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(writeLabelProofSheet(cards, at(name)).isEmpty());
    }
    EXPECT_EQ(contents(at("bar1.dbf")), table);
    EXPECT_EQ(contents(at("SysSet.ini")), settings);
    EXPECT_EQ(contents(at("Bars.txt")), "A0001,1\r\n");
    EXPECT_TRUE(QFileInfo(at("link.pdf")).isSymLink());
    EXPECT_FALSE(QFileInfo(at("pipe")).isFile());

    ASSERT_TRUE(put(at("old.pdf"), oldSheet));
    for (const char *name : {"new.pdf", "old.pdf"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(writeLabelProofSheet(cards, at(name)), QString());
        EXPECT_TRUE(contents(at(name)).startsWith("%PDF-"));
    }
}

} // namespace
