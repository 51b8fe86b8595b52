// Prints how the main window copes with the reply of a whole product master
// (100,000 records of 37 lines, about 40 MB): the longest time the window did
// not answer while Post ran, and how long the reply pane takes to show the
// reply and to jump to its end (figures only; nothing is asserted).
#include "app/widgets/MainWindow.h"
#include "components/widgets/WidgetPrompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <cstdio>

namespace {

constexpr int records = 100000;
constexpr int linesPerRecord = 37;

QByteArray productMasterReply()
{
    QByteArray body = "DataOk\r\n";
    body.reserve(42 * 1024 * 1024);
    for (int record = 0; record < records; ++record) {
        for (int line = 0; line < linesPerRecord; ++line) {
            body += QByteArray::number(record) + "-" + QByteArray::number(line) + "\xaf\xf5\r\n";
        }
        body += "---------------------\r\n";
    }
    return body + "EOT\r\n";
}

// Answers one POST with the whole body on its own thread.
class OneReplyServer : public QThread
{
public:
    explicit OneReplyServer(QByteArray body)
        : body_(std::move(body))
    {}

    quint16 port() const { return port_.load(); }

protected:
    void run() override
    {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost);
        port_ = server.serverPort();
        if (!server.waitForNewConnection(60000)) {
            return;
        }
        QTcpSocket *socket = server.nextPendingConnection();
        QByteArray request;
        while (!request.contains("\r\n\r\n") && socket->waitForReadyRead(10000)) {
            request += socket->readAll();
        }
        socket->write("HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(body_.size()) + "\r\n\r\n");
        socket->write(body_);
        while (socket->bytesToWrite() > 0 && socket->waitForBytesWritten(10000)) {
        }
        socket->disconnectFromHost();
        if (socket->state() != QAbstractSocket::UnconnectedState) {
            socket->waitForDisconnected(10000);
        }
    }

private:
    QByteArray body_;
    std::atomic<quint16> port_{0};
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryDir programDir;
    WidgetPrompts prompts; // no store picture here, so nothing to report
    MainWindow form(programDir.path(), prompts, {programDir.path(), {}});
    form.show();

    const QByteArray body = productMasterReply();
    OneReplyServer server(body);
    server.start();
    while (server.port() == 0) {
        QThread::msleep(1);
    }
    const QByteArray serverText = "127.0.0.1:" + QByteArray::number(server.port());
    form.setSettingsDialog(nullptr, [&] { return LinkSettings{serverText, "01", "1234"}; });

    // The longest gap between ticks is the longest the window could not answer.
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { longestGap = qMax(longestGap, sinceTick.restart()); });
    QElapsedTimer total;
    total.start();
    sinceTick.start();
    ticker.start(5);
    const bool ok = form.exchange().linkTest();
    ticker.stop();
    const qint64 postMs = total.elapsed();

    QElapsedTimer pane;
    pane.start();
    QApplication::processEvents();
    form.replyPane->repaint();
    const qint64 showMs = pane.restart();
    form.replyPane->scrollToBottom();
    QApplication::processEvents();
    form.replyPane->repaint();
    const qint64 endMs = pane.elapsed();
    server.wait();

    std::printf("reply: %d records, %lld lines, %.1f MB, Post %s\n", records,
                static_cast<long long>(form.exchange().reply().count()), body.size() / 1048576.0,
                ok ? "complete" : "FAILED");
    std::printf("%-40s %8lld ms\n", "Post, transfer and indexing", static_cast<long long>(postMs));
    std::printf("%-40s %8lld ms\n", "longest unanswered moment during Post", static_cast<long long>(longestGap));
    std::printf("%-40s %8lld ms\n", "reply pane shows the reply", static_cast<long long>(showMs));
    std::printf("%-40s %8lld ms\n", "reply pane jumps to the last line", static_cast<long long>(endMs));
    return ok ? 0 : 1;
}
