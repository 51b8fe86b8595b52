#include "app/ProgramDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ProgramDir {

QString fromApplicationDir(const QString &applicationDirPath)
{
    QString dir = applicationDirPath;
    if (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\'))) {
        dir.chop(1);
    }
    return dir;
}

Choice choose(const QString &applicationDirPath, const QString &overrideDir)
{
    if (overrideDir.isEmpty()) {
        return {fromApplicationDir(applicationDirPath), {}};
    }
    const QString absolute = QDir(overrideDir).absolutePath();
    if (!QFileInfo(absolute).isDir()) {
        return {{},
                QStringLiteral("%1 names no directory: %2")
                    .arg(QLatin1String(overrideVariable), QDir::toNativeSeparators(absolute))};
    }
    return {fromApplicationDir(absolute), {}};
}

Choice ofThisProcess()
{
    return choose(QCoreApplication::applicationDirPath(), qEnvironmentVariable(overrideVariable));
}

QString file(const QString &programDir, const QString &name)
{
    return programDir + QLatin1Char('/') + name;
}

} // namespace ProgramDir
