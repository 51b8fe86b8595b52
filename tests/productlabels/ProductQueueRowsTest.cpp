#include "components/Big5.h"
#include "exchange/ServerReply.h"
#include "labelqueue/DbfTable.h"
#include "labelqueue/FillQueueFromReply.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueAccess.h"
#include "productlabels/ProductLabelLines.h"
#include "productlabels/ProductQueueTable.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
using namespace ProductQueueTable;

class ProductQueueRowsTest : public ::testing::Test
{
protected:
    ProductQueueRowsTest()
        : path(dir.filePath(QStringLiteral("bar1.dbf")))
    {
        EXPECT_TRUE(DbfTable::create(path, ProductQueueTable::fields()).ok());
        EXPECT_TRUE(queue.open(path).ok());
    }

    FillResult fill(const QByteArray &records, std::optional<double> countOverride = std::nullopt)
    {
        QueueWriter writer(queue, ProductQueueTable::side());
        FillOptions options;
        options.countOverride = countOverride;
        return fillQueueFromReply(ServerReply("DataOk\r\n" + records + "EOT\r\n"), writer, side(), options);
    }

    QTemporaryDir dir;
    QString path;
    LabelQueue queue{ProductQueueTable::fields()};
};

QByteArray record(const QList<QByteArray> &values)
{
    return values.join("\r\n") + "\r\n---------------------\r\n";
}
} // namespace

TEST_F(ProductQueueRowsTest, importedRowsReachTheTableCutToTheirWidthsAndExportFromIt)
{
    // 59 ASCII bytes then 長: the cut at 60 bytes must not split the character.
    const QByteArray longName = QByteArray(59, 'N') + Big5::fromUtf8Literal("長");
    const FillResult result =
        fill(record({"2", "I1", "A0001", longName, "RED", "L", "PCS", "590", ""}) +
             record({"1", "I2", "A0002", Big5::fromUtf8Literal("長褲"), "", "", "", "990", "790.5", "S01"}));
    ASSERT_TRUE(result.ok()) << result.error.toStdString();

    LabelQueue reopened(ProductQueueTable::fields());
    ASSERT_TRUE(reopened.open(path).ok());
    QueueReader reader(reopened, ProductQueueTable::side());
    ASSERT_EQ(reader.rowCount(), 2);
    ASSERT_TRUE(reader.read(0).isEmpty());
    EXPECT_EQ(reader.text(BARCODE), "A0001");
    EXPECT_EQ(reader.text(ITEM_NAME), QByteArray(59, 'N'));
    EXPECT_EQ(reader.number(QUAN), 2.0);
    EXPECT_EQ(reader.number(PRICE), 590.0);
    EXPECT_FALSE(reader.number(MEMBER).has_value());
    EXPECT_TRUE(reader.text(NOTEA10).isEmpty());
    ASSERT_TRUE(reader.read(1).isEmpty());
    EXPECT_EQ(reader.number(MEMBER), 790.5);
    EXPECT_EQ(reader.text(SUPP_NO), "S01");

    ProductOutputSettings settings;
    settings.columns = {Big5::fromUtf8Literal("產品條碼(20C)"), Big5::fromUtf8Literal("特價(沒有依牌價)"), "#NT"};
    const QString bars = dir.filePath(QStringLiteral("Bars.txt"));
    ASSERT_TRUE(writeProductLabelTextFile(reader, settings, bars, QDate(2026, 3, 1)).ok());
    QFile file(bars);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "A0001,$590,NT,2\r\nA0002,$790.5,NT,1\r\n");
}

