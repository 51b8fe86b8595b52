#pragma once

#include "components/Clock.h"
#include "components/RegularFile.h"
#include "labelqueue/DbfHeader.h"
#include "labelqueue/DbfRecord.h"
#include "labelqueue/DbfResult.h"
#include "labelqueue/TableFileLock.h"

#include <QList>
#include <QString>

class QTemporaryFile;

#include <functional>
#include <memory>
#include <vector>

// New bytes for part of one row: bytes.size() bytes from offset on (offset 0
// is the row's deletion flag).
struct DbfRecordPatch {
    int recordNumber = 0;
    int offset = 0;
    QByteArray bytes;
};

// The bytes of a table file around its rows: the header, the rows it counts
// and whatever follows the last row (the end-of-file mark).
struct DbfTableFrame {
    QByteArray header;
    int recordCount = 0;
    QByteArray tail;
};

// Whole rows of a table in file order from firstRecord on, recordLength bytes each.
struct DbfRecordRun {
    int firstRecord = 0;
    QByteArray bytes;
};

// A dBase table on disk, read and written through shapelib. Every write is
// committed at once: the row is in the file and the header counts it before
// the call returns, so a crash keeps every row that was reported stored.
//
// Other programs may use the same file (another window, the command line,
// another computer over a shared folder). Every change happens under the
// table's exclusive operating-system lock, taken by the change itself or held
// across a batch with lock(); a reader (the export) holds the shared lock.
// Whoever finds the lock taken is refused at once. Under the lock the table
// first catches up with what others wrote since it was last read, and a
// change based on a row that another program has changed meanwhile is
// refused, so nobody's rows are overwritten or lost. The file is synced to
// disk once when the exclusive lock is released after changes.
class DbfTable
{
public:
    enum class Creation { Created, AlreadyExisted };
    enum class Access { ReadOnly, ReadWrite };

    ~DbfTable();
    DbfTable(const DbfTable &) = delete;
    DbfTable &operator=(const DbfTable &) = delete;

    // Opens an existing table (a regular file only). The fields are found by
    // name in any order and case; a required one that is missing, or a header
    // that does not match the file, is reported and nothing is opened.
    static DbfResult<std::unique_ptr<DbfTable>> open(const QString &path, const QList<DbfFieldSpec> &fields,
                                                     Access access = Access::ReadWrite);

    // Creates an empty table with these fields and the CP950 code page byte.
    // An existing file is never touched: the table is built beside it and only
    // moved to the name when nothing is there, so a second creator finds it
    // there and leaves it alone.
    // The clock dates the header.
    static DbfResult<Creation> create(const QString &path, const QList<DbfFieldSpec> &fields,
                                      const Clock &clock = Clock::system());

    QString path() const { return path_; }
    bool isOpen() const;
    Access access() const { return access_; }
    // Rows in the file, deleted ones included.
    int recordCount() const { return recordCount_; }
    quint8 languageDriver() const { return header_.languageDriver; }
    const std::shared_ptr<const DbfLayout> &layout() const { return layout_; }
    // Goes up each time the table was read again because another program changed it.
    int generation() const { return generation_; }

    DbfRecord blankRecord() const { return DbfRecord::blank(layout_); }
    // The date each change puts in the header; the system clock unless set.
    void setClock(const Clock &clock);
    DbfResult<DbfRecord> read(int recordNumber) const;
    // The bytes of count rows in file order from recordNumber on, deleted ones
    // included, in one read from the file (recordLength() bytes a row).
    DbfResult<QByteArray> readRecords(int recordNumber, int count) const;
    // The same into bytes whose memory is kept for the next run.
    DbfStatus readRecords(int recordNumber, int count, QByteArray &into) const;
    int recordLength() const { return header_.recordLength; }
    // Numbers of the rows not marked deleted, in file order.
    DbfResult<std::vector<int>> liveRecordNumbers() const;

    // Takes the table's lock (a shared one for reading, an exclusive one for a
    // batch of changes); another holder in the way refuses it at once with a
    // message naming the table. Locks nest; unlock() releases the outermost
    // and, after changes, first syncs the file once.
    DbfStatus lock(TableFileLock::Mode mode);
    DbfStatus unlock();
    bool isLocked() const;

