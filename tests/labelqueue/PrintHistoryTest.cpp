#include "labelqueue/PrintHistory.h"

#include "labelqueue/DbfTable.h"
#include "labelqueue/LabelExport.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/LabelQueueModel.h"
#include "labelqueue/Packing.h"
#include "labelqueue/QueueAccess.h"
#include "labelqueue/QueueRequeue.h"
#include "labelqueue/QueueRowSubset.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

enum { Quan, ItemNo, Name };

const QueueSide &side()
{
    static const QueueSide side{QStringLiteral("bar1.dbf"),
                                {
                                    {"QUAN", DbfFieldType::Numeric, 10, 2},
                                    {"ITEM_NO", DbfFieldType::Text, 20, 0},
                                    {"NAME", DbfFieldType::Text, 20, 0},
                                },
                                {Quan, ItemNo, Name},
                                QStringLiteral("產品資料"),
                                Name};
    return side;
}

class PrintHistoryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tablePath = dir.filePath(QStringLiteral("bar1.dbf"));
        labelPath = dir.filePath(QStringLiteral("Bars.txt"));
        ASSERT_TRUE(DbfTable::create(tablePath, side().fields).ok());
        ASSERT_TRUE(queue.open(tablePath).ok());
        queue.setJournal(std::make_shared<QueueJournal>(QueueJournal::pathBeside(tablePath)));
        for (int i = 0; i < 3; ++i) {
            append("ITEM" + QByteArray::number(i), "\xAA\xE1\xA6\xE7 " + QByteArray::number(i), i + 1);
        }
    }

    void append(const QByteArray &itemNo, const QByteArray &name, double count)
    {
        DbfRecord record = queue.blankRecord();
        ASSERT_TRUE(record.setNumber(Quan, count).ok());
        ASSERT_TRUE(record.setText(ItemNo, itemNo).ok());
        ASSERT_TRUE(record.setText(Name, name).ok());
        ASSERT_TRUE(queue.append(record).ok());
    }

    // An export of rows as both sides make one: a line a row.
    ExportResult exportRows(QueueRowSource &rows)
    {
        return exportLabelFile(rows, labelPath, "CHK13=1\n", [&] {
            LabelTextFileResult result;
            QFile file(labelPath);
            if (file.open(QIODevice::WriteOnly)) {
                for (int row = 0; row < rows.rowCount(); ++row) {
                    rows.read(row);
                    file.write(rows.text(ItemNo).toByteArray() + "\r\n");
                }
                result.outcome = LabelTextFileResult::Outcome::Written;
                result.lines = rows.rowCount();
            }
            return result;
        });
    }

    qint64 newestExport() const
    {
        const auto exports = PrintHistory(QueueJournal::pathBeside(tablePath)).exports(QStringLiteral("bar1.dbf"));
        return exports.ok() && !exports.value().empty() ? exports.value().front().id : 0;
    }

    QByteArray tableBytes() const
    {
        QFile file(tablePath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString tablePath;
    QString labelPath;
    LabelQueue queue{side().fields};
};

} // namespace

TEST_F(PrintHistoryTest, aChosenExportKeepsItsRowsAndTheyGoBackInTheQueueAsOneUndoableChange)
{
    QueueReader allRows(queue, side());
    QueueRowSubset chosen(allRows, queue, {queue.recordNumber(0), queue.recordNumber(2)});
    ASSERT_EQ(exportRows(chosen).kind, ExportResult::Kind::Written);
    const qint64 id = newestExport();
    ASSERT_GT(id, 0);

    const DbfResult<ExportedRows> kept = PrintHistory(QueueJournal::pathBeside(tablePath)).rowsOf("bar1.dbf", id);
    ASSERT_TRUE(kept.ok()) << kept.error().toStdString();
    EXPECT_EQ(kept.value().settings(), "CHK13=1\n");
    EXPECT_EQ(kept.value().fieldNames(), (QList<QByteArray>{"QUAN", "ITEM_NO", "NAME"}));
    ASSERT_EQ(kept.value().rowCount(), 2);
    EXPECT_EQ(kept.value().value(1, Quan), "3.00");
    EXPECT_EQ(kept.value().value(1, ItemNo), "ITEM2");
    EXPECT_EQ(kept.value().value(1, Name), "\xAA\xE1\xA6\xE7 2");

    // Changed after the export: the queue gets the rows as they went out.
    ASSERT_TRUE(queue.empty().ok());
    append("OTHER", "x", 9);
    const QByteArray before = tableBytes();
    const DbfResult<int> added = requeueExport(queue, id);
    ASSERT_TRUE(added.ok()) << added.error().toStdString();
    EXPECT_EQ(added.value(), 2);
    ASSERT_EQ(queue.rowCount(), 3);
    const DbfRecord last = queue.readRow(2).value();
    EXPECT_EQ(last.text(ItemNo), "ITEM2");
    EXPECT_EQ(last.text(Name), "\xAA\xE1\xA6\xE7 2");
    EXPECT_EQ(last.number(Quan), 3.0);
    const QByteArray after = tableBytes();

    ASSERT_EQ(queue.nextUndo()->description(), QStringLiteral("加回佇列 (2 筆)"));
    ASSERT_TRUE(queue.undo().ok());
    EXPECT_EQ(tableBytes(), before);
    ASSERT_TRUE(queue.redo().ok());
    EXPECT_EQ(tableBytes(), after);
}

