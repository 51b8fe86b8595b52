#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QSaveFile;

#include <sys/types.h>

// Who a file is and how it last looked: another program that wrote to it, or
// put a new file under its name, changes the stamp.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    qint64 modifiedNs = 0;

    bool sameFile(const FileStamp &other) const { return device == other.device && inode == other.inode; }
    bool operator==(const FileStamp &other) const
    {
        return sameFile(other) && size == other.size && modifiedNs == other.modifiedNs;
    }
    bool operator!=(const FileStamp &other) const { return !(*this == other); }
};

// A descriptor of a regular file, or why there is none.
struct OpenedFile {
    int fd = -1;
    QString error;
    bool ok() const { return fd >= 0; }
};

// Opens path only when it is a regular file (a link to one will do). A named
// pipe, a device or a directory is refused with a text saying what it is, and
// opening never waits for a pipe's other end. flags are open(2) flags.
OpenedFile openRegularFile(const QString &path, int flags);

// What the stat mode names, for messages: "目錄", "具名管道（FIFO）"...
QString fileKindText(mode_t mode);

// The stamp of an open file, or of what a path names now; false when it cannot be read.
bool stampOf(int fd, FileStamp &stamp);
bool stampAt(const QString &path, FileStamp &stamp);

// Makes a rename or a new file in path's directory last through a power cut.
bool syncDirectoryOf(const QString &path);

// The whole content of a regular file no larger than sizeLimit bytes, or why
// not; missing is set when nothing at all is at the path. A pipe or a device
// is refused without waiting on it.
struct RegularFileBytes {
    QByteArray bytes;
    QString error;
    bool missing = false;
    bool ok() const { return error.isEmpty(); }
};
RegularFileBytes readRegularFile(const QString &path, qint64 sizeLimit);
// The first count bytes of a regular file (fewer when it is shorter).
RegularFileBytes readRegularFileStart(const QString &path, qsizetype count);

// Writes bytes as the whole content of file, opened WriteOnly | Unbuffered,
// syncs and commits it: every write and the sync are checked, so the target
// is replaced only by the whole new content. Returns the reason on failure,
// after which the old file is as it was.
QString writeWholeFile(QSaveFile &file, QByteArrayView bytes);
