#include "labelqueue/ReplacingFile.h"

#include "components/RegularFile.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

ReplacingFile::ReplacingFile(const QString &path, qsizetype blockSize)
    : path_(path)
    , blockSize_(blockSize)
    , file_(path)
{
    buffer_.reserve(blockSize_ + blockSize_ / 4);
}

bool ReplacingFile::open()
{
    error_.clear();
    buffer_.clear();
    // Only a regular file (or a link to one) is ever replaced: QSaveFile would
    // write into a directory, and would put a plain file where a pipe or a
    // device node was.
    struct stat target;
    if (::stat(QFile::encodeName(path_).constData(), &target) == 0 && !S_ISREG(target.st_mode)) {
        error_ = QStringLiteral("%1 不是一般檔案，而是%2，不能寫入")
                     .arg(QDir::toNativeSeparators(path_), fileKindText(target.st_mode));
        return false;
    }
    // Our own buffer gathers the blocks; a second one would only copy them again.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error_ = file_.errorString();
        return false;
    }
    return true;
}

void ReplacingFile::write(QByteArrayView bytes)
{
    buffer_.append(bytes);
    flushIfFull();
}

void ReplacingFile::flushIfFull()
{
    if (buffer_.size() >= blockSize_) {
        flush();
    }
}

void ReplacingFile::flush()
{
    if (buffer_.isEmpty()) {
        return;
    }
    if (error_.isEmpty()) {
        errno = 0;
        if (file_.write(buffer_) != buffer_.size()) {
            // The file device's own text for a short write is often just "Unknown error".
            error_ = errno != 0 ? qt_error_string(errno) : file_.errorString();
            file_.cancelWriting();
        }
    }
    // Emptied, not freed: the next block goes into the same memory.
    buffer_.resize(0);
}

bool ReplacingFile::commit()
{
    if (!file_.isOpen() && error_.isEmpty()) {
        error_ = QStringLiteral("檔案沒有開啟");
    }
    flush();
    if (!error_.isEmpty()) {
        if (file_.isOpen()) {
            file_.cancelWriting();
            file_.commit();
        }
        return false;
    }
    // QSaveFile syncs before the rename but does not say when the sync fails.
    if (::fsync(file_.handle()) != 0) {
        error_ = qt_error_string(errno);
        file_.cancelWriting();
        file_.commit();
        return false;
    }
    if (!file_.commit()) {
        error_ = file_.errorString();
        return false;
    }
    return true;
}

void ReplacingFile::cancel()
{
    buffer_.clear();
    if (file_.isOpen()) {
        file_.cancelWriting();
        file_.commit();
    }
}
