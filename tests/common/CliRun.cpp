#include "common/CliRun.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

QStringList CliRun::outLines() const
{
    QStringList lines = out.split(u'\n');
    if (lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

QString cliProgram()
{
    return QDir(qEnvironmentVariable("BARLABEL_BIN_DIR")).filePath(QStringLiteral("barlabel-cli"));
}

CliRun finishCli(QProcess &process)
{
    CliRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "barlabel-cli did not finish: " << process.errorString().toStdString();
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

CliRun runCli(const QStringList &arguments, const QString &program)
{
    QProcess process;
    process.start(program, arguments);
    return finishCli(process);
}