TEST_F(ProductQueueRowsTest, aNumberTooWideForItsFieldStopsAtThatRecordAndKeepsTheRowsBefore)
{
    const FillResult result =
        fill(record({"1", "I1", "A0001", "N", "", "", "", "590"}) +
             record({"1", "I2", "A0002", "N", "", "", "", "1e15"}) + record({"1", "I3", "A0003"}));
    EXPECT_EQ(result.rowsAdded, 1);
    EXPECT_TRUE(result.error.contains(QStringLiteral("第 2 筆"))) << result.error.toStdString();
    EXPECT_TRUE(result.error.contains(QStringLiteral("PRICE"))) << result.error.toStdString();

    LabelQueue reopened(ProductQueueTable::fields());
    ASSERT_TRUE(reopened.open(path).ok());
    EXPECT_EQ(reopened.rowCount(), 1);
}

TEST_F(ProductQueueRowsTest, aPriceWithMoreDecimalsThanItsFieldIsStoredRoundedAndTheImportGoesOn)
{
    const FillResult result = fill(record({"1", "I1", "A0001", "N", "", "", "", "99.995", "1.005"}) +
                                   record({"1", "I2", "A0002", "N", "", "", "", "12.344"}));
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    QueueReader reader(queue, ProductQueueTable::side());
    ASSERT_EQ(reader.rowCount(), 2);
    ASSERT_TRUE(reader.read(0).isEmpty());
    EXPECT_EQ(reader.number(PRICE), 100.0);
    EXPECT_EQ(reader.number(MEMBER), 1.01);
    ASSERT_TRUE(reader.read(1).isEmpty());
    EXPECT_EQ(reader.number(PRICE), 12.34);
}

TEST_F(ProductQueueRowsTest, theCountOverrideIsStoredAsTyped)
{
    ASSERT_TRUE(fill(record({"7", "I1", "A0001"}) + record({"3", "I2", "A0002"}), -2).ok());
    QueueReader reader(queue, ProductQueueTable::side());
    for (int row = 0; row < 2; ++row) {
        ASSERT_TRUE(reader.read(row).isEmpty());
        EXPECT_EQ(reader.number(QUAN), -2.0);
    }
}

TEST_F(ProductQueueRowsTest, rowsReadWhileTheTableIsHeldAreTheRowsAsReadOneByOne)
{
    // More rows than one run holds, with deleted rows inside the first run and at the border of the next.
    QByteArray records;
    for (int i = 0; i < 2000; ++i) {
        records +=
            record({QByteArray::number(i % 7), "I", "B" + QByteArray::number(i), Big5::fromUtf8Literal("棉T恤")});
    }
    ASSERT_TRUE(fill(records).ok());
    const int perRun = (1 << 20) / DbfTable::open(path, ProductQueueTable::fields()).value()->recordLength();
    for (const int row : {perRun, perRun - 1, 3}) {
        ASSERT_TRUE(queue.moveTo(row));
        ASSERT_TRUE(queue.deleteCurrent().ok());
    }
    QueueReader reader(queue, ProductQueueTable::side());
    const auto rowText = [&](int row) {
        const QString error = reader.read(row);
        return error.isEmpty() ? reader.text(BARCODE) + ' ' + reader.text(ITEM_NAME) + ' ' +
                                     QByteArray::number(reader.number(QUAN).value_or(-1))
                               : error.toUtf8();
    };
    QList<QByteArray> oneByOne;
    for (int row = 0; row < reader.rowCount(); ++row) {
        oneByOne << rowText(row);
    }
    ASSERT_EQ(oneByOne.size(), 1997);
    EXPECT_EQ(oneByOne[3], "B4 " + Big5::fromUtf8Literal("棉T恤") + " 4");

    ASSERT_TRUE(reader.beginReading().isEmpty());
    QList<QByteArray> held;
    for (int row = 0; row < reader.rowCount(); ++row) {
        held << rowText(row);
    }
    // Back to the start and forward again: each row from wherever it lies.
    EXPECT_EQ(rowText(1996), oneByOne[1996]);
    EXPECT_EQ(rowText(0), oneByOne[0]);
    EXPECT_EQ(rowText(perRun + 5), oneByOne[perRun + 5]);
    EXPECT_FALSE(reader.read(1997).isEmpty());
    reader.endReading();
    EXPECT_EQ(held, oneByOne);
}
