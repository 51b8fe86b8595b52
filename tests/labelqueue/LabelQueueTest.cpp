#include "labelqueue/LabelQueue.h"

#include "labelqueue/DbfFixture.h"
#include "labelqueue/DbfTable.h"
#include "labelqueue/TableFileLock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

namespace {

enum { Quan, ItemNo };

const QList<DbfFieldSpec> &queueFields()
{
    static const QList<DbfFieldSpec> fields = {
        {"QUAN", DbfFieldType::Numeric, 10, 2},
        {"ITEM_NO", DbfFieldType::Text, 20, 0},
    };
    return fields;
}

QByteArray name(int i)
{
    return QByteArray("ROW") + QByteArray::number(i);
}

DbfRecord namedRecord(const LabelQueue &queue, const QByteArray &itemNo)
{
    DbfRecord r = queue.blankRecord();
    EXPECT_TRUE(r.setText(ItemNo, itemNo).ok());
    EXPECT_TRUE(r.setNumber(Quan, 1).ok());
    return r;
}

class LabelQueueTest : public ::testing::Test
{
protected:
    QString makeTable(int rows)
    {
        const QString path = dir.filePath(QStringLiteral("bar1.dbf"));
        QFile::remove(path);
        EXPECT_TRUE(DbfTable::create(path, queueFields()).ok());
        auto table = DbfTable::open(path, queueFields());
        for (int i = 0; i < rows; ++i) {
            DbfRecord r = table.value()->blankRecord();
            r.setText(ItemNo, name(i));
            EXPECT_TRUE(table.value()->append(r).ok());
        }
        return path;
    }

    std::vector<QByteArray> itemNumbers(const LabelQueue &queue)
    {
        std::vector<QByteArray> names;
        for (int row = 0; row < queue.rowCount(); ++row) {
            names.push_back(queue.readRow(row).value().text(ItemNo));
        }
        return names;
    }

