#include "labelqueue/TableFileLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// dBase files end below 2 GiB; the byte at this offset is never data.
constexpr off_t lockedByte = 0x7FFFFFFF;

} // namespace

TableFileLock::~TableFileLock()
{
    unlock();
}

TableFileLock &TableFileLock::operator=(TableFileLock &&other) noexcept
{
    if (this != &other) {
        unlock();
        fd_ = other.fd_;
        mode_ = other.mode_;
        other.fd_ = -1;
    }
    return *this;
}

TableFileLock::Outcome TableFileLock::lock(const QString &path, Mode mode)
{
    unlock();
    error_.clear();
    const OpenedFile file = openRegularFile(path, mode == Mode::Exclusive ? O_RDWR : O_RDONLY);
    if (!file.ok()) {
        error_ = file.error;
        return Outcome::Failed;
    }
    return lock(file.fd, mode);
}

TableFileLock::Outcome TableFileLock::lock(int fd, Mode mode)
{
    unlock();
    error_.clear();
    // Open-file-description locks belong to this descriptor alone: closing another
    // descriptor of the same file (shapelib's) keeps them, and a second holder in
    // the same process is refused like another process.
    struct flock request;
    std::memset(&request, 0, sizeof request);
    request.l_type = mode == Mode::Exclusive ? F_WRLCK : F_RDLCK;
    request.l_whence = SEEK_SET;
    request.l_start = lockedByte;
    request.l_len = 1;
    if (::fcntl(fd, F_OFD_SETLK, &request) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EAGAIN || error == EACCES) {
            return Outcome::Busy;
        }
        error_ = QString::fromLocal8Bit(std::strerror(error));
        return Outcome::Failed;
    }
    fd_ = fd;
    mode_ = mode;
    return Outcome::Locked;
}

void TableFileLock::unlock()
{
    if (fd_ >= 0) {
        // Closing the descriptor drops its lock.
        ::close(fd_);
        fd_ = -1;
    }
}

bool TableFileLock::stamp(FileStamp &stamp) const
{
    return fd_ >= 0 && stampOf(fd_, stamp);
}
