#pragma once

#include "exchange/ExchangeEnvelope.h"
#include "exchange/HttpPost.h"
#include "exchange/LinkSettings.h"
#include "exchange/ServerReply.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <mutex>

class Clock;

// The one exchange with the back office: the request pane, post(), the reply
// pane and the status line. post() keeps its blocking contract for the caller
// while the transfer runs on a worker thread and the calling thread waits in
// a local event loop, so windows keep painting and a busy window can follow
// exchangeStarted / progress / exchangeFinished and offer cancel(). post() needs
// a QCoreApplication and must be called on the exchange's own thread.
class ServerExchange : public QObject
{
    Q_OBJECT
public:
    using SettingsSource = std::function<LinkSettings()>;
    using TickSource = std::function<quint32()>;

    // How the last exchange ended, for callers that want more than post()'s bool.
    struct Result {
        ExchangeEnvelope::Outcome outcome = ExchangeEnvelope::Outcome::TransportFailed;
        HttpPost::Failure failure = HttpPost::Failure::None; // set when the transport failed
        QString reason;                                      // whole message for a transport failure
        int requests = 0;                                    // HTTP requests made, redirections included
        ExchangeEnvelope::ServerProblem serverProblem = ExchangeEnvelope::ServerProblem::None;
        int httpStatus = 0;      // of the last reply, 0 when none came
        QString contentEncoding; // of a reply refused as Compressed
    };

    static constexpr char linkTestScript[] = "linktest.php";

    // settings is read at each call, as the live fields of the settings dialog.
    explicit ServerExchange(SettingsSource settings, QObject *parent = nullptr);
    ~ServerExchange() override;

    LinkSettings settings() const { return settings_(); }

    void setRequestBody(const QByteArray &body);
    const QByteArray &requestBody() const { return requestBody_; }

    // True for a complete reply. While an exchange runs, returns false at
    // once and changes nothing.
    bool post(const QString &script);
    bool linkTest();

    const ServerReply &reply() const { return reply_; }
    QString statusLine() const { return statusLine_; }
    const Result &lastResult() const { return lastResult_; }
    // True from exchangeStarted until exchangeFinished's slots have returned.
    bool isBusy() const { return busy_; }
    // Safe from any thread; ends the running exchange as a transport failure.
    void cancel();

    // By default only the stall limit: a window offers Cancel besides, but a
    // server that never answers must not hold it for ever.
    void setLimits(HttpPost::Limits limits) { limits_ = limits; }

    void setClock(const Clock &clock) { clock_ = &clock; }
    // A millisecond counter that may wrap at 32 bits.
    void setTickSource(TickSource ticks) { ticks_ = std::move(ticks); }

Q_SIGNALS:
    void exchangeStarted();
    void progress(qint64 bytesReceived);
    void exchangeFinished(bool ok);
    void requestChanged();
    void replyChanged();
    void statusLineChanged(const QString &text);

private:
    HttpPost::Result transfer(const QByteArray &url, ServerReply &reply);
    void finish(ExchangeEnvelope::Outcome outcome, quint32 elapsedMs);

    SettingsSource settings_;
    const Clock *clock_;
    TickSource ticks_;
    HttpPost::Limits limits_{HttpPost::Limits::defaultStallMs, 0};
    QByteArray requestBody_;
    ServerReply reply_;
    QString statusLine_;
    Result lastResult_;
    bool busy_ = false;
    std::mutex runningMutex_;
    HttpPost *running_ = nullptr; // guarded by runningMutex_, for cancel()
};
