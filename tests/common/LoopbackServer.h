#pragma once

#include <QByteArray>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A plain TCP server on 127.0.0.1 that takes one connection at a time on its
// own thread. It reads each request (headers, then Content-Length + 2 body
// bytes when announced), lets the test's handler answer, then keeps reading
// until the client closes, so the recorded bytes are all the client sent.
class LoopbackServer
{
public:
    class Connection
    {
    public:
        int index() const { return index_; }
        const QByteArray &request() const { return request_; }
        // False once the client has gone.
        bool send(const QByteArray &bytes);
        // Ends a close-delimited body; the client's bytes are still read.
        void closeWrite();

    private:
        friend class LoopbackServer;
        bool readRequest();
        void readUntilClosed();

        int socket_ = -1;
        int index_ = 0;
        QByteArray request_;
    };
    using Handler = std::function<void(Connection &)>;

    explicit LoopbackServer(Handler handler);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer &) = delete;
    LoopbackServer &operator=(const LoopbackServer &) = delete;

    quint16 port() const { return port_; }
    // "127.0.0.1:port", as a user would type it in the server field.
    QByteArray serverText() const;
    // The bytes of every connection so far, once the last one has closed.
    std::vector<QByteArray> requests();

    // A loopback port nobody listens on.
    static quint16 closedPort();

private:
    void serve();

    Handler handler_;
    quint16 port_ = 0; // before listener_, which sets it
    int listener_ = -1;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::condition_variable idle_;
    bool busy_ = false;
    std::vector<QByteArray> requests_;
    std::thread thread_;
};

// A whole HTTP reply with a Content-Length.
QByteArray httpReply(const QByteArray &status, const QByteArray &body, const QByteArray &headers = {});
