#include "labelqueue/DbfTable.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/LabelQueueModel.h"
#include "labelqueue/QueueDeletion.h"

#include <QAbstractItemModelTester>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <vector>

namespace {

enum Field { QUAN, ITEM_NO };

const QList<DbfFieldSpec> &fields()
{
    static const QList<DbfFieldSpec> all = {
        {"QUAN", DbfFieldType::Numeric, 10, 2, true},
        {"ITEM_NO", DbfFieldType::Text, 20, 0, true},
    };
    return all;
}

QList<QueueColumn> columns()
{
    QueueColumn quan;
    quan.field = QUAN;
    quan.title = QStringLiteral("列印張數");
    QueueColumn item;
    item.field = ITEM_NO;
    item.title = QStringLiteral("產品貨號/條碼");
    return {quan, item};
}

// A queue of the items A to F (records 0 to 5), its grid showing some of them.
class ChosenRowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = dir.filePath(QStringLiteral("queue.dbf"));
        ASSERT_TRUE(DbfTable::create(path, fields()).ok());
        ASSERT_TRUE(queue.open(path).ok());
        for (const char *item : {"A", "B", "C", "D", "E", "F"}) {
            append(item);
        }
        model = std::make_unique<LabelQueueModel>(queue, columns());
        tester = std::make_unique<QAbstractItemModelTester>(model.get(),
                                                            QAbstractItemModelTester::FailureReportingMode::Warning);
    }

    void append(const char *item)
    {
        DbfRecord record = queue.blankRecord();
        ASSERT_TRUE(record.setText(ITEM_NO, item).ok());
        ASSERT_TRUE(record.setNumber(QUAN, 1).ok());
        ASSERT_TRUE(queue.append(record).ok());
    }

    QStringList shown() const
    {
        QStringList items;
        for (int row = 0; row < model->rowCount(); ++row) {
            items.append(model->data(model->index(row, 1)).toString());
        }
        return items;
    }

    // The items in the file, read by a queue of its own.
    QStringList stored() const
    {
        LabelQueue other(fields());
        EXPECT_TRUE(other.open(path).ok());
        QStringList items;
        for (int row = 0; row < other.rowCount(); ++row) {
            items.append(QString::fromLatin1(other.readRow(row).value().text(ITEM_NO)));
        }
        return items;
    }

    QTemporaryDir dir;
    QString path;
    LabelQueue queue{fields()};
    std::unique_ptr<LabelQueueModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(ChosenRowsTest, theCurrentRowStaysWhenShownAndOtherwiseTheNextShownOneIsCurrent)
{
    const struct {
        const char *name;
        int current;
        std::vector<int> chosen;
        int expected; // grid row
    } cases[] = {
        {"still shown", 3, {1, 3, 5}, 1},
        {"hidden: the next one shown", 2, {1, 3, 5}, 1},
        {"hidden after the last: the last", 5, {1, 3}, 1},
        {"nothing shown", 2, {}, -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        model->showOnlyRecords(std::nullopt);
        model->setCurrentRow(c.current);
        model->showOnlyRecords(c.chosen);
        EXPECT_EQ(model->rowCount(), int(c.chosen.size()));
        EXPECT_EQ(model->currentRow(), c.expected);
    }
    model->showOnlyRecords(std::nullopt);
    EXPECT_EQ(shown(), (QStringList{"A", "B", "C", "D", "E", "F"}));
}

TEST_F(ChosenRowsTest, editAndDeleteTakeTheRecordTheGridRowShows)
{
    model->showOnlyRecords(std::vector<int>{1, 3, 5});
    ASSERT_EQ(shown(), (QStringList{"B", "D", "F"}));
    EXPECT_TRUE(model->setData(model->index(1, 1), QStringLiteral("D2")));
    model->setCurrentRow(1);
    const DbfStatus deleted = model->deleteCurrentRow();
    ASSERT_TRUE(deleted.ok()) << deleted.error().toStdString();
    EXPECT_EQ(stored(), (QStringList{"A", "B", "C", "E", "F"})) << "D2, the row marked, is gone";
    EXPECT_EQ(shown(), (QStringList{"B", "F"}));
    EXPECT_EQ(model->currentRow(), 1) << "the next shown row takes its place";
    EXPECT_EQ(model->data(model->index(1, 1)).toString(), QStringLiteral("F"));

    ASSERT_TRUE(model->deleteRows({0, 1}).ok());
    EXPECT_EQ(stored(), (QStringList{"A", "C", "E"}));
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_TRUE(model->atStart() && model->atEnd()) << "an empty choice reads as an empty queue";
}

TEST_F(ChosenRowsTest, theWalkStopsAtTheShownEndsWithTheQueuesFlags)
{
    model->showOnlyRecords(std::vector<int>{1, 3});
    model->moveFirst();
    EXPECT_TRUE(model->atStart());
    EXPECT_FALSE(model->movePrior());
    EXPECT_TRUE(model->moveNext());
    EXPECT_EQ(model->currentRow(), 1);
    EXPECT_EQ(queue.currentRow(), 3);
    EXPECT_FALSE(model->atEnd()) << "set only by a move that found no row";
    EXPECT_FALSE(model->moveNext());
    EXPECT_TRUE(model->atEnd());
    EXPECT_EQ(queue.currentRow(), 3);
}

TEST_F(ChosenRowsTest, rowsAddedWhileRowsAreChosenAreShownToo)
{
    model->showOnlyRecords(std::vector<int>{0, 2});
    append("G");
    append("H");
    model->rowsAppendedToQueue();
    EXPECT_EQ(shown(), (QStringList{"A", "C", "G", "H"}));
    EXPECT_EQ(model->chosenRecords(), (std::vector<int>{0, 2, 6, 7}));
}

TEST_F(ChosenRowsTest, theEngineDeletesManyRowsAsOneChange)
{
    const DbfResult<int> deleted = deleteQueueRecords(queue, {0, 2, 4, 9});
    ASSERT_TRUE(deleted.ok()) << deleted.error().toStdString();
    EXPECT_EQ(deleted.value(), 3) << "a record that is not there is passed over";
    EXPECT_EQ(stored(), (QStringList{"B", "D", "F"}));
}

} // namespace