    QTemporaryDir dir;
};

enum class Op { Open, First, Prior, Next, MoveTo, BeginAppend, CancelAppend, Append, UpdateRow, Delete, Empty, Close };

struct Step {
    Op op;
    int argument;
    int current;
    bool atStart;
    bool atEnd;
    int rows;
};

constexpr bool S = true;
constexpr bool E = true;
constexpr bool _ = false;

TEST_F(LabelQueueTest, positionFlagsFollowEveryMoveAsTheDataSetSetsThem)
{
    struct Case {
        const char *name;
        int rows;
        std::vector<Step> steps;
    } cases[] = {
        {"empty table: both flags from the start, moves change nothing",
         0,
         {{Op::Open, 0, -1, S, E, 0},
          {Op::Prior, 0, -1, S, E, 0},
          {Op::Next, 0, -1, S, E, 0},
          {Op::First, 0, -1, S, E, 0},
          {Op::BeginAppend, 0, 0, _, E, 0},
          {Op::CancelAppend, 0, -1, S, E, 0},
          {Op::Append, 0, 0, _, _, 1},
          {Op::Delete, 0, -1, S, E, 0}}},
        {"one row: the flags take turns",
         1,
         {{Op::Open, 0, 0, S, _, 1},
          {Op::Next, 0, 0, _, E, 1},
          {Op::Next, 0, 0, _, E, 1},
          {Op::Prior, 0, 0, S, _, 1},
          {Op::Prior, 0, 0, S, _, 1},
          {Op::Next, 0, 0, _, E, 1},
          {Op::First, 0, 0, S, _, 1}}},
        {"three rows: an end is reported by the move after the one that reached it",
         3,
         {{Op::Open, 0, 0, S, _, 3},
          {Op::Next, 0, 1, _, _, 3},
          {Op::Next, 0, 2, _, _, 3},
          {Op::Next, 0, 2, _, E, 3},
          {Op::Next, 0, 2, _, E, 3},
          {Op::Prior, 0, 1, _, _, 3},
          {Op::Prior, 0, 0, _, _, 3},
          {Op::Prior, 0, 0, S, _, 3},
          {Op::MoveTo, 2, 2, _, _, 3},
          {Op::MoveTo, 2, 2, _, _, 3},
          {Op::First, 0, 0, S, _, 3}}},
        {"three rows: storing, appending and deleting clear the flags",
         3,
         {{Op::Open, 0, 0, S, _, 3},
          {Op::UpdateRow, 0, 0, _, _, 3},
          {Op::MoveTo, 2, 2, _, _, 3},
          {Op::Next, 0, 2, _, E, 3},
          {Op::BeginAppend, 0, 3, _, E, 3},
          {Op::Prior, 0, 1, _, _, 3},
          {Op::BeginAppend, 0, 3, _, E, 3},
          {Op::CancelAppend, 0, 2, _, _, 3},
          {Op::Append, 0, 3, _, _, 4},
          {Op::First, 0, 0, S, _, 4},
          {Op::Delete, 0, 0, _, _, 3},
          {Op::MoveTo, 2, 2, _, _, 3},
          {Op::Delete, 0, 1, _, _, 2},
          {Op::Delete, 0, 0, _, _, 1},
          {Op::Delete, 0, -1, S, E, 0}}},
        {"emptying and closing leave both flags set",
         3,
         {{Op::Open, 0, 0, S, _, 3},
          {Op::MoveTo, 1, 1, _, _, 3},
          {Op::Empty, 0, -1, S, E, 0},
          {Op::Append, 0, 0, _, _, 1},
          {Op::Close, 0, -1, S, E, 0},
          {Op::Next, 0, -1, S, E, 0},
          {Op::Prior, 0, -1, S, E, 0},
          {Op::Delete, 0, -1, S, E, 0}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = makeTable(c.rows);
        LabelQueue queue(queueFields());
        EXPECT_TRUE(queue.atStart() && queue.atEnd());
        for (size_t i = 0; i < c.steps.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "step " << i);
            const Step &step = c.steps[i];
            switch (step.op) {
            case Op::Open:
                ASSERT_TRUE(queue.open(path).ok());
                break;
            case Op::First:
                queue.first();
                break;
            case Op::Prior:
                queue.prior();
                break;
            case Op::Next:
                queue.next();
                break;
            case Op::MoveTo:
                queue.moveTo(step.argument);
                break;
            case Op::BeginAppend:
                queue.beginAppend();
                break;
            case Op::CancelAppend:
                queue.cancelAppend();
                break;
            case Op::Append:
                ASSERT_TRUE(queue.append(namedRecord(queue, "NEW")).ok());
                break;
            case Op::UpdateRow:
                ASSERT_TRUE(
                    queue.update(step.argument, namedRecord(queue, "CHANGED"), queue.readRow(step.argument).value())
                        .ok());
                break;
            case Op::Delete:
                queue.deleteCurrent();
                break;
            case Op::Empty:
                ASSERT_TRUE(queue.empty().ok());
                break;
            case Op::Close:
                queue.close();
                break;
            }
            EXPECT_EQ(queue.currentRow(), step.current);
            EXPECT_EQ(queue.atStart(), step.atStart);
            EXPECT_EQ(queue.atEnd(), step.atEnd);
            EXPECT_EQ(queue.rowCount(), step.rows);
        }
    }
}

TEST_F(LabelQueueTest, deletedRowsAreSkippedByEveryReadAndAfterReopening)
{
    const QString path = makeTable(4);
    LabelQueue queue(queueFields());
    ASSERT_TRUE(queue.open(path).ok());
    ASSERT_TRUE(queue.moveTo(1));
    ASSERT_TRUE(queue.deleteCurrent().ok());
    EXPECT_EQ(queue.currentRow(), 1);
    EXPECT_EQ(itemNumbers(queue), (std::vector<QByteArray>{name(0), name(2), name(3)}));
    EXPECT_EQ(queue.recordNumber(1), 2);
    EXPECT_FALSE(queue.readRow(3).ok());

    ASSERT_TRUE(queue.append(namedRecord(queue, "NEW")).ok());
    LabelQueue other(queueFields());
    ASSERT_TRUE(other.open(path).ok());
    EXPECT_EQ(itemNumbers(other), (std::vector<QByteArray>{name(0), name(2), name(3), "NEW"}));
}

TEST_F(LabelQueueTest, emptyingRemovesEveryRowAndKeepsTheTable)
{
    const QString path = makeTable(3);
    LabelQueue queue(queueFields());
    ASSERT_TRUE(queue.open(path).ok());
    ASSERT_TRUE(queue.deleteCurrent().ok());
    ASSERT_TRUE(queue.empty().ok());
    EXPECT_TRUE(queue.isOpen());
    EXPECT_EQ(queue.rowCount(), 0);
    const QByteArray bytes = readFile(path);
    EXPECT_EQ(bytes.size(), 32 + 2 * 32 + 1 + 1);
    EXPECT_EQ(quint8(bytes.at(29)), DbfCodePageCp950);

    ASSERT_TRUE(queue.append(namedRecord(queue, "AGAIN")).ok());
    LabelQueue other(queueFields());
    ASSERT_TRUE(other.open(path).ok());
    EXPECT_EQ(itemNumbers(other), (std::vector<QByteArray>{"AGAIN"}));
}

TEST_F(LabelQueueTest, aTableThatCannotOpenLeavesTheQueueClosedWithBothFlags)
{
    const QString path = dir.filePath(QStringLiteral("bar1.dbf"));
    ASSERT_TRUE(writeFile(path, QByteArray("not a table")));
    LabelQueue queue(queueFields());
    const DbfStatus opened = queue.open(path);
    EXPECT_FALSE(opened.ok());
    EXPECT_FALSE(queue.isOpen());
    EXPECT_TRUE(queue.atStart() && queue.atEnd());
    EXPECT_FALSE(queue.append(queue.blankRecord()).ok());
    EXPECT_FALSE(queue.empty().ok());
    EXPECT_EQ(readFile(path), QByteArray("not a table"));
}

// Two writers on one queue table, as two windows, or a window and the command
// line, or two computers over a shared folder would be: each object here
// opens the file for itself, and the operating system's lock keeps them apart
// exactly as it keeps two processes apart.
class QueueSharingTest : public LabelQueueTest
{
protected:
    QueueSharingTest()
        : path(dir.filePath(QStringLiteral("bar1.dbf")))
    {
        EXPECT_TRUE(DbfTable::create(path, queueFields()).ok());
        LabelQueue filler(queueFields());
        EXPECT_TRUE(filler.open(path).ok());
        for (const QByteArray name : {"A", "B", "C"}) {
            EXPECT_TRUE(filler.append(namedRecord(filler, name)).ok());
        }
        EXPECT_TRUE(window.open(path).ok());
        EXPECT_TRUE(other.open(path).ok());
    }

    std::vector<QByteArray> inFile()
    {
        LabelQueue reader(queueFields());
        EXPECT_TRUE(reader.open(path, DbfTable::Access::ReadOnly).ok());
        return itemNumbers(reader);
    }

    QString path;
    LabelQueue window{queueFields()};
    LabelQueue other{queueFields()};
};

bool saysInUse(const DbfStatus &status, const QString &path)
{
    return !status.ok() && status.error().contains(path) && status.error().contains(QStringLiteral("使用中"));
}

TEST_F(QueueSharingTest, everyChangeIsRefusedAtOnceWhileAnotherWriterHoldsTheTable)
{
    struct Case {
        const char *name;
        std::function<DbfStatus(LabelQueue &)> change;
    } cases[] = {
        {"append", [](LabelQueue &q) { return q.append(namedRecord(q, "NEW")); }},
        {"edit", [](LabelQueue &q) { return q.update(0, namedRecord(q, "EDITED"), q.readRow(0).value()); }},
        {"delete", [](LabelQueue &q) { return q.deleteCurrent(); }},
        {"empty", [](LabelQueue &q) { return q.empty(); }},
        {"batch", [](LabelQueue &q) { return q.lock(TableFileLock::Mode::Exclusive); }},
        {"export", [](LabelQueue &q) { return q.lock(TableFileLock::Mode::Shared); }},
    };
    ASSERT_TRUE(other.lock(TableFileLock::Mode::Exclusive).ok());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const DbfStatus refused = c.change(window);
        EXPECT_TRUE(saysInUse(refused, path)) << refused.error().toStdString();
        EXPECT_EQ(inFile(), (std::vector<QByteArray>{"A", "B", "C"}));
    }
    ASSERT_TRUE(other.unlock().ok());
    EXPECT_TRUE(window.append(namedRecord(window, "D")).ok());
}

TEST_F(QueueSharingTest, readersShareTheTableAndKeepWritersOut)
{
    LabelQueue reader(queueFields());
    ASSERT_TRUE(reader.open(path, DbfTable::Access::ReadOnly).ok());
    ASSERT_TRUE(reader.lock(TableFileLock::Mode::Shared).ok());
    ASSERT_TRUE(other.lock(TableFileLock::Mode::Shared).ok());
    EXPECT_TRUE(saysInUse(window.append(namedRecord(window, "D")), path));
    EXPECT_FALSE(reader.append(namedRecord(reader, "D")).ok()) << "a table opened read-only takes no change";
    ASSERT_TRUE(reader.unlock().ok());
    ASSERT_TRUE(other.unlock().ok());
    EXPECT_TRUE(window.append(namedRecord(window, "D")).ok());
}

TEST_F(QueueSharingTest, rowsAnotherWriterAddedAreKeptAndShownBeforeTheNextChange)
{
    ASSERT_TRUE(other.append(namedRecord(other, "D")).ok());
    const int revision = window.revision();
    ASSERT_TRUE(window.append(namedRecord(window, "E")).ok());
    EXPECT_EQ(inFile(), (std::vector<QByteArray>{"A", "B", "C", "D", "E"}));
    EXPECT_EQ(itemNumbers(window), (std::vector<QByteArray>{"A", "B", "C", "D", "E"}));
    EXPECT_NE(window.revision(), revision);

    // An export sees them too.
    ASSERT_TRUE(other.append(namedRecord(other, "F")).ok());
    ASSERT_TRUE(window.lock(TableFileLock::Mode::Shared).ok());
    EXPECT_EQ(window.rowCount(), 6);
    ASSERT_TRUE(window.unlock().ok());
}

TEST_F(QueueSharingTest, aChangeBasedOnARowAnotherWriterChangedIsRefusedAndLosesNothing)
{
    struct Case {
        const char *name;
        int seenRow;
        std::function<DbfStatus(LabelQueue &)> behind;
        std::function<DbfStatus(LabelQueue &, const DbfRecord &seen)> change;
        std::vector<QByteArray> kept;
    } cases[] = {
        {"edit of a row edited behind",
         1,
         [](LabelQueue &q) { return q.update(1, namedRecord(q, "B2"), q.readRow(1).value()); },
         [](LabelQueue &q, const DbfRecord &seen) { return q.update(1, namedRecord(q, "MINE"), seen); },
         {"A", "B2", "C"}},
        {"edit of a row deleted behind",
         1,
         [](LabelQueue &q) {
             q.moveTo(1);
             return q.deleteCurrent();
         },
         [](LabelQueue &q, const DbfRecord &seen) { return q.update(1, namedRecord(q, "MINE"), seen); },
         {"A", "C"}},
        {"delete of a row edited behind",
         1,
         [](LabelQueue &q) { return q.update(1, namedRecord(q, "B2"), q.readRow(1).value()); },
         [](LabelQueue &q, const DbfRecord &seen) {
             q.moveTo(1);
             return q.deleteCurrent(seen);
         },
         {"A", "B2", "C"}},
        {"empty after rows were added behind",
         0,
         [](LabelQueue &q) { return q.append(namedRecord(q, "D")); },
         [](LabelQueue &q, const DbfRecord &) { return q.empty(); },
         {"A", "B", "C", "D"}},
        {"edit after the table was emptied and refilled behind",
         0,
         [](LabelQueue &q) {
             const DbfStatus emptied = q.empty();
             return emptied.ok() ? q.append(namedRecord(q, "X")) : emptied;
         },
         [](LabelQueue &q, const DbfRecord &seen) { return q.update(0, namedRecord(q, "MINE"), seen); },
         {"X"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(window.open(path).ok());
        ASSERT_TRUE(other.open(path).ok());
        const DbfRecord seen = window.readRow(c.seenRow).value();
        ASSERT_TRUE(c.behind(other).ok());
        const DbfStatus refused = c.change(window, seen);
        EXPECT_FALSE(refused.ok());
        EXPECT_TRUE(refused.error().contains(QStringLiteral("其他程式"))) << refused.error().toStdString();
        EXPECT_EQ(inFile(), c.kept);
        EXPECT_EQ(itemNumbers(window), c.kept) << "the refusing queue shows the table as it is now";

        // Back to A, B, C for the next case.
        ASSERT_TRUE(other.open(path).ok());
        ASSERT_TRUE(other.empty().ok());
        for (const QByteArray name : {"A", "B", "C"}) {
            ASSERT_TRUE(other.append(namedRecord(other, name)).ok());
        }
    }
}

TEST_F(QueueSharingTest, onlyARegularFileOpensAsATableAndNothingWaitsForAPipe)
{
    const QString named = dir.filePath(QStringLiteral("other.dbf"));
    struct Case {
        const char *name;
        std::function<bool()> make;
        QString kind;
    } cases[] = {
        {"named pipe", [&] { return ::mkfifo(QFile::encodeName(named).constData(), 0644) == 0; },
         QStringLiteral("具名管道（FIFO）")},
        {"directory", [&] { return QDir().mkdir(named); }, QStringLiteral("目錄")},
        {"device behind a link", [&] { return QFile::link(QStringLiteral("/dev/null"), named); },
         QStringLiteral("字元裝置")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(named);
        QDir().rmdir(named);
        ASSERT_TRUE(c.make());
        for (const DbfTable::Access access : {DbfTable::Access::ReadWrite, DbfTable::Access::ReadOnly}) {
            const auto opened = DbfTable::open(named, queueFields(), access);
            EXPECT_FALSE(opened.ok());
            EXPECT_TRUE(opened.error().contains(named) && opened.error().contains(c.kind))
                << opened.error().toStdString();
        }
        TableFileLock lock;
        EXPECT_EQ(lock.lock(named, TableFileLock::Mode::Shared), TableFileLock::Outcome::Failed);
        EXPECT_TRUE(lock.errorString().contains(c.kind)) << lock.errorString().toStdString();
    }
}

TEST_F(QueueSharingTest, closingAfterAnotherWriterAddedRowsKeepsTheirRows)
{
    ASSERT_TRUE(window.append(namedRecord(window, "D")).ok());
    ASSERT_TRUE(other.append(namedRecord(other, "E")).ok());
    ASSERT_TRUE(window.close().ok());
    EXPECT_EQ(inFile(), (std::vector<QByteArray>{"A", "B", "C", "D", "E"}));
}

} // namespace
