#pragma once

#include "common/BackofficeProcess.h"
#include "common/CliRun.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using CliResult = CliRun;

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// barlabel-cli copied into its own program directory, so its settings files
// are the test's, run in a working directory of the test's against a demo
// back office of its own.
class CliWorkspace : public ::testing::Test
{
protected:
    CliWorkspace()
        : programDir(root.filePath(QStringLiteral("program")))
        , workDir(root.filePath(QStringLiteral("work")))
    {
        QDir().mkpath(programDir);
        QDir().mkpath(workDir);
        const QString cli = QDir(qEnvironmentVariable("BARLABEL_BIN_DIR")).filePath(QStringLiteral("barlabel-cli"));
        EXPECT_TRUE(QFile::copy(cli, QDir(programDir).filePath(QStringLiteral("barlabel-cli"))));
    }

    // Against server when it is set, the demo back office otherwise.
    void start(QProcess &process, const QStringList &arguments, const QString &branch = QStringLiteral("A"),
               const QString &password = QStringLiteral("0000"))
    {
        process.setWorkingDirectory(workDir);
        process.start(QDir(programDir).filePath(QStringLiteral("barlabel-cli")),
                      QStringList{QStringLiteral("--server"), server.isEmpty() ? backoffice.serverText() : server,
                                  QStringLiteral("--branch"), branch, QStringLiteral("--password"), password} +
                          arguments);
    }

    // Logged in as head office unless another branch and its password are given.
    CliResult cli(const QStringList &arguments, const QString &branch = QStringLiteral("A"),
                  const QString &password = QStringLiteral("0000"))
    {
        QProcess process;
        start(process, arguments, branch, password);
        return finishCli(process);
    }

    BackofficeProcess backoffice;
    QString server;
    QTemporaryDir root;
    QString programDir;
    QString workDir;
};