TEST_F(PrintHistoryTest, aRequeueThatDoesNotFitAddsNothing)
{
    PrintHistory history(QueueJournal::pathBeside(tablePath));
    ExportedRowsPacker rows({"QUAN", "ITEM_NO"}, {});
    rows.addRow([](int field) { return field == Quan ? QByteArrayView("5") : QByteArrayView("FITS"); });
    rows.addRow([](int field) { return field == Quan ? QByteArrayView("123456789012") : QByteArrayView("TOO"); });
    PrintedExport printed;
    printed.made = QDateTime::currentDateTime();
    ASSERT_TRUE(history.record("bar1.dbf", printed, Packing::pack("x"), rows.finish(), {}).ok());
    const QByteArray before = tableBytes();

    const DbfResult<int> added = requeueExport(queue, newestExport());
    ASSERT_FALSE(added.ok());
    EXPECT_TRUE(added.error().contains(QStringLiteral("第 2 筆"))) << added.error().toStdString();
    EXPECT_TRUE(added.error().contains(QStringLiteral("QUAN"))) << added.error().toStdString();
    EXPECT_EQ(tableBytes(), before);
    EXPECT_FALSE(requeueExport(queue, newestExport() + 1).ok());
}

TEST_F(PrintHistoryTest, aRowIsMarkedPrintedWhileItHoldsWhatTheExportWrote)
{
    LabelQueueModel model(queue, {{Quan, QStringLiteral("張數")}, {ItemNo, QStringLiteral("貨號")}});
    QueueReader allRows(queue, side());
    QueueRowSubset firstTwo(allRows, queue, {queue.recordNumber(0), queue.recordNumber(1)});
    ASSERT_EQ(exportRows(firstTwo).kind, ExportResult::Kind::Written);
    model.refreshPrinted();
    EXPECT_EQ(model.printedRows(), 2);
    EXPECT_TRUE(model.isPrinted(0));
    EXPECT_TRUE(model.isPrinted(1));
    EXPECT_FALSE(model.isPrinted(2));

    // A count changed and put back; a row deleted.
    ASSERT_TRUE(model.setData(model.index(0, 0), 7));
    EXPECT_FALSE(model.isPrinted(0));
    ASSERT_TRUE(model.setData(model.index(0, 0), 1));
    EXPECT_TRUE(model.isPrinted(0));
    model.setCurrentRow(1);
    ASSERT_TRUE(model.deleteCurrentRow().ok());
    EXPECT_EQ(model.printedRows(), 1);

    // A later export adds its rows to the marks; a new model reads them all.
    QueueRowSubset last(allRows, queue, {queue.recordNumber(1)});
    ASSERT_EQ(exportRows(last).kind, ExportResult::Kind::Written);
    LabelQueueModel reopened(queue, {{Quan, QStringLiteral("張數")}});
    EXPECT_EQ(reopened.printedRows(), 2);

    // After delete-all the same rows imported again are new ones.
    ASSERT_TRUE(model.emptyQueue().ok());
    append("ITEM0", "\xAA\xE1\xA6\xE7 0", 1);
    model.reload();
    EXPECT_EQ(model.printedRows(), 0);
}

TEST(PackingTest, readsItsOwnFormAndEarlierOnesAndRefusesDamagedOnes)
{
    const QByteArray label = QByteArray("A1001-BK-L,\xAA\xE1\xA6\xE7,590\r\n").repeated(50000);
    const QByteArray packed = Packing::pack(label);
    ASSERT_LT(packed.size(), label.size() / 20);
    struct Case {
        const char *name;
        QByteArray stored;
        std::optional<QByteArray> expected;
    };
    const Case cases[] = {
        {"packed", packed, label},
        {"packed empty", Packing::pack({}), QByteArray()},
        {"an earlier version's", qCompress(label, 1), label},
        {"cut short", packed.first(packed.size() / 2), std::nullopt},
        {"not packed at all", QByteArray("\x28\xB5\x2F\xFD garbage"), std::nullopt},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(Packing::unpack(c.stored), c.expected) << c.name;
    }
}
