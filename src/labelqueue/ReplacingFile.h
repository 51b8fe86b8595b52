#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

// Builds a file that another program reads so that the reader only ever finds
// the old whole file or the new whole file: the bytes go to a temporary file
// beside the old one (same directory, so the rename stays on one file
// system), which replaces it only after the last byte is on disk. Writes are
// gathered in a buffer and handed on in large blocks.
class ReplacingFile
{
public:
    static constexpr qsizetype defaultBlockSize = qsizetype(1) << 20;

    // Dropping the object before commit() drops the new bytes; the old file stays.
    explicit ReplacingFile(const QString &path, qsizetype blockSize = defaultBlockSize);

    // Creates the temporary file; false with errorString() when it cannot.
    bool open();
    // Appends bytes; a failed write is remembered for commit().
    void write(QByteArrayView bytes);
    // Writes what is left, syncs and renames over the old file. False with
    // errorString() when anything failed on the way; the old file is then
    // left as it was and the temporary file removed.
    bool commit();
    // Drops the new bytes; the old file stays.
    void cancel();

    // True once a write has failed; nothing more reaches the file.
    bool failed() const { return !error_.isEmpty(); }
    QString errorString() const { return error_; }
    const QString &path() const { return path_; }

private:
    void flushIfFull();
    void flush();

    QString path_;
    qsizetype blockSize_;
    QSaveFile file_;
    QByteArray buffer_;
    QString error_;
};
