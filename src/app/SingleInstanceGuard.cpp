#include "app/SingleInstanceGuard.h"

#include "components/Clock.h"
#include "components/DateFormats.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace {
// A second copy waits this long at most for the first to take its wake-up.
constexpr int wakeTimeoutMs = 1000;

// Lock and socket names become file names: dates such as 2009/10/22 carry separators.
QString fileSystemSafe(const QString &name)
{
    QString safe = name;
    for (QChar &c : safe) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('.')) {
            c = QLatin1Char('_');
        }
    }
    return safe;
}

QByteArray wakeUpLine(const QString &message)
{
    return message.toUtf8() + '\n';
}
} // namespace

SingleInstanceGuardError::SingleInstanceGuardError(const QString &message)
    : utf8_(message.toUtf8())
{}

SingleInstanceGuard::SingleInstanceGuard(QObject *parent)
    : SingleInstanceGuard(Clock::system(), parent)
{}

SingleInstanceGuard::SingleInstanceGuard(const Clock &clock, QObject *parent)
    : QObject(parent)
    , clock_(clock)
    , message_(todayWith("-message"))
    , mutex_(todayWith("-mutex"))
    , directory_(defaultDirectory())
{}

SingleInstanceGuard::~SingleInstanceGuard()
{
    stop();
}

QString SingleInstanceGuard::todayWith(const char *suffix) const
{
    return DateFormats::date(clock_.today()) + QLatin1String(suffix);
}

QString SingleInstanceGuard::defaultDirectory()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    return QStandardPaths::writableLocation(QStandardPaths::TempLocation);
}

QString SingleInstanceGuard::lockFilePath() const
{
    return directory_ + QLatin1Char('/') + fileSystemSafe(mutex_) + QLatin1String(".lock");
}

QString SingleInstanceGuard::socketName() const
{
#ifdef Q_OS_UNIX
    // A full path keeps the socket beside the lock rather than in the shared temporary directory.
    return directory_ + QLatin1Char('/') + fileSystemSafe(message_) + QLatin1String(".socket");
#else
    return fileSystemSafe(message_);
#endif
}

void SingleInstanceGuard::setMessage(const QString &message)
{
    if (!loading_) {
        throw SingleInstanceGuardError(QStringLiteral("you can't change Message property at runtime!"));
    }
    message_ = message.isEmpty() ? todayWith("-message") : message;
}

void SingleInstanceGuard::setMutex(const QString &mutex)
{
    if (!loading_) {
        throw SingleInstanceGuardError(QStringLiteral("you can't change Mutex property at runtime!"));
    }
    mutex_ = mutex.isEmpty() ? todayWith("-mutex") : mutex;
}

void SingleInstanceGuard::setEnabled(bool enabled)
{
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    if (enabled_) {
        start();
    } else {
        stop();
    }
}

void SingleInstanceGuard::Loaded()
{
    loading_ = false;
    start();
}

bool SingleInstanceGuard::isGuarding() const
{
    return lock_ != nullptr;
}

void SingleInstanceGuard::start()
{
    // While loading, Mutex and Message may still change; Loaded() starts the guard.
    if (!enabled_ || loading_ || isGuarding()) {
        return;
    }
    if (!anotherInstanceRuns()) {
        listen();
    }
}

void SingleInstanceGuard::stop()
{
    if (server_) {
        server_->close();
        delete server_;
        server_ = nullptr;
    }
    lock_.reset();
}

bool SingleInstanceGuard::anotherInstanceRuns()
{
    QDir().mkpath(directory_);
    auto lock = std::make_unique<QLockFile>(lockFilePath());
    // A running copy may run for days: only a lock whose process is gone is stale.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        lock_ = std::move(lock);
        return false;
    }
    if (lock->error() != QLockFile::LockFailedError) {
        // The lock cannot be made here at all (no such directory, no permission):
        // this copy runs unguarded rather than not at all.
        return false;
    }
    if (!text_.isEmpty() || !title_.isEmpty()) {
        if (notice_) {
            notice_(title_, text_);
        }
    }
    if (OnAnotherInstance) {
        OnAnotherInstance(this);
    }
    anotherInstance_ = true;
    wakeFirstInstance();
    return true;
}

void SingleInstanceGuard::wakeFirstInstance()
{
    QLocalSocket socket;
    socket.connectToServer(socketName());
    if (!socket.waitForConnected(wakeTimeoutMs)) {
        return;
    }
    socket.write(wakeUpLine(message_));
    socket.waitForBytesWritten(wakeTimeoutMs);
    socket.disconnectFromServer();
}

void SingleInstanceGuard::listen()
{
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { receive(socket); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            receive(socket);
        }
    });
    if (!server_->listen(socketName())) {
        // We hold the lock, so a socket left under this name belongs to a copy that crashed.
        QLocalServer::removeServer(socketName());
        server_->listen(socketName());
    }
}

void SingleInstanceGuard::receive(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        return;
    }
    const QByteArray line = socket->readLine();
    socket->disconnectFromServer();
    if (line == wakeUpLine(message_)) {
        Q_EMIT wakeUpRequested();
    }
}
