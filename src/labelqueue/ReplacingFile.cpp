#include "labelqueue/ReplacingFile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

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
    // QSaveFile would otherwise write into a directory found at the path.
    if (QFileInfo(path_).isDir()) {
        error_ = QStringLiteral("%1 是一個目錄").arg(QDir::toNativeSeparators(path_));
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
    buffer_.clear();
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
