#include "labelqueue/QueueJournal.h"

#include "labelqueue/DbfTable.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueDeletion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

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

DbfRecord row(const LabelQueue &queue, const QByteArray &itemNo, double count = 1)
{
    DbfRecord r = queue.blankRecord();
    EXPECT_TRUE(r.setText(ItemNo, itemNo).ok());
    EXPECT_TRUE(r.setNumber(Quan, count).ok());
    return r;
}

// Rows added as one change, as an import adds them.
DbfStatus importRows(LabelQueue &queue, const QByteArray &prefix, int count)
{
    DbfStatus status = queue.beginChange({QStringLiteral("引入"), {}, 0, true});
    for (int i = 0; i < count && status.ok(); ++i) {
        status = queue.append(row(queue, prefix + QByteArray::number(i), i + 1));
    }
    return queue.endChange(status);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class QueueJournalTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tablePath = dir.filePath(QStringLiteral("bar1.dbf"));
        journalPath = dir.filePath(QString::fromLatin1(QueueJournal::fileName));
        ASSERT_TRUE(DbfTable::create(tablePath, queueFields()).ok());
        LabelQueue filler(queueFields());
        ASSERT_TRUE(filler.open(tablePath).ok());
        for (int i = 0; i < 6; ++i) {
            ASSERT_TRUE(filler.append(row(filler, "ROW" + QByteArray::number(i), i + 1)).ok());
        }
        // A deleted record among the rows: its bytes come back too.
        ASSERT_TRUE(filler.moveTo(2));
        ASSERT_TRUE(filler.deleteCurrent().ok());
        filler.close();
        ASSERT_TRUE(queue.open(tablePath).ok());
        queue.setJournal(std::make_shared<QueueJournal>(journalPath));
    }

    QByteArray tableBytes() const
    {
        QFile file(tablePath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QStringList keptFiles() const { return QDir(QueueJournal(journalPath).keptTablesPath()).entryList(QDir::Files); }

    // A change made by another program, which keeps no journal.
    void otherWriterEdits(int at, const QByteArray &itemNo)
    {
        LabelQueue other(queueFields());
        ASSERT_TRUE(other.open(tablePath).ok());
        const DbfRecord seen = other.readRow(at).value();
        ASSERT_TRUE(other.update(at, row(other, itemNo), seen).ok());
    }

    QTemporaryDir dir;
    QString tablePath;
    QString journalPath;
    LabelQueue queue{queueFields()};
};

TEST_F(QueueJournalTest, everyChangeIsUndoneAndRedoneToTheExactBytes)
{
    struct Case {
        const char *name;
        QString what;
        int rows;
        std::function<DbfStatus(LabelQueue &)> change;
        bool keepsTableFile = false;
    } cases[] = {
        {"edit", QStringLiteral("修改"), 1,
         [](LabelQueue &q) {
             const DbfRecord seen = q.readRow(1).value();
             return q.update(1, row(q, "EDITED", 9), seen);
         }},
        {"new row", QStringLiteral("新增"), 1, [](LabelQueue &q) { return q.append(row(q, "NEW")); }},
        {"single delete", QStringLiteral("刪除"), 1,
         [](LabelQueue &q) {
             q.moveTo(3);
             return q.deleteCurrent();
         }},
        {"delete several", QStringLiteral("刪除選取"), 3,
         [](LabelQueue &q) {
             const DbfResult<int> deleted =
                 deleteQueueRecords(q, {q.recordNumber(4), q.recordNumber(0), q.recordNumber(2)});
             return deleted.ok() ? DbfStatus::success() : DbfStatus::failure(deleted.error());
         }},
        // Where no second name can be made for the table file, its records are kept instead.
        {"delete-all, links refused", QStringLiteral("全部刪除"), 5,
         [this](LabelQueue &q) {
             QFile inTheWay(QueueJournal(journalPath).keptTablesPath());
             inTheWay.open(QIODevice::WriteOnly);
             const DbfStatus emptied = q.empty();
             inTheWay.remove();
             return emptied;
         }},
        {"delete-all", QStringLiteral("全部刪除"), 5, [](LabelQueue &q) { return q.empty(); }, true},
        {"import", QStringLiteral("引入"), 3,
         [](LabelQueue &q) {
             DbfStatus status = q.beginChange({QStringLiteral("引入"), {}, 0, true});
             for (int i = 0; i < 3 && status.ok(); ++i) {
                 status = q.append(row(q, "IMPORTED" + QByteArray::number(i)));
             }
             return q.endChange(status);
         }},
        {"count rule", QStringLiteral("張數規則"), 2,
         [](LabelQueue &q) {
             return q.setNumbers(Quan, {{q.recordNumber(0), 40}, {q.recordNumber(4), 44}});
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray before = tableBytes();
        ASSERT_TRUE(c.change(queue).ok());
        const QByteArray after = tableBytes();
        ASSERT_NE(after, before);
        // An undone change's file goes with it when the next change ends what could be redone.
        EXPECT_EQ(keptFiles().size(), c.keepsTableFile ? 1 : 0);
        ASSERT_TRUE(queue.nextUndo().has_value());
        EXPECT_EQ(queue.nextUndo()->what, c.what);
        EXPECT_EQ(queue.nextUndo()->rows, c.rows);

        const DbfResult<JournalStep> undone = queue.undo();
        ASSERT_TRUE(undone.ok()) << undone.error().toStdString();
        EXPECT_EQ(tableBytes(), before);
        EXPECT_EQ(queue.rowCount(), 5);
        ASSERT_TRUE(queue.redo().ok());
        EXPECT_EQ(tableBytes(), after);
        ASSERT_TRUE(queue.undo().ok());
        EXPECT_EQ(tableBytes(), before);
    }
    // Each change ended what could be redone before it: only the last waits, until a new change.
    ASSERT_TRUE(queue.nextRedo().has_value());
    EXPECT_EQ(queue.nextRedo()->what, QStringLiteral("張數規則"));
    ASSERT_TRUE(queue.append(row(queue, "LATER")).ok());
    EXPECT_FALSE(queue.nextRedo().has_value());
}

TEST_F(QueueJournalTest, aStepIsRefusedAndNamesTheRowsAnotherWriterChangedSince)
{
    struct Case {
        const char *name;
        std::function<void(LabelQueue &)> change; // leaves the step to try next
        bool undoing;
        int editedRow;
        const char *named;
        const char *notNamed;
    } cases[] = {
        {"undo of a count rule",
         [](LabelQueue &q) {
             q.setNumbers(Quan, {{q.recordNumber(1), 7}, {q.recordNumber(3), 7}});
         },
         true, 3, "第 4 筆", "第 2 筆"},
        // The rows an import added are checked by their digests.
        {"undo of an import",
         [](LabelQueue &q) {
             DbfStatus status = q.beginChange({QStringLiteral("引入"), {}, 0, true});
             for (int i = 0; i < 3 && status.ok(); ++i) {
                 status = q.append(row(q, "IMPORTED" + QByteArray::number(i)));
             }
             q.endChange(status);
         },
         true, 6, "第 7 筆", "第 6 筆"},
        // The rows a delete-all's undo put back are checked against the table file it kept.
        {"redo of a delete-all",
         [](LabelQueue &q) {
             q.empty();
             q.undo();
         },
         false, 3, "第 4 筆", "第 2 筆"},
        // Past the kept tables' budget, against the records stored in the file's place.
        {"redo of a stored delete-all",
         [this](LabelQueue &q) {
             const auto journal = std::make_shared<QueueJournal>(journalPath);
             journal->setKeptTablesBudget(1);
             q.setJournal(journal);
             q.empty();
             importRows(q, "LATER", 6);
             q.empty();
             q.undo();
             q.undo();
             q.undo();
         },
         false, 3, "第 4 筆", "第 2 筆"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        c.change(queue);
        ASSERT_TRUE(c.undoing ? queue.nextUndo().has_value() : queue.nextRedo().has_value());
        otherWriterEdits(c.editedRow, c.name);
        const QByteArray changed = tableBytes();

        const DbfResult<JournalStep> refused = c.undoing ? queue.undo() : queue.redo();
        ASSERT_FALSE(refused.ok());
        EXPECT_TRUE(refused.error().contains(QString::fromUtf8(c.named))) << refused.error().toStdString();
        EXPECT_FALSE(refused.error().contains(QString::fromUtf8(c.notNamed))) << refused.error().toStdString();
        EXPECT_EQ(tableBytes(), changed);
        EXPECT_TRUE(c.undoing ? queue.nextUndo().has_value() : queue.nextRedo().has_value());
    }
}

TEST_F(QueueJournalTest, aKeptTableFileGoesWithItsEntry)
{
    ASSERT_TRUE(queue.empty().ok());
    const QStringList first = keptFiles();
    ASSERT_EQ(first.size(), 1);
    {
        SCOPED_TRACE("a delete-all that changed nothing is dropped");
        ASSERT_TRUE(queue.empty().ok());
        EXPECT_EQ(keptFiles(), first);
    }
    {
        SCOPED_TRACE("beyond the kept changes");
        for (int i = 0; i < QueueJournal::keptChanges / 2; ++i) {
            ASSERT_TRUE(queue.append(row(queue, "AGAIN")).ok());
            ASSERT_TRUE(queue.empty().ok());
        }
        const QStringList kept = keptFiles();
        EXPECT_EQ(kept.size(), QueueJournal::keptChanges / 2);
        EXPECT_FALSE(kept.contains(first.front()));
    }
    {
        SCOPED_TRACE("named by no entry, at the next start");
        const QStringList kept = keptFiles();
        const QDir folder(QueueJournal(journalPath).keptTablesPath());
        for (const char *name : {"99999-bar1.dbf", "99999-bar2.DBF"}) {
            QFile left(folder.filePath(QString::fromLatin1(name)));
            ASSERT_TRUE(left.open(QIODevice::WriteOnly));
        }
        queue.close();
        ASSERT_TRUE(queue.open(tablePath).ok());
        queue.recoverJournal();
        QStringList expected = kept + QStringList{QStringLiteral("99999-bar2.DBF")};
        QStringList left = keptFiles();
        expected.sort();
        left.sort();
        EXPECT_EQ(left, expected);
    }
}

TEST_F(QueueJournalTest, pastTheirBudgetTheOldestKeptTablesBecomeStoredRecordsAndStillUndo)
{
    // Two queues of one directory share the journal and its budget.
    const QString secondPath = dir.filePath(QStringLiteral("bar2.dbf"));
    ASSERT_TRUE(DbfTable::create(secondPath, queueFields()).ok());
    LabelQueue second(queueFields());
    ASSERT_TRUE(second.open(secondPath).ok());
    ASSERT_TRUE(importRows(second, "SECOND", 6).ok());
    // Each table file emptied below holds 6 records: room for two of them.
    const qint64 tableSize = QFileInfo(tablePath).size();
    ASSERT_EQ(QFileInfo(secondPath).size(), tableSize);
    const auto journal = std::make_shared<QueueJournal>(journalPath);
    journal->setKeptTablesBudget(tableSize * 5 / 2);
    queue.setJournal(journal);
    second.setJournal(journal);

    struct Queue {
        LabelQueue *queue;
        QString path;
        std::vector<QByteArray> states; // the table before each change
    } queues[] = {{&queue, tablePath, {}}, {&second, secondPath, {}}};
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        Queue &q = queues[round % 2];
        if (q.queue->rowCount() == 0) {
            q.states.push_back(fileBytes(q.path));
            ASSERT_TRUE(importRows(*q.queue, "ROUND" + QByteArray::number(round) + "-", 6).ok());
        }
        q.states.push_back(fileBytes(q.path));
        ASSERT_TRUE(q.queue->empty().ok());
        const QStringList kept = keptFiles();
        EXPECT_EQ(kept.size(), std::min(round + 1, 2));
        const QString emptied = QLatin1Char('-') + QFileInfo(q.path).fileName();
        EXPECT_TRUE(std::any_of(kept.begin(), kept.end(), [&](const QString &name) { return name.endsWith(emptied); }));
    }
    for (Queue &q : queues) {
        SCOPED_TRACE(q.path.toStdString());
        q.states.push_back(fileBytes(q.path));
        for (size_t at = q.states.size() - 1; at-- > 0;) {
            const DbfResult<JournalStep> undone = q.queue->undo();
            ASSERT_TRUE(undone.ok()) << undone.error().toStdString();
            EXPECT_EQ(fileBytes(q.path), q.states[at]);
        }
        EXPECT_FALSE(q.queue->nextUndo().has_value());
        for (size_t at = 1; at < q.states.size(); ++at) {
            ASSERT_TRUE(q.queue->redo().ok());
            EXPECT_EQ(fileBytes(q.path), q.states[at]);
        }
    }
}

// The file is put back after each case: the entry that could not be stored must still undo from it.
TEST_F(QueueJournalTest, aKeptTableThatCannotBeStoredStaysWithItsEntryUntilItCan)
{
    struct Case {
        const char *name;
        std::function<void(const QString &kept, const QByteArray &bytes)> spoil;
    } cases[] = {
        {"a folder in its place", [](const QString &kept, const QByteArray &) { QDir().mkdir(kept); }},
        {"cut short",
         [](const QString &kept, const QByteArray &bytes) {
             QFile file(kept);
             file.open(QIODevice::WriteOnly);
             file.write(bytes.first(bytes.size() - 40));
         }},
    };
    const auto journal = std::make_shared<QueueJournal>(journalPath);
    journal->setKeptTablesBudget(1);
    queue.setJournal(journal);
    const QDir folder(journal->keptTablesPath());
    std::vector<QByteArray> states;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        states.push_back(tableBytes());
        ASSERT_TRUE(queue.empty().ok());
        ASSERT_EQ(keptFiles().size(), 1);
        const QString kept = folder.filePath(keptFiles().front());
        const QByteArray keptBytes = fileBytes(kept);
        ASSERT_TRUE(QFile::remove(kept));
        c.spoil(kept, keptBytes);

        states.push_back(tableBytes());
        ASSERT_TRUE(importRows(queue, "AFTER", 3).ok());
        // The delete-all goes ahead; the file it could not store stays its entry's.
        states.push_back(tableBytes());
        ASSERT_TRUE(queue.empty().ok());
        QDir(kept).removeRecursively();
        QFile back(kept);
        ASSERT_TRUE(back.open(QIODevice::WriteOnly));
        ASSERT_EQ(back.write(keptBytes), keptBytes.size());
        back.close();
        // The next change stores it.
        states.push_back(tableBytes());
        ASSERT_TRUE(importRows(queue, QByteArray(c.name).first(8), 6).ok());
        EXPECT_FALSE(QFileInfo::exists(kept));
        EXPECT_EQ(keptFiles().size(), 1);
    }
    states.push_back(tableBytes());
    for (size_t at = states.size() - 1; at-- > 0;) {
        const DbfResult<JournalStep> undone = queue.undo();
        ASSERT_TRUE(undone.ok()) << undone.error().toStdString();
        EXPECT_EQ(tableBytes(), states[at]);
    }
}

TEST_F(QueueJournalTest, aJournalThatCannotBeWrittenRefusesTheChangeBeforeTheTable)
{
    const QByteArray before = tableBytes();
    const auto tryEdit = [this] {
        const DbfRecord seen = queue.readRow(0).value();
        return queue.update(0, row(queue, "REFUSED"), seen);
    };
    {
        SCOPED_TRACE("damaged");
        QFile damaged(journalPath);
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write(QByteArray(4096, 'x'));
        damaged.close();
        const DbfStatus refused = tryEdit();
        ASSERT_FALSE(refused.ok());
        EXPECT_TRUE(refused.error().contains(QDir::toNativeSeparators(journalPath))) << refused.error().toStdString();
        EXPECT_TRUE(refused.error().contains(QStringLiteral("刪除後再試")));
        EXPECT_EQ(tableBytes(), before);
        ASSERT_TRUE(QFile::remove(journalPath));
    }
    {
        SCOPED_TRACE("held by another program");
        ASSERT_TRUE(queue.append(row(queue, "MADE")).ok());
        const QByteArray held = tableBytes();
        sqlite3 *other = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(journalPath).constData(), &other), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        const DbfStatus refused = tryEdit();
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        ASSERT_FALSE(refused.ok());
        EXPECT_TRUE(refused.error().contains(QStringLiteral("其他程式使用"))) << refused.error().toStdString();
        EXPECT_EQ(tableBytes(), held);
    }
    {
        SCOPED_TRACE("removed by hand: starts afresh");
        ASSERT_TRUE(QFile::remove(journalPath));
        ASSERT_TRUE(tryEdit().ok());
        ASSERT_TRUE(queue.undo().ok());
        EXPECT_FALSE(queue.nextUndo().has_value());
    }
}

// A process killed between its journal entry and the end of its change.
TEST_F(QueueJournalTest, aChangeCutShortByAKillIsSettledOnTheNextStart)
{
    struct Case {
        const char *name;
        bool deleteAll;
        bool tableTouched;
        QString note;
    } cases[] = {
        {"killed before the table was touched", false, false, QStringLiteral("已從復原記錄捨去")},
        {"killed after the table was changed", false, true, QStringLiteral("可以復原")},
        {"killed before a delete-all emptied the table", true, false, QStringLiteral("已從復原記錄捨去")},
        {"killed after a delete-all emptied the table", true, true, QStringLiteral("可以復原")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        queue.close();
        const QByteArray before = tableBytes();
        const pid_t child = ::fork();
        if (child == 0) {
            LabelQueue dying(queueFields());
            dying.open(tablePath);
            dying.setJournal(std::make_shared<QueueJournal>(journalPath));
            if (c.deleteAll) {
                // As empty() records it; the rows' records are used only where no link can be made.
                QueueChange change{QStringLiteral("全部刪除"), {}, dying.rowCount()};
                for (int at = 0; at < dying.rowCount(); ++at) {
                    change.records.push_back(dying.recordNumber(at));
                }
                change.empties = true;
                dying.beginChange(change);
                if (c.tableTouched) {
                    dying.empty();
                }
            } else {
                dying.beginChange({QStringLiteral("修改"), {dying.recordNumber(0)}, 1});
                if (c.tableTouched) {
                    const DbfRecord seen = dying.readRow(0).value();
                    dying.update(0, row(dying, "KILLED"), seen);
                }
            }
            ::kill(::getpid(), SIGKILL);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        const QByteArray left = tableBytes();
        EXPECT_EQ(left != before, c.tableTouched);

        ASSERT_TRUE(queue.open(tablePath).ok());
        const QStringList notes = queue.recoverJournal();
        ASSERT_EQ(notes.size(), 1);
        EXPECT_TRUE(notes.front().contains(c.note)) << notes.front().toStdString();
        EXPECT_EQ(tableBytes(), left);
        EXPECT_TRUE(queue.recoverJournal().isEmpty());
        // Only a delete-all that was made keeps its table file.
        EXPECT_EQ(keptFiles().size(), c.deleteAll && c.tableTouched ? 1 : 0);
        if (c.tableTouched) {
            ASSERT_TRUE(queue.undo().ok());
            EXPECT_EQ(tableBytes(), before);
        }
    }
}

} // namespace
