#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <shapefil.h>

// What the file hooks under a shapelib table saw. The first failed write,
// flush or seek is kept and every later write is refused, so shapelib can
// never stamp a record count on rows that did not land (it rewrites the header
// when a handle is closed).
struct DbfIoState {
    QString failure;
    QString openFailure; // why the hooks refused to open the file

    bool failed() const { return !failure.isEmpty(); }
    void fail(const QString &why)
    {
        if (failure.isEmpty()) {
            failure = why;
        }
    }
};

// While alive, the hooks open exactly this path whatever name shapelib derives
// (it swaps the extension for ".dbf", then ".DBF", and looks for ".cpg"
// files), and the files opened report to the state for as long as they live.
// SAHooks carries no context pointer, so a thread has one scope at a time.
class DbfOpenScope
{
public:
    DbfOpenScope(const QString &path, std::shared_ptr<DbfIoState> state);
    ~DbfOpenScope();
    DbfOpenScope(const DbfOpenScope &) = delete;
    DbfOpenScope &operator=(const DbfOpenScope &) = delete;

    const char *path() const { return path_.constData(); }
    const QString &fileName() const { return fileName_; }
    SAHooks *hooks() { return &hooks_; }
    const std::shared_ptr<DbfIoState> &state() const { return state_; }

private:
    QString fileName_;
    QByteArray path_;
    std::shared_ptr<DbfIoState> state_;
    SAHooks hooks_;
};

// shapelib reports some failures only through its error hook; the last one
// on this thread is kept until cleared before the next call.
void clearDbfLibraryMessage();
// The descriptor under a table handle opened through the hooks.
int dbfFileDescriptor(DBFHandle handle);
// Starts writing what was written through the handle to the disk without
// waiting, so a long batch's final sync finds little left to do.
void startDbfWriteback(DBFHandle handle);
// The same for a file written apart from the library.
void startFileWriteback(int fd);
// Puts what was written through the handle on the disk; empty, or why it failed
// (the handle then takes no more writes).
QString syncDbfFile(DBFHandle handle);
// Why a call failed: the failed write, shapelib's message or the error of opening.
QString dbfFailureReason(const DbfIoState &state);
