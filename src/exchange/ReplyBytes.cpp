#include "exchange/ReplyBytes.h"

#include <algorithm>
#include <sys/mman.h>
#include <unistd.h>

struct ReplyBytes::Storage {
    QByteArray bytes;
    void *map = nullptr;
    size_t mapSize = 0;
    Storage() = default;
    Storage(const Storage &) = delete;
    Storage &operator=(const Storage &) = delete;
    ~Storage()
    {
        if (map) {
            ::munmap(map, mapSize);
        }
    }
};

ReplyBytes::ReplyBytes(QByteArray bytes)
{
    auto storage = std::make_shared<Storage>();
    storage->bytes = std::move(bytes);
    data_ = storage->bytes.constData();
    size_ = storage->bytes.size();
    storage_ = std::move(storage);
}

ReplyBytes ReplyBytes::mapped(const char *data, qint64 size)
{
    auto storage = std::make_shared<Storage>();
    storage->map = const_cast<char *>(data);
    storage->mapSize = size_t(size);
    ReplyBytes bytes;
    bytes.data_ = data;
    bytes.size_ = size;
    bytes.storage_ = std::move(storage);
    return bytes;
}

bool ReplyBytes::isMapped() const
{
    return storage_ && storage_->map;
}

void ReplyBytes::forget(qint64 from, qint64 to) const
{
    if (!isMapped()) {
        return;
    }
    static const qint64 pageSize = ::sysconf(_SC_PAGESIZE);
    const qint64 first = (std::max<qint64>(from, 0) + pageSize - 1) / pageSize * pageSize;
    const qint64 end = std::min(to, size_) / pageSize * pageSize;
    if (end > first) {
        ::madvise(static_cast<char *>(storage_->map) + first, size_t(end - first), MADV_DONTNEED);
    }
}
