#include "labelqueue/DbfTable.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/TableFileLock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

// Two writers on one queue table, as two windows, or a window and the command
// line, or two computers over a shared folder would be: each object here
// opens the file for itself, and the operating system's lock keeps them apart
// exactly as it keeps two processes apart.
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

DbfRecord namedRecord(const LabelQueue &queue, const QByteArray &itemNo)
{
    DbfRecord r = queue.blankRecord();
    EXPECT_TRUE(r.setText(ItemNo, itemNo).ok());
    EXPECT_TRUE(r.setNumber(Quan, 1).ok());
    return r;
}

std::vector<QByteArray> itemNumbers(const LabelQueue &queue)
{
    std::vector<QByteArray> names;
    for (int row = 0; row < queue.rowCount(); ++row) {
        names.push_back(queue.readRow(row).value().text(ItemNo));
    }
    return names;
}

class QueueSharingTest : public ::testing::Test
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

    QTemporaryDir dir;
    QString path;
    LabelQueue window{queueFields()};
    LabelQueue other{queueFields()};
};

bool saysInUse(const DbfStatus &status, const QString &path)
{
    return !status.ok() && status.error().contains(path) && status.error().contains(QStringLiteral("使用中"));
}

} // namespace

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
