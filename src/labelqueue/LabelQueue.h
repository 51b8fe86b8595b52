#pragma once

#include "labelqueue/DbfRecord.h"
#include "labelqueue/DbfResult.h"
#include "labelqueue/DbfTable.h"
#include "labelqueue/QueueJournal.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

// Rows of a queue read from the file at once: the records from firstRecord on,
// deleted ones between the rows included, recordLength bytes each.
struct LabelQueueRun {
    int firstRecord = 0;
    int recordLength = 0;
    std::shared_ptr<const DbfLayout> layout;
    QByteArray bytes;
};

// A label queue table ("bar1.dbf", "bar2.DBF") with a cursor that behaves like
// the dBase data set the label windows were built on. Rows are the rows not
// marked deleted, in file order, numbered from 0.
//
// Position flags: opening the table or first() sets at-start (and at-end too
// when there is no row). A move forward that finds no later row sets at-end, a
// move back that finds no earlier row sets at-start; either move first clears
// both flags, and a move refused because its flag is already set changes
// nothing. Storing a row (append, update), deleting one and dropping a new
// row clear both flags, or set both when the queue is left empty. A closed
// table reports both flags set.
class LabelQueue
{
public:
    explicit LabelQueue(QList<DbfFieldSpec> fields);
    ~LabelQueue();
    LabelQueue(const LabelQueue &) = delete;
    LabelQueue &operator=(const LabelQueue &) = delete;

    // Opens the table by its file name (a bare name is looked for in the
    // working directory) and goes to the first row. A queue opened read-only
    // serves an export and takes no change.
    DbfStatus open(const QString &path, DbfTable::Access access = DbfTable::Access::ReadWrite);
    DbfStatus close();
    bool isOpen() const;
    QString path() const;
    const QList<DbfFieldSpec> &fields() const { return fields_; }
    // Width of a field in the open table's file (tables made elsewhere may differ), 0 when it lacks it.
    int fieldWidth(int field) const;
    int fieldDecimals(int field) const;

    int rowCount() const { return int(rows_.size()); }
    // -1 when there is no row; rowCount() while a new row is being appended.
    int currentRow() const { return current_; }
    bool atStart() const { return atStart_; }
    bool atEnd() const { return atEnd_; }
    bool isAppending() const { return appending_; }

    void first();
    // Each returns whether the current row changed.
    bool prior();
    bool next();
    bool moveTo(int row);

    DbfRecord blankRecord() const;
    DbfResult<DbfRecord> readRow(int row) const;
    // The row's number in the file, for callers that cache rows across deletions.
    int recordNumber(int row) const;
    // The row holding that record, -1 when it is deleted or not there.
    int rowOfRecord(int recordNumber) const;
    // About a megabyte of records from row's on, for a reader that walks every
    // row under the shared lock: a seek and a read for each row cost more than
    // the row itself. run's memory is reused for the next one.
    DbfStatus readRun(int row, LabelQueueRun &run) const;

    // The table's lock held across a batch: exclusive for an import (its rows
    // then share one sync at the end), shared for an export. Each change
    // below takes the exclusive lock by itself when no batch holds it. Another
    // holder refuses it at once. Taking it brings the rows up to date when
    // another program changed the table.
    DbfStatus lock(TableFileLock::Mode mode);
    DbfStatus unlock();
    // Goes up each time the rows were read again because another program
    // changed the table; a view compares it to know it must show them afresh.
    int revision() const { return revision_; }

    // A new, still empty row after the last one, as a grid shows it when the
    // user moves down past the end; it is not in the file until append().
    void beginAppend();
    void cancelAppend();
    // Stores a new row after the last one in the file (after any that another
    // program added meanwhile) and makes it current.
    DbfStatus append(const DbfRecord &record);
    // seen is the row as the caller read it and showed it: when another
    // program has changed or deleted it since, nothing is written.
    DbfStatus update(int row, const DbfRecord &record, const DbfRecord &seen);
    DbfStatus deleteCurrent(const DbfRecord &seen);
    // Deletes the current row as this queue reads it now.
    DbfStatus deleteCurrent();
    // Removes every row, deleted ones included, keeping the table's
    // definition; refused when another program changed the table since this
    // queue last read it (the rows are then read again).
    DbfStatus empty();
    // New numbers for one field of many rows, by record number in ascending
    // order, written as one change: every row gets its number or none does.
    // A number the field cannot hold refuses it all before anything is
    // written. Hold the exclusive lock from reading the rows to this.
    DbfStatus setNumbers(int field, const std::vector<std::pair<int, double>> &numbers);

    // The journal every change is recorded in before it is made, so it can
    // be undone; without one, changes are made unrecorded.
    void setJournal(std::shared_ptr<QueueJournal> journal);
    const QueueJournal *journal() const { return journal_.get(); }
    // Brackets a change to the table: beginChange takes the exclusive lock
    // and, unless a change is already open (an import's rows), records change
    // in the journal; a journal that cannot be written refuses the change
    // before the table is touched. endChange settles the journal entry,
    // releases the lock and returns outcome, or the failed release.
    DbfStatus beginChange(const QueueChange &change);
    DbfStatus endChange(DbfStatus outcome);
    // The latest change undone, or the latest undone change made again; the
    // rows are then read afresh (the revision moves).
    DbfResult<JournalStep> undo();
    DbfResult<JournalStep> redo();
    std::optional<JournalStep> nextUndo() const;
    std::optional<JournalStep> nextRedo() const;
    // The changes that may be undone, newest first, then those that may be redone.
    DbfResult<std::vector<JournalStep>> journalSteps() const;
    // Settles what a crash left half done; a note for each, for the status line.
    QStringList recoverJournal();

private:
    void afterChange();
    void reloadRows();
    void catchUpWithTable();
    void makeCurrent(int recordNumber);
    DbfResult<JournalStep> stepJournal(bool undoing);

    QList<DbfFieldSpec> fields_;
    std::unique_ptr<DbfTable> table_;
    std::vector<int> rows_; // record numbers of the rows not deleted
    int current_ = -1;
    bool atStart_ = true;
    bool atEnd_ = true;
    bool appending_ = false;
    int generation_ = 0; // the table's generation the rows were read at
    int revision_ = 0;
    std::shared_ptr<QueueJournal> journal_;
    int changeDepth_ = 0;
};
