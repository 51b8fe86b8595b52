#pragma once

#include <QString>

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