    // Each returns once the change is in the file with the header updated.
    DbfResult<int> append(const DbfRecord &record);
    // seen is the row as the caller read it: when another program has
    // changed or deleted it since, nothing is written.
    DbfStatus update(int recordNumber, const DbfRecord &record, const DbfRecord &seen);
    DbfStatus markDeleted(int recordNumber, const DbfRecord &seen);
    // Replaces the file by an empty table with the same header (fields, code
    // page), built beside it and renamed into place, then reopens it. On
    // failure the old table stays as it was.
    DbfStatus makeEmpty();
    // Puts every patch (in ascending record order) into its row as one change:
    // the table is copied beside the file with the patches in place, put on
    // the disk and renamed over the file, so either every row has its patch
    // or, when anything fails (a full disk), the table stays as it was.
    DbfStatus rewrite(const std::vector<DbfRecordPatch> &patches);

    // The header and tail as they are on the disk, under the exclusive lock;
    // rows an import holding the table wrote are counted first.
    DbfResult<DbfTableFrame> readFrame();
    // Puts the file back to frame byte for byte: its header, its rows (each
    // from runs where they hold it, otherwise this table's row of that
    // number) and its tail, built beside the file and renamed over it like
    // rewrite(), so either all of it is there or the table stays as it was.
    // Hold the exclusive lock.
    DbfStatus restore(const DbfTableFrame &frame, const std::vector<DbfRecordRun> &runs);
    // The same with every row taken from its place in recordsFile, a table
    // file with a header of frame's length (a copy of an earlier state of
    // this table), which is read and never changed.
    DbfStatus restore(const DbfTableFrame &frame, const QString &recordsFile);

    DbfStatus close();

    // Called on this thread after a table's header has been read on opening
    // and before the table is used: a test holds an opening there to let
    // another writer in.
    static thread_local std::function<void(const QString &path)> headerReadProbe;

private:
    struct Io;
    class ChangeScope;

    DbfTable(QString path, QList<DbfFieldSpec> fields, Access access);
    DbfStatus openHandle();
    // One try; fileChanged tells that another program changed the file meanwhile.
    DbfStatus openHandleOnce(bool &fileChanged);
    int storedRecordCount() const;
    DbfStatus catchUp();
    DbfStatus readAgain();
    DbfStatus checkWritable(const DbfRecord *record) const;
    // Refuses (and reads the table again) when the stored row is no longer seen.
    DbfStatus checkSeen(int recordNumber, const DbfRecord &seen);
    DbfStatus commit(const QString &what);
    // An append while an import holds the table: the row goes straight to its
    // place, and the header counts it at a writeback point or the release.
    DbfResult<int> appendHeld(const DbfRecord &record);
    // Brings the header's count up to the rows written; finished also clears
    // the unfinished-import flag.
    DbfStatus countHeldRows(bool finished);
    // reason by value: it may be the failure text of the handle this closes.
    DbfStatus writeFailed(const QString &what, QString reason);
    DbfStatus sync();
    // A whole new copy of the table, written beside it (in its folder, with its
    // permissions) and then put in its place: each returns why not, or empty.
    QString openBeside(QTemporaryFile &beside) const;
    QString putInPlace(QTemporaryFile &beside);
    // The table read anew from the copy that took its name.
    DbfStatus reopenReplaced();
    // restore() with the frame's rows from fill, a chunk of rows at a time.
    DbfStatus restoreRows(const DbfTableFrame &frame,
                          const std::function<DbfStatus(int first, int rows, QByteArray &chunk)> &fill);
    QString displayName() const;
    QString badFlag(int recordNumber, char flag) const;

    QString path_;
    const Clock *clock_ = &Clock::system();
    QList<DbfFieldSpec> fields_;
    Access access_;
    DbfHeader header_;
    std::shared_ptr<const DbfLayout> layout_;
    std::unique_ptr<Io> io_; // the open shapelib handle and its write state
    int recordCount_ = 0;
    TableFileLock lock_;
    int lockDepth_ = 0;
    bool written_ = false;     // changes since the exclusive lock was taken
    qint64 unsyncedBytes_ = 0; // appended since the disk was last asked to write
    bool uncounted_ = false;   // rows in the file the header does not count yet
    bool unfinishedFlagSet_ = false;
    FileStamp stamp_; // the file as this table last read or wrote it
    int generation_ = 0;
};
