#pragma once

#include "exchange/ReplyBytes.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <atomic>
#include <mutex>

struct CurlLibrary;

// One blocking HTTP/1.0 form POST with the program's fixed headers, run on any
// thread. Each request opens its own connection and goes straight to the
// server (no proxy). A 2xx reply is the answer. A 3xx other than 304 with a
// Location to an http(s) address is followed with the same POST, up to
// maxRequests requests; when the last of them is again a redirection its body
// is the answer. libcurl does not follow by itself because it drops that last
// body. Every other reply (304, a 3xx without Location, 4xx, 5xx) is a failure,
// and a 2xx with a Location is not followed: that would repeat the POST.
class HttpPost
{
public:
    static constexpr int maxRequests = 15;
    // A reply is spooled to the temporary directory, so this bounds the disk it
    // may take, not memory.
    static constexpr qint64 maxBodyBytes = qint64(8) * 1024 * 1024 * 1024;

    // NoServer is ServerExchange's: the settings named no usable server, so nothing was sent.
    // Refused, TimedOut and NameNotFound are the network failures a store can act on (server
    // not running, unreachable, address mistyped); Network is any other. Compressed: the answer
    // came with a Content-Encoding other than identity, which the program never asks for and
    // does not undo, since the reply's bytes must stay as the server wrote them. Spool: the
    // reply could not be stored in the temporary directory (a full disk, say).
    enum class Failure {
        None,
        Network,
        HttpStatus,
        BodyTooLarge,
        Cancelled,
        TimedOut,
        NoServer,
        Refused,
        NameNotFound,
        Compressed,
        Spool
    };

    // Milliseconds; 0 is no limit. The stall limit ends a request that has
    // not begun its body that long after it was sent (connecting and the
    // reply's headers included), or whose body then pauses that long; the
    // time limit ends the whole run, redirections included.
    struct Limits {
        // What the window and the command line allow unless told otherwise.
        static constexpr qint64 defaultStallMs = 120000;
        qint64 stallMs = 0;
        qint64 totalMs = 0;
        qint64 bodyBytes = maxBodyBytes; // the largest reply body taken
    };

    struct Result {
        Failure failure = Failure::None;
        QString reason; // a whole sentence when failure is not None
        ReplyBytes body;
        int requests = 0;
        int httpStatus = 0;      // of the last reply, 0 when none came
        QString contentEncoding; // as the server named it, when failure is Compressed
        bool ok() const { return failure == Failure::None; }
    };

    // body: the bytes sent; contentLength: what the Content-Length header
    // says, 0 for no such header.
    HttpPost(QByteArray url, QByteArray body, qint64 contentLength, Limits limits);

    Result run();
    // Safe from any thread while run() is busy; run() then returns Cancelled.
    void cancel();
    // Bytes of reply bodies received so far; safe from any thread.
    qint64 bytesReceived() const { return received_.load(); }

private:
    struct Transfer;
    static size_t write(char *data, size_t size, size_t count, void *transfer);
    static size_t header(char *data, size_t size, size_t count, void *transfer);
    int perform(void *multi, void *easy, Transfer &transfer, Result &result);
    // Sets result and returns true when a limit has passed.
    bool overLimit(const Transfer &transfer, Result &result) const;

    QByteArray url_;
    QByteArray body_;
    qint64 contentLength_;
    Limits limits_;
    QElapsedTimer started_;
    std::atomic<bool> cancelled_{false};
    std::atomic<qint64> received_{0};
    std::mutex multiMutex_;
    void *multi_ = nullptr; // the CURLM of the running transfer, for waking it
    const CurlLibrary *curl_ = nullptr;
};
