#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <exception>
#include <functional>
#include <memory>

class Clock;
class QLocalServer;
class QLocalSocket;
class QLockFile;

// Raised when Mutex or Message is changed outside loading.
class SingleInstanceGuardError : public std::exception
{
public:
    explicit SingleInstanceGuardError(const QString &message);
    const char *what() const noexcept override { return utf8_.constData(); }
    QString message() const { return QString::fromUtf8(utf8_); }

private:
    QByteArray utf8_;
};

// Keeps a second copy of the program from running. The first copy holds a
// lock file named after Mutex and listens on a local socket named after
// Message. A later copy finds the lock taken: it shows its notice, calls
// OnAnotherInstance, wakes the first copy through the socket and reports
// anotherInstanceFound(), so that its owner ends without showing a window.
//
// The lock file is created atomically and belongs to a live process, so two
// copies started at the same instant cannot both run, and the lock of a copy
// that crashed is taken over at the next start.
class SingleInstanceGuard : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ enabled WRITE setEnabled)
    Q_PROPERTY(QString Message READ message WRITE setMessage)
    Q_PROPERTY(QString Mutex READ mutex WRITE setMutex)
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(QString Title READ title WRITE setTitle)

public:
    // Shows the notice of a second copy and returns when it has been closed.
    using Notice = std::function<void(const QString &title, const QString &text)>;
    using AnotherInstanceHandler = std::function<void(SingleInstanceGuard *sender)>;

    // Mutex and Message start as today's date in the short date format
    // followed by "-mutex" and "-message", so copies started on different
    // days do not see each other unless their owner names them.
    explicit SingleInstanceGuard(const Clock &clock, QObject *parent = nullptr);
    explicit SingleInstanceGuard(QObject *parent = nullptr);
    ~SingleInstanceGuard() override;

    // The owner sets the stored properties between beginLoading() and
    // Loaded(); Mutex and Message can be changed only then. Loaded() ends the
    // loading and starts the guard.
    void beginLoading() { loading_ = true; }
    void Loaded();
    bool isLoading() const { return loading_; }

    bool enabled() const { return enabled_; }
    // Starts the guard when it becomes true, stops it when it becomes false.
    void setEnabled(bool enabled);
    QString message() const { return message_; }
    // An empty value stands for today's date + "-message". Throws SingleInstanceGuardError outside loading.
    void setMessage(const QString &message);
    QString mutex() const { return mutex_; }
    // An empty value stands for today's date + "-mutex". Throws SingleInstanceGuardError outside loading.
    void setMutex(const QString &mutex);
    QString text() const { return text_; }
    void setText(const QString &text) { text_ = text; }
    QString title() const { return title_; }
    void setTitle(const QString &title) { title_ = title; }
    AnotherInstanceHandler OnAnotherInstance;

    // How the notice is shown; without one a second copy shows nothing.
    void setNotice(Notice notice) { notice_ = std::move(notice); }
    // Where the lock file and the wake-up socket live; defaultDirectory() unless set.
    void setDirectory(const QString &directory) { directory_ = directory; }
    QString directory() const { return directory_; }
    // The login session's runtime directory when there is one, else the temporary directory.
    static QString defaultDirectory();

    QString lockFilePath() const;
    QString socketName() const;

    // True once the check has found a running copy: the owner must end.
    bool anotherInstanceFound() const { return anotherInstance_; }
    // True while this copy holds the lock.
    bool isGuarding() const;

Q_SIGNALS:
    // In the first copy: a later copy asks it to come to the front.
    void wakeUpRequested();

private:
    void start();
    void stop();
    bool anotherInstanceRuns();
    void listen();
    void wakeFirstInstance();
    void receive(QLocalSocket *socket);
    QString todayWith(const char *suffix) const;

    const Clock &clock_;
    bool enabled_ = true;
    bool loading_ = false;
    bool anotherInstance_ = false;
    QString message_;
    QString mutex_;
    QString text_;
    QString title_;
    QString directory_;
    Notice notice_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer *server_ = nullptr;
};
