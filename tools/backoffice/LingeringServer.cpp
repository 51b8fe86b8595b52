#include "LingeringServer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kReadTimeoutMs = 5000;
constexpr int kWriteTimeoutMs = 5000;
constexpr int kKeepAliveTimeoutMs = 5000;
constexpr int kKeepAliveMaxCount = 5;
constexpr auto kLingerLimit = std::chrono::seconds(2);

bool waitFor(int sock, short events, int timeoutMs)
{
    pollfd fd{sock, events, 0};
    int rc;
    do {
        rc = poll(&fd, 1, timeoutMs);
    } while (rc < 0 && errno == EINTR);
    return rc > 0;
}

void addressOf(int sock, bool peer, std::string &ip, int &port)
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    const int rc = peer ? getpeername(sock, reinterpret_cast<sockaddr *>(&address), &length)
                        : getsockname(sock, reinterpret_cast<sockaddr *>(&address), &length);
    if (rc != 0 || address.ss_family != AF_INET) {
        return;
    }
    const auto *in = reinterpret_cast<const sockaddr_in *>(&address);
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
    ip = text;
    port = ntohs(in->sin_port);
}

bool startsWithNoCase(const std::string &line, const char *prefix)
{
    const size_t length = std::strlen(prefix);
    return line.size() >= length && strncasecmp(line.data(), prefix, length) == 0;
}

// Buffered, since httplib reads request lines one byte at a time. It watches the
// header lines go by to know whether the request announces a body at all.
class SocketStream : public httplib::Stream
{
public:
    explicit SocketStream(int sock)
        : sock_(sock)
    {}

    bool hasBufferedData() const { return position_ < end_; }

    void startRequest()
    {
        inHeaders_ = true;
        announcesBody_ = false;
        noBody_ = false;
        headerLine_.clear();
    }

    bool is_readable() const override { return hasBufferedData() || waitFor(sock_, POLLIN, kReadTimeoutMs); }
    bool is_writable() const override { return waitFor(sock_, POLLOUT, kWriteTimeoutMs); }

    ssize_t read(char *ptr, size_t size) override
    {
        if (noBody_) {
            return 0;
        }
        if (!hasBufferedData()) {
            if (!waitFor(sock_, POLLIN, kReadTimeoutMs)) {
                return -1;
            }
            ssize_t received;
            do {
                received = recv(sock_, buffer_, sizeof buffer_, 0);
            } while (received < 0 && errno == EINTR);
            if (received <= 0) {
                return received;
            }
            position_ = 0;
            end_ = size_t(received);
        }
        size_t count = std::min(size, end_ - position_);
        if (inHeaders_) {
            count = std::min(count, watchHeaders(buffer_ + position_, count));
        }
        std::memcpy(ptr, buffer_ + position_, count);
        position_ += count;
        return ssize_t(count);
    }

    ssize_t write(const char *ptr, size_t size) override
    {
        if (!is_writable()) {
            return -1;
        }
        ssize_t sent;
        do {
            sent = send(sock_, ptr, size, MSG_NOSIGNAL);
        } while (sent < 0 && errno == EINTR);
        return sent;
    }

    void get_remote_ip_and_port(std::string &ip, int &port) const override { addressOf(sock_, true, ip, port); }
    void get_local_ip_and_port(std::string &ip, int &port) const override { addressOf(sock_, false, ip, port); }
    socket_t socket() const override { return sock_; }

private:
    // Follows the header bytes about to be handed out; returns how many of them
    // belong to the headers, so the first body byte is never handed out with them.
    size_t watchHeaders(const char *data, size_t count)
    {
        for (size_t i = 0; i < count; ++i) {
            if (data[i] != '\n') {
                headerLine_.push_back(data[i]);
                continue;
            }
            if (startsWithNoCase(headerLine_, "content-length:") ||
                startsWithNoCase(headerLine_, "transfer-encoding:")) {
                announcesBody_ = true;
            }
            const bool blank = headerLine_.empty() || headerLine_ == "\r";
            headerLine_.clear();
            if (blank) {
                inHeaders_ = false;
                noBody_ = !announcesBody_;
                return i + 1;
            }
        }
        return count;
    }

    int sock_;
    char buffer_[4096];
    size_t position_ = 0;
    size_t end_ = 0;
    bool inHeaders_ = true;
    bool announcesBody_ = false;
    bool noBody_ = false;
    std::string headerLine_;
};

void closeLingering(int sock)
{
    shutdown(sock, SHUT_WR);
    const auto deadline = std::chrono::steady_clock::now() + kLingerLimit;
    char discard[4096];
    while (true) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !waitFor(sock, POLLIN, int(left.count()))) {
            break;
        }
        const ssize_t received = recv(sock, discard, sizeof discard, 0);
        if (received <= 0 && !(received < 0 && errno == EINTR)) {
            break;
        }
    }
    close(sock);
}

} // namespace

bool LingeringServer::process_and_close_socket(socket_t sock)
{
    SocketStream stream(sock);
    bool ok = false;
    for (int count = kKeepAliveMaxCount; count > 0 && is_running(); --count) {
        if (count < kKeepAliveMaxCount && !stream.hasBufferedData() && !waitFor(sock, POLLIN, kKeepAliveTimeoutMs)) {
            break;
        }
        stream.startRequest();
        bool connectionClosed = false;
        ok = process_request(stream, count == 1, connectionClosed, nullptr);
        if (!ok || connectionClosed) {
            break;
        }
    }
    closeLingering(sock);
    return ok;
}
