#pragma once

#include "labelqueue/DbfResult.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

class DbfTable;

// A change about to be made to a queue table, as its journal entry names it.
struct QueueChange {
    QString what; // "全部刪除": what the undo button names
    // Ascending numbers of the records it rewrites, marks deleted or removes.
    std::vector<int> records;
    // Rows the user sees it touch; for a change that appends, those it added.
    int rows = 0;
    bool appends = false; // adds rows after the last one (an import)
    bool empties = false; // puts an empty table in the table's place (delete-all)
};

// One change in the journal, as the undo list shows it.
struct JournalStep {
    qint64 id = 0;
    QString what;
    int rows = 0;
    QDateTime made;
    bool undone = false;

    // "全部刪除 (1,204 筆)"
    QString description() const;
};

// The changes made to the queue tables of one program directory, kept in a
// SQLite file of the program's own so each can be undone and redone, by this
// window, another one or the command line.
//
// Before a change touches a table its entry is written, with the bytes of
// every record it will touch, the table's header and tail, and the number of
// records; after the change the entry is settled: done, with what the change
// left, or dropped when the table did not change. An entry left pending by a
// crash is settled the same way on the next start. Undo and redo put the
// table back byte for byte, but only when the records they restore are still
// as the change (or the undo) left them. Each table keeps its last
// keptChanges entries.
//
// Two changes are kept more cheaply, since they touch every row: a
// delete-all keeps the emptied table file itself (a second name for it in a
// folder beside the journal, where the file system allows one), and an import
// keeps a digest of each row it added, reading the rows' bytes only when it
// is undone, for a redo. The kept table files of one journal stay within a
// budget: past it, the oldest are turned into stored records, as where no
// link can be made, and removed; the newest delete-all keeps its file.
class QueueJournal
{
public:
    static constexpr char fileName[] = "barlabel-journal.sqlite";
    // Beside the journal: the table files that delete-alls emptied.
    static constexpr char keptTablesFolderName[] = "barlabel-journal-files";
    static constexpr int keptChanges = 100;
    // What the kept table files of all the journal's queues may take together.
    static constexpr qint64 keptTablesBudget = qint64(1) << 30;

    // The journal file; it is created when first written.
    explicit QueueJournal(QString path);
    // The journal beside a queue table: the queues of one directory share it.
    static QString pathBeside(const QString &tablePath);
    const QString &path() const { return path_; }
    QString keptTablesPath() const;
    void setKeptTablesBudget(qint64 bytes) { keptTablesBudget_ = bytes; }

    // Records the change as pending. Hold the table's exclusive lock from here to finish().
    DbfStatus begin(DbfTable &table, const QueueChange &change);
    // Settles the pending entry after the change; a failure leaves it for the next start.
    DbfStatus finish(DbfTable &table);
    // Settles what a crash left pending for this table; one note for each, for the status line.
    QStringList recover(DbfTable &table);

    // Newest first: the changes of this table that may be undone and then those that may be redone.
    DbfResult<std::vector<JournalStep>> steps(const DbfTable &table) const;
    std::optional<JournalStep> nextUndo(const DbfTable &table) const;
    std::optional<JournalStep> nextRedo(const DbfTable &table) const;
    // Each under the table's exclusive lock; refused, naming the rows, when
    // the records to restore are no longer as the change left them.
    DbfResult<JournalStep> undo(DbfTable &table);
    DbfResult<JournalStep> redo(DbfTable &table);

private:
    DbfResult<JournalStep> step(DbfTable &table, bool undoing);
    // Stores the oldest kept table files' records in their entries while the files exceed the budget.
    void keepKeptTablesWithinBudget();

    QString path_;
    qint64 pending_ = 0;
    qint64 keptTablesBudget_ = keptTablesBudget;
};
