#pragma once

#include <csignal>
#include <sys/resource.h>

// While alive, this process cannot grow any regular file past `bytes`: a write
// beyond that fails (EFBIG, after a short write where part fits), as on a disk
// that fills up during the write. Reads and pipes are unaffected.
class FullDisk
{
public:
    explicit FullDisk(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &before_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, before_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDisk()
    {
        ::setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

private:
    rlimit before_{};
    void (*oldHandler_)(int) = nullptr;
};
