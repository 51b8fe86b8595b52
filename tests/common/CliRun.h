#pragma once

#include <QString>
#include <QStringList>

// barlabel-cli run as a process, from BARLABEL_BIN_DIR unless program is given.
struct CliRun {
    int exitCode = -1;
    QString out; // UTF-8 from the terminal side
    QString err;
    QStringList outLines() const;
};

class QProcess;

QString cliProgram();
// Waits for a started barlabel-cli and gathers what it printed; a run that
// does not end within a minute is killed and fails the test.
CliRun finishCli(QProcess &process);
CliRun runCli(const QStringList &arguments, const QString &program = cliProgram());
