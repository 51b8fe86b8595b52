#include "exchange/ServerExchange.h"

#include "components/Big5.h"
#include "components/Clock.h"
#include "exchange/RequestText.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <atomic>
#include <thread>

namespace {
// Often enough for a moving byte count, rare enough not to flood the window.
constexpr int progressIntervalMs = 100;

quint32 systemTicks()
{
    static const QElapsedTimer timer = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return quint32(timer.elapsed());
}
} // namespace

ServerExchange::ServerExchange(SettingsSource settings, QObject *parent)
    : QObject(parent)
    , settings_(std::move(settings))
    , clock_(&Clock::system())
    , ticks_(systemTicks)
{}

ServerExchange::~ServerExchange() = default;

void ServerExchange::setRequestBody(const QByteArray &body)
{
    requestBody_ = body;
    Q_EMIT requestChanged();
}

bool ServerExchange::linkTest()
{
    if (busy_) {
        return false;
    }
    setRequestBody(RequestText::linkStart(settings_()));
    return post(QString::fromLatin1(linkTestScript));
}

void ServerExchange::cancel()
{
    const std::lock_guard<std::mutex> lock(runningMutex_);
    if (running_) {
        running_->cancel();
    }
}

bool ServerExchange::post(const QString &script)
{
    if (busy_) {
        return false;
    }
    busy_ = true;
    const Big5::Encoding scriptBytes = Big5::encode(script);
    const QByteArray server = settings_().server;
    const ExchangeEnvelope::ServerProblem serverProblem = ExchangeEnvelope::serverProblem(server);
    const QByteArray url = ExchangeEnvelope::address(server, scriptBytes.bytes);
    reply_ = ServerReply();
    Q_EMIT replyChanged();
    Q_EMIT exchangeStarted();

    const quint32 start = ticks_();
    ServerReply received;
    HttpPost::Result result;
    if (serverProblem != ExchangeEnvelope::ServerProblem::None) {
        result.failure = HttpPost::Failure::NoServer;
        result.reason = ExchangeEnvelope::serverProblemReason(serverProblem);
    } else if (scriptBytes.ok()) {
        result = transfer(url, received);
    } else {
        result.failure = HttpPost::Failure::Network;
        result.reason = scriptBytes.errorText();
    }
    const quint32 elapsed = ExchangeEnvelope::elapsedTicks(start, ticks_());

    using ExchangeEnvelope::Outcome;
    Outcome outcome = Outcome::TransportFailed;
    if (result.ok()) {
        reply_ = std::move(received);
        Q_EMIT replyChanged();
        outcome = ExchangeEnvelope::isComplete(reply_) ? Outcome::Complete : Outcome::Incomplete;
    }
    lastResult_ = Result{outcome,       result.failure,    result.reason,         result.requests,
                         serverProblem, result.httpStatus, result.contentEncoding};
    statusLine_ = ExchangeEnvelope::statusLine(clock_->now(), outcome, elapsed);
    Q_EMIT statusLineChanged(statusLine_);

    const bool ok = outcome == Outcome::Complete;
    Q_EMIT exchangeFinished(ok);
    busy_ = false;
    return ok;
}

HttpPost::Result ServerExchange::transfer(const QByteArray &url, ServerReply &reply)
{
    const ExchangeEnvelope::WireBody wire = ExchangeEnvelope::wireBody(requestBody_);
    HttpPost post(url, wire.bytes, wire.contentLength, limits_);
    {
        const std::lock_guard<std::mutex> lock(runningMutex_);
        running_ = &post;
    }

    qint64 reported = 0;
    const auto reportProgress = [&] {
        const qint64 received = post.bytesReceived();
        if (received != reported) {
            reported = received;
            Q_EMIT progress(received);
        }
    };
    QTimer progressTimer;
    connect(&progressTimer, &QTimer::timeout, this, reportProgress);
    progressTimer.start(progressIntervalMs);

    QEventLoop loop;
    std::atomic<bool> done{false};
    HttpPost::Result result;
    std::thread worker([&] {
        result = post.run();
        if (result.ok()) {
            // Indexing a large body here keeps that work off the waiting thread.
            reply = ServerReply(std::move(result.body));
        }
        done = true;
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    loop.exec();
    // The loop also ends when the application quits; the transfer must not outlive post().
    if (!done) {
        post.cancel();
    }
    worker.join();
    progressTimer.stop();
    reportProgress();

    const std::lock_guard<std::mutex> lock(runningMutex_);
    running_ = nullptr;
    return result;
}
