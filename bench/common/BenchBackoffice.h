#pragma once

#include <QByteArray>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// Starts barlabel-backoffice on a free loopback port with a synthetic product
// master (and what else the extra arguments ask for); returns its address, or
// empty when it did not come up.
inline QString startBackoffice(QProcess &backoffice, const QString &program, int products,
                               const QStringList &extraArguments = {})
{
    backoffice.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    backoffice.start(program, QStringList{QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--products"),
                                          QString::number(products), QStringLiteral("--stop-on-stdin-close")} +
                                  extraArguments);
    static const QRegularExpression listening(QStringLiteral("listening on (127\\.0\\.0\\.1:\\d+)"));
    QByteArray output;
    while (backoffice.state() != QProcess::NotRunning || backoffice.bytesAvailable() > 0) {
        backoffice.waitForReadyRead(1000);
        output += backoffice.readAllStandardOutput();
        const QRegularExpressionMatch match = listening.match(QString::fromLatin1(output));
        if (match.hasMatch()) {
            return match.captured(1);
        }
    }
    return {};
}
