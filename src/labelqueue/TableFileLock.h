#pragma once

#include "components/RegularFile.h"

#include <QString>

// The operating system's lock on a table file, which the system drops when
// its holder ends however it ends (no lock file is left behind by a crash).
// Shared holds let readers in together; an exclusive hold keeps every other
// holder out, in this process or another, on this computer or, over a
// shared folder that passes locks on, another. A hold that would have to wait
// fails at once.
//
// The lock covers one byte past the largest dBase file, never the rows, so
// where byte-range locks are mandatory (LockFileEx on Windows) the holder
// still reads and writes the rows through its own handles.
class TableFileLock
{
public:
    enum class Mode { Shared, Exclusive };
    enum class Outcome { Locked, Busy, Failed };

    TableFileLock() = default;
    ~TableFileLock();
    TableFileLock(const TableFileLock &) = delete;
    TableFileLock &operator=(const TableFileLock &) = delete;
    // Takes over other's hold (and drops its own).
    TableFileLock &operator=(TableFileLock &&other) noexcept;

    // Opens the regular file at path (for writing when exclusive) and locks
    // it. Busy: another holder's lock is in the way. Failed: errorString()
    // says why (no such file, not a regular file, no locks on this disk).
    // Once locked, the file stays the one locked even if the path is given to
    // another file; the caller compares stamps to notice that.
    Outcome lock(const QString &path, Mode mode);
    // Locks a regular file opened already (a table still being built under
    // another name), which this lock then owns and closes.
    Outcome lock(int fd, Mode mode);
    void unlock();

    bool isLocked() const { return fd_ >= 0; }
    Mode mode() const { return mode_; }
    QString errorString() const { return error_; }
    // The locked file as it is now.
    bool stamp(FileStamp &stamp) const;

private:
    int fd_ = -1;
    Mode mode_ = Mode::Shared;
    QString error_;
};
