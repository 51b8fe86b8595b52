#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

// Posts a request the way the label program puts it on the wire: HTTP/1.0,
// its header lines, Content-Length without the body's closing CR LF, then the
// body and that CR LF.
struct RawReply {
    QByteArray error; // empty when a reply arrived
    int status = 0;
    QByteArray body;
};

struct RawPostTiming {
    // Sends the closing CR LF in a separate write after this pause.
    int lineEndDelayMs = 0;
    // Waits this long before reading the reply.
    int readDelayMs = 0;
};

inline RawReply rawHttpPost(quint16 port, const QByteArray &script, const QByteArray &body, RawPostTiming timing = {})
{
    RawReply reply;
    const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(sock, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        ::close(sock);
        reply.error = "connect failed";
        return reply;
    }
    QByteArray request =
        QByteArray("POST /").append(script).append(" HTTP/1.0\r\nHost: 127.0.0.1\r\nAccept: text/html, */*\r\n"
                                                   "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"
                                                   "Content-Type: application/x-www-form-urlencoded\r\n");
    if (!body.isEmpty()) {
        request.append("Content-Length: ").append(QByteArray::number(body.size())).append("\r\n");
    }
    request.append("\r\n").append(body);
    auto sendAll = [sock](const QByteArray &bytes) {
        for (qsizetype sent = 0; sent < bytes.size();) {
            const ssize_t n = ::send(sock, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
            if (n <= 0) {
                return false;
            }
            sent += n;
        }
        return true;
    };
    bool sent = true;
    if (timing.lineEndDelayMs > 0) {
        sent = sendAll(request);
        std::this_thread::sleep_for(std::chrono::milliseconds(timing.lineEndDelayMs));
        sent = sent && sendAll(QByteArray("\r\n"));
    } else {
        sent = sendAll(request.append("\r\n"));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(timing.readDelayMs));
    QByteArray received;
    char buffer[65536];
    ssize_t n;
    while ((n = ::recv(sock, buffer, sizeof buffer, 0)) > 0) {
        received.append(buffer, n);
    }
    ::close(sock);
    if (!sent || n < 0) {
        reply.error = QByteArray("transfer broken after ").append(QByteArray::number(received.size()));
        return reply;
    }
    const qsizetype headerEnd = received.indexOf("\r\n\r\n");
    if (!received.startsWith("HTTP/1.") || headerEnd < 0) {
        reply.error = "no HTTP reply";
        return reply;
    }
    reply.status = received.mid(9, 3).toInt();
    reply.body = received.mid(headerEnd + 4);
    return reply;
}
