#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Runs barlabel-backoffice (from BARLABEL_BIN_DIR) on a free loopback port for
// the life of the object. The server ends when this object closes its standard
// input, so it does not outlive a test run that crashes.
class BackofficeProcess
{
public:
    explicit BackofficeProcess(const QStringList &extraArguments = {})
    {
        process_.setProgram(qEnvironmentVariable("BARLABEL_BIN_DIR") + QStringLiteral("/barlabel-backoffice"));
        process_.setArguments(
            QStringList{QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--stop-on-stdin-close")} +
            extraArguments);
        process_.start();
        if (!process_.waitForStarted(10000)) {
            error_ = QStringLiteral("cannot start %1: %2").arg(process_.program(), process_.errorString());
            return;
        }
        while (!process_.canReadLine()) {
            if (!process_.waitForReadyRead(60000)) {
                error_ =
                    QStringLiteral("no listening line; stderr: ") + QString::fromUtf8(process_.readAllStandardError());
                return;
            }
        }
        const QByteArray line = process_.readLine().trimmed();
        const QByteArray prefix = "listening on 127.0.0.1:";
        bool ok = false;
        const uint port = line.startsWith(prefix) ? line.mid(prefix.size()).toUInt(&ok) : 0;
        if (!ok || port == 0 || port > 65535) {
            error_ = QStringLiteral("unexpected first line: ") + QString::fromUtf8(line);
            return;
        }
        port_ = quint16(port);
    }

    ~BackofficeProcess()
    {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    BackofficeProcess(const BackofficeProcess &) = delete;
    BackofficeProcess &operator=(const BackofficeProcess &) = delete;

    bool isListening() const { return port_ != 0; }
    // Why the server is not listening; empty when it is.
    const QString &errorText() const { return error_; }
    quint16 port() const { return port_; }
    // The server text as the system settings hold it: host and port.
    QString serverText() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }
    bool isRunning() const { return process_.state() == QProcess::Running; }

private:
    QProcess process_;
    quint16 port_ = 0;
    QString error_;
};
