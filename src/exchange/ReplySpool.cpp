#include "exchange/ReplySpool.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {
constexpr qint64 writeBlock = qint64(1) * 1024 * 1024;

int openUnnamedFile(const QByteArray &directory)
{
    const int file = ::open(directory.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (file >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) {
        return file;
    }
    // A file system without unnamed files: a named one, unlinked at once.
    QByteArray pattern = directory + "/barlabel-reply-XXXXXX";
    const int named = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (named >= 0) {
        ::unlink(pattern.constData());
    }
    return named;
}
} // namespace

ReplySpool::ReplySpool(QString directory)
    : directory_(std::move(directory))
{}

ReplySpool::~ReplySpool()
{
    clear();
}

void ReplySpool::clear()
{
    if (file_ >= 0) {
        ::close(file_);
        file_ = -1;
    }
    memory_ = QByteArray();
    size_ = 0;
    error_.clear();
}

void ReplySpool::expect(qint64 bytes)
{
    if (file_ < 0 && bytes > 0 && bytes <= memoryBytes) {
        memory_.reserve(qsizetype(bytes));
    }
}

bool ReplySpool::fail(const QString &what, int error)
{
    error_ = QStringLiteral("%1 %2: %3").arg(what, directory_, QString::fromLocal8Bit(std::strerror(error)));
    return false;
}

bool ReplySpool::spill()
{
    file_ = openUnnamedFile(QFile::encodeName(directory_));
    if (file_ < 0) {
        return fail(QStringLiteral("The reply could not be spooled to a file in"), errno);
    }
    return true;
}

bool ReplySpool::flush()
{
    const char *data = memory_.constData();
    qint64 left = memory_.size();
    while (left > 0) {
        const ssize_t written = ::write(file_, data, size_t(left));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return fail(QStringLiteral("The reply could not be written to its spool file in"),
                        written < 0 ? errno : ENOSPC);
        }
        data += written;
        left -= written;
    }
    // Keeps the block's capacity for the next one.
    memory_.resize(0);
    return true;
}

bool ReplySpool::append(const char *data, qint64 size)
{
    if (!error_.isEmpty()) {
        return false;
    }
    if (file_ < 0 && size_ + size > memoryBytes && !spill()) {
        return false;
    }
    memory_.append(data, qsizetype(size));
    size_ += size;
    return file_ < 0 || memory_.size() < writeBlock || flush();
}

std::optional<ReplyBytes> ReplySpool::take()
{
    if (!error_.isEmpty()) {
        return std::nullopt;
    }
    if (file_ < 0) {
        ReplyBytes bytes(std::move(memory_));
        clear();
        return bytes;
    }
    if (!flush()) {
        return std::nullopt;
    }
    void *map = ::mmap(nullptr, size_t(size_), PROT_READ, MAP_PRIVATE, file_, 0);
    if (map == MAP_FAILED) {
        fail(QStringLiteral("The reply's spool file could not be read back from"), errno);
        return std::nullopt;
    }
    ::madvise(map, size_t(size_), MADV_SEQUENTIAL);
    ReplyBytes bytes = ReplyBytes::mapped(static_cast<const char *>(map), size_);
    clear();
    return bytes;
}
