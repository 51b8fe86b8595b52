#include "common/LoopbackServer.h"

#include <QList>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int listeningSocket(quint16 *port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr *>(&address), length) != 0 || ::listen(fd, 16) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    *port = ntohs(address.sin_port);
    return fd;
}

// Only bounds a broken client, so a fault shows as a failed comparison rather
// than a test that never ends.
constexpr int stuckClientMs = 10000;

bool readable(int socket)
{
    pollfd waiting{socket, POLLIN, 0};
    return ::poll(&waiting, 1, stuckClientMs) > 0;
}

qsizetype announcedLength(const QByteArray &headers)
{
    for (const QByteArray &line : headers.split('\n')) {
        if (line.toLower().startsWith("content-length:")) {
            return line.mid(15).trimmed().toLongLong();
        }
    }
    return -1;
}
} // namespace

bool LoopbackServer::Connection::send(const QByteArray &bytes)
{
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(socket_, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n <= 0) {
            return false;
        }
        sent += n;
    }
    return true;
}

void LoopbackServer::Connection::closeWrite()
{
    ::shutdown(socket_, SHUT_WR);
}

bool LoopbackServer::Connection::readRequest()
{
    char buffer[4096];
    qsizetype wanted = -1;
    while (wanted < 0 || request_.size() < wanted) {
        if (!readable(socket_)) {
            return wanted >= 0;
        }
        const ssize_t n = ::recv(socket_, buffer, sizeof buffer, 0);
        if (n <= 0) {
            return false;
        }
        request_.append(buffer, n);
        const qsizetype headerEnd = request_.indexOf("\r\n\r\n");
        if (wanted < 0 && headerEnd >= 0) {
            const qsizetype length = announcedLength(request_.left(headerEnd));
            wanted = headerEnd + 4 + (length > 0 ? length + 2 : 0);
        }
    }
    return true;
}

void LoopbackServer::Connection::readUntilClosed()
{
    char buffer[4096];
    ssize_t n;
    while (readable(socket_) && (n = ::recv(socket_, buffer, sizeof buffer, 0)) > 0) {
        request_.append(buffer, n);
    }
}

LoopbackServer::LoopbackServer(Handler handler)
    : handler_(std::move(handler))
    , listener_(listeningSocket(&port_))
    , thread_([this] { serve(); })
{}

LoopbackServer::~LoopbackServer()
{
    stopping_ = true;
    thread_.join();
    ::close(listener_);
}

QByteArray LoopbackServer::serverText() const
{
    return QByteArrayLiteral("127.0.0.1:") + QByteArray::number(port_);
}

std::vector<QByteArray> LoopbackServer::requests()
{
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return !busy_; });
    return requests_;
}

quint16 LoopbackServer::closedPort()
{
    quint16 port = 0;
    ::close(listeningSocket(&port));
    return port;
}

void LoopbackServer::serve()
{
    int index = 0;
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, 20) <= 0) {
            continue;
        }
        Connection connection;
        connection.socket_ = ::accept(listener_, nullptr, nullptr);
        if (connection.socket_ < 0) {
            continue;
        }
        connection.index_ = index++;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            busy_ = true;
        }
        if (connection.readRequest()) {
            handler_(connection);
        }
        connection.readUntilClosed();
        ::close(connection.socket_);
        const std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(connection.request_);
        busy_ = false;
        idle_.notify_all();
    }
}

QByteArray httpReply(const QByteArray &status, const QByteArray &body, const QByteArray &headers)
{
    return QByteArrayLiteral("HTTP/1.0 ") + status + "\r\n" + headers +
           "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}
